// Stand-ins until the lane's turn machine lands; the owner deletes this file.
#include "source/Physics/LaneManager.h"

void CLaneManager::StartGame() {}
void CLaneManager::NewGame() {}
void CLaneManager::run() {}
s32 CLaneManager::ComputeShot() {
    return 0;
}
s32 CLaneManager::ComputeBallAngle() {
    return 0;
}
void CLaneManager::SetOilPattern(s32) {}
u16* CLaneManager::GetOilPatternData(s32 lane) {
    return lane ? &RightOil[0][0] : &LeftOil[0][0];
}
void CLaneManager::PlayLastSong() {}
void CLaneManager::DisplaySetterSweeper() {}
