// Stand-ins for sound functions whose owners have not landed them yet; each owner
// deletes its lines when its code lands.
#include "orblib47/source/NGC/Stream.h"
#include "orblib47/source/OrbStream.h"

// stream: the disc stream engine.
void StreamProcess(s32) {}
// stream: the disc stream engine.
int StreamGetKeyStatus(const s_stream*) {
    return 0;
}
// stream: the stream manager.
COrbStreamManager OrbStreamManager;
// stream: the stream manager.
void COrbStreamManager::Pause() {}
// stream: the stream manager.
void COrbStreamManager::Resume() {}
