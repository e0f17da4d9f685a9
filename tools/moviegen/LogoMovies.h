// The two logo movies the game plays after the boot screens: the studio's ident
// "VOSSA" and the engine's ident "ORBLOGO", three seconds each at 30 frames a
// second on black, with their sounds. The same bytes on every run.
#pragma once

#include <string>

namespace moviegen {

// Writes DISC_DIR/DATA/VOSSA.thp, the studio's: the word VOSSA traced in thin amber
// lines that thicken into white letters over a blue glow and are underlined; and
// DISC_DIR/DATA/ORBLOGO.thp, the engine's: a shaded blue orb swelling in with an
// amber ring and its moon, the word ORB sliding in beside it. Errors throw.
void BuildDiscMovies(const std::string& discDir);

}  // namespace moviegen
