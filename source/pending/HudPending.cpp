// Stand-ins until the HUD lands; the owner deletes this file.
#include "source/Hud/BowlingHud.h"
#include "source/Physics/LaneManager.h"

void BowlingHudStart() {}
void BowlingHudStop() {}
void CLaneManager::DrawOilPattern2D(f32, f32, f32, f32) {}
