// mkdisc DATA_DIR DISC_DIR: builds the demo disc folder from the text sources,
// paints its sprite sheets, bakes its fonts from the system's TrueType faces,
// generates its models and the bowler parts, synthesises its sounds, paints the logo movies,
// compiles the bowling database and the screen movies, paints the save banner and writes the
// HOME-button menu's files and writes the level's intro cut-scene; last, the list of
// everything on it.
#include <cstdio>
#include <exception>

#include "tools/dbcompile/DbCompile.h"
#include "tools/discbuild/BannerWriter.h"
#include "tools/discbuild/DiscCutScenes.h"
#include "tools/discbuild/DiscFileList.h"
#include "tools/discbuild/DiscSources.h"
#include "tools/discbuild/SpriteSheet.h"
#include "tools/fontbake/DiscFonts.h"
#include "tools/fontbake/TextSamples.h"
#include "tools/hbmgen/HomeButtonDisc.h"
#include "tools/modelgen/Bowler.h"
#include "tools/modelgen/DiscModels.h"
#include "tools/moviegen/LogoMovies.h"
#include "tools/sfpcompile/SfpCompile.h"
#include "tools/soundgen/DiscSounds.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkdisc DATA_DIR DISC_DIR\n");
        return 2;
    }
    try {
        discbuild::BuildDisc(argv[1], argv[2]);
        discbuild::BuildDiscSprites(argv[1], argv[2]);
        discbuild::BuildDiscBanner(argv[2]);
        discbuild::BuildDiscCutScenes(argv[2]);
        const char* faces = "/usr/share/fonts/truetype";
        fontbake::BuildDiscFonts(argv[1], argv[2], faces,
                                 {{"DATA/PRELOAD.WAD", {hbmgen::NoHomeIcon()}},
                                  {"DATA/RENDTEST.WAD", fontbake::TextSampleTextures(faces)}});
        hbmgen::BuildDiscHomeButton(argv[2], faces);
        modelgen::BuildDiscModels(argv[2]);
        modelgen::BuildDiscBowler(argv[1], argv[2]);
        soundgen::BuildDiscSounds(argv[2]);
        moviegen::BuildDiscMovies(argv[2]);
        dbcompile::BuildDiscDatabase(argv[1], argv[2]);
        sfpc::BuildDiscScreens(argv[1], argv[2]);
        discbuild::BuildDiscFileList(argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mkdisc: %s\n", error.what());
        return 1;
    }
    return 0;
}
