// The ".sfp" file of a movie (docs/screenmovies.md).
#pragma once

#include <vector>

#include "source/SFP/SFPFile.h"

namespace sfpc {

// The header, the tables in the header's order, then the string pool of the
// texts. Writes what the record holds: checking it is the loader's job.
std::vector<u8> WriteSfp(const s_sfp_movie& movie);

}  // namespace sfpc
