// The movie parser's two halves: SFPFile.cpp reads the file into the movie's
// block, SFPFileCheck.cpp checks what refers to what.
#pragma once

#include "source/SFP/SFPFile.h"

// Prints the parser's one line, "SFP2K: NAME: WHAT"; always false.
bool SFPFileFail(const char* name, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Checks every index between the tables, the symbols' nesting and the keys'
// frames, and counts the movie's instances; false, with the line, when refused.
bool SFPFileCheck(s_sfp_movie* movie, const char* name);
