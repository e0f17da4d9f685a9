// The screen-movie compiler: a movie's text source (docs/screenmovies.md, "The
// text source") to its ".sfp" timeline and ".sfc" textures.
#pragma once

#include <string>
#include <vector>

#include "console/types.h"
#include "tools/sfpcompile/SfpSource.h"

namespace sfpc {

struct CompiledMovie {
    std::string name;  // the movie's name: the files are NAME.sfp and NAME.sfc
    std::vector<u8> sfp, sfc;
};

// False with "FILE:LINE: what" in `error` when the source has a fault; `fileLabel`
// is the FILE of the messages. The second form reads "include" lines through `includes`.
bool CompileMovie(const std::string& source, const std::string& fileLabel, CompiledMovie* out,
                  std::string* error);
bool CompileMovie(const std::string& source, const std::string& fileLabel, const IncludeSource& includes,
                  CompiledMovie* out, std::string* error);

// Compiles the source file at `path`, its includes read from its folder, into
// OUT_DIR/NAME.sfp and NAME.sfc and returns NAME. A fault throws
// std::runtime_error "FILE:LINE: what".
std::string CompileMovieFile(const std::string& path, const std::string& outDir);

// Every DATA_DIR/screens/*.txt into DISC_DIR/640/NAME.sfp and NAME.sfc; their
// includes are read from the same folder. A fault throws std::runtime_error
// "FILE:LINE: what".
void BuildDiscScreens(const std::string& dataDir, const std::string& discDir);

}  // namespace sfpc
