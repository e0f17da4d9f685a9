// The development host's side of the particle editor's exchange: the command file
// "hostout.txt" and the effect file "temp.pat" written into the disc folder.
#pragma once

#include <string>
#include <vector>

#include "console/types.h"
#include "tools/discbuild/PatWriter.h"

namespace parsyshost {

// The editor's keywords by the short names the tool takes ("reset", "start",
// "stop", "datasets", "startall", "load"); empty for any other.
std::string Keyword(const std::string& command);
// The four lines, each ending in CR LF.
std::string CommandFile(s32 seq, const std::string& keyword, s32 slot, const std::string& name);
// The sequence number of the command file in `disc` plus 1; 1 when there is none.
s32 NextSequence(const std::string& disc);
// Sets one field of `def` from "field=value"; false with a reason when it cannot.
bool SetField(const std::string& assignment, discbuild::ParticleDef* def, std::string* error);

}  // namespace parsyshost
