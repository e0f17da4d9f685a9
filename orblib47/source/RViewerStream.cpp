#include <cctype>
#include <cstdio>

#include "orblib47/source/Debug.h"
#include "orblib47/source/NGC/Stream.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/RViewerInternal.h"

s_stream_file* StreamFile = nullptr;
s_stream* RViewerStream = nullptr;

namespace {

void StopPlaying() {
    if (RViewerStream != nullptr)
        StreamStop(RViewerStream);
    RViewerStream = nullptr;
}

}  // namespace

s32 RViewerViewStream(const char* name) {
    RViewerOpenDefaultMenu();
    RViewerCancel = 0;
    RViewerStream = nullptr;
    StreamLooping = 0;
    char path[300];
    std::snprintf(path, sizeof path, "%s.asf", name);
    for (char* c = path; *c != '\0'; ++c)
        *c = char(std::toupper(static_cast<unsigned char>(*c)));
    StreamFile = StreamSetFile(path);
    if (StreamFile == nullptr) {
        DEBUG_PRINT("RViewer: no stream pack %s.\n", path);
        UIObjectCloseAll();
        return 0;
    }
    StreamFileDialogOpen(DrawContext.screenCenter.x - 136, DrawContext.screenCenter.y - 100,
                         "Select Stream To Play", name);
    s32 shownCount = -1;
    while (!RViewerViewEnded()) {
        EventWait(1);
        if (s32(StreamFile->numStreams) != shownCount) {
            shownCount = s32(StreamFile->numStreams);
            StreamPlayResetScrollbar(shownCount, 0);
        }
        s32 track = 0;
        const e_stream_file_dialog_state state = StreamFileDialogQuery(&track);
        if (state == STREAM_FILE_DIALOG_STOP) {
            StopPlaying();
        } else if (state == STREAM_FILE_DIALOG_PLAY) {
            StopPlaying();
            const s_VOLUME_MIX mix{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
            RViewerStream = StreamStart(StreamFile, track, &mix, StreamLooping != 0 ? STREAM_FLAG_LOOP : 0);
        }
    }
    StopPlaying();
    StreamFreeFile(StreamFile);
    StreamFile = nullptr;
    UIObjectCloseAll();
    PlayDialogsForget();
    return 0;
}
