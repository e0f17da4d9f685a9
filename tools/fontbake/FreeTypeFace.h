// FreeType's library and one face, each released when it goes out of scope.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>
#include <string>

namespace fontbake {

struct Library {
    FT_Library handle = nullptr;
    Library() {
        if (FT_Init_FreeType(&handle) != 0)
            throw std::runtime_error("fontbake: FreeType did not start");
    }
    ~Library() { FT_Done_FreeType(handle); }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
};

struct Face {
    FT_Face handle = nullptr;
    Face(FT_Library library, const std::string& file) {
        if (FT_New_Face(library, file.c_str(), 0, &handle) != 0)
            throw std::runtime_error("fontbake: cannot open " + file);
    }
    ~Face() { FT_Done_Face(handle); }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;
};

}  // namespace fontbake
