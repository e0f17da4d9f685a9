#include "tests/game/SFP/SFPFixture.h"

#include <fstream>
#include <iterator>

#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "source/DefaultDisc.h"
#include "tests/support/HeapMark.h"

void SFPFixture::SetUp() {
    for (const char* path : {"DATA/IGFNT640.WAD", "DATA/MENUSND.WAD", "SymTable.bin"}) {
        std::ifstream file(std::string(DefaultDiscRoot()) + "/" + path, std::ios::binary);
        disc_.Write(path, {std::istreambuf_iterator<char>(file), {}});
    }
    GameFixture::SetUp();
    HeapMarkTake();
    SFP2KSetFlashFileRootPath("640");
    SFP2KInit(fonts_, 1);
    EventWait(GPU_BLACK_FRAMES);  // the display shows pictures from here on
}

void SFPFixture::TearDown() {
    SFP2KKill();
    GameFixture::TearDown();
}

sfpc::CompiledMovie SFPFixture::AddMovie(const std::string& source) {
    sfpc::CompiledMovie movie;
    std::string error;
    EXPECT_TRUE(sfpc::CompileMovie(source, "test", &movie, &error)) << error;
    disc_.Write("640/" + movie.name + ".sfp", movie.sfp);
    disc_.Write("640/" + movie.name + ".sfc", movie.sfc);
    return movie;
}
