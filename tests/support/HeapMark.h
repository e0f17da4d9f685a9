// What the engine's heaps hold when a test begins, checked when it ends: the
// sanitizer cannot see inside the engine's own heaps. A fixture marks once it has
// loaded what the program keeps for its whole run; the engine fixture's tear-down
// checks against the mark.
#pragma once

#include <string>

// Remembers the blocks the main and the extra heap hold now.
void HeapMarkTake();
// No mark, nothing to check: each engine fixture's set-up starts so.
void HeapMarkForget();

// Empty when there is no mark or neither heap holds more blocks or fewer free bytes than at the mark;
// else their counts and one line for each block that was not there at the mark
// (where it was allocated, its size and comment).
std::string HeapMarkLeaks();
