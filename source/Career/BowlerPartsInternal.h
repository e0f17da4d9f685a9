// The bowler parts archive as the construction classes use it: parts read one at
// a time from its table of contents, and the hand each built body bowls with.
#pragma once

#include "orblib47/source/HModel.h"
#include "source/Career/BowlerParts.h"

// A part model by name (BowlerPartName), read from the archive the first time; null,
// after one line, when it is in neither the loaded data nor the archive.
s_hmodel* BowlerPartLoad(const char* name);
// Makes texture `name` (a swap choice) present; false when it cannot be had.
bool BowlerTextureLoad(const char* name);
// Frees the part and clears the pointer.
void BowlerPartFree(s_hmodel** part);

// Shows child `choice` of the part's texture family (loaded first); a choice that
// cannot be had shows the family's first texture.
void BowlerPartSetChoice(s_hmodel* part, const char* family, s32 group, s32 choice);

// The hand (0 right, 1 left) of a body a construction built; 0 for any other.
void BowlerBodySetHand(const s_hmodel* body, s32 hand);
void BowlerBodyForget(const s_hmodel* body);
s32 BowlerBodyHand(const s_hmodel* body);
