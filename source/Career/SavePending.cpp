// Temporary definitions of the career save hooks until their modules land.
#include "source/Career/SaveData.h"

void EventRecordSave(SaveWriter&) {}
bool EventRecordLoad(ChunkCursor&) {
    return true;
}
