// Temporary definitions of the career save hooks until their modules land.
#include "source/Career/SaveData.h"

void CareerSlotSave(s8, SaveWriter&) {}
bool CareerSlotLoad(s8, ChunkCursor&) {
    return true;
}
void LeagueNightSave(s8, SaveWriter&) {}
bool LeagueNightLoad(s8, ChunkCursor&) {
    return true;
}
void EventRecordSave(SaveWriter&) {}
bool EventRecordLoad(ChunkCursor&) {
    return true;
}
void UnlockProgressSave(SaveWriter&) {}
bool UnlockProgressLoad(ChunkCursor&) {
    return true;
}
