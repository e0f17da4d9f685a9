// The movie's read-ahead: frames read one after another into the ring of read
// buffers, synchronously when preloading, then as a chain of disc reads that
// restarts itself from each completion until the ring is full.
#include "console/os.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/NGC/THPSimpleInternal.h"

using namespace thp;

namespace {

// After the last frame a looping movie goes back to the first; false when
// reading has ended.
bool WrapAtEnd() {
    THPSimple& c = SimpleControl;
    if (u32(c.totalReadFrame) < c.header.numFrames)
        return true;
    if (!c.loop)
        return false;
    c.totalReadFrame = 0;
    c.curOffset = s32(c.header.movieDataOffsets);
    c.readSize = s32(c.header.firstFrameSize);
    return true;
}

// Files the frame just read into the current buffer and moves the reader on;
// false when the frame's next size does not fit a read buffer.
bool FrameRead() {
    THPSimple& c = SimpleControl;
    THPReadBuffer& frame = c.readBuffer[c.readIndex];
    const u32 nextSize = LoadBE32(frame.ptr);
    const u32 minSize = 8 + 4 * c.compInfo.numComponents;
    frame.frameNumber = c.totalReadFrame;
    frame.size = u32(c.readSize);
    frame.isValid = TRUE;
    ++c.totalReadFrame;
    c.curOffset += c.readSize;
    c.readIndex = (c.readIndex + 1) % THP_READ_BUFFERS;
    const bool last = u32(c.totalReadFrame) >= c.header.numFrames;
    if (!last && (nextSize < minSize || nextSize > c.header.bufSize))
        return false;
    c.readSize = s32(nextSize);
    return true;
}

void ReadDone(s32 result, DVDFileInfo*) {
    THPSimple& c = SimpleControl;
    if (result == DVD_RESULT_CANCELED)
        return;
    c.readProgress = FALSE;
    if (result != c.readSize || !FrameRead()) {
        c.dvdError = TRUE;
        return;
    }
    if (!c.readBuffer[c.readIndex].isValid)
        THPReadFrameAsync();
}

}  // namespace

namespace thp {

bool THPReadFrameSync() {
    THPSimple& c = SimpleControl;
    if (!WrapAtEnd())
        return true;
    THPReadBuffer& frame = c.readBuffer[c.readIndex];
    return DVDReadPrio(&c.fileInfo, frame.ptr, c.readSize, c.curOffset, 2) == c.readSize && FrameRead();
}

void THPReadFrameAsync() {
    THPSimple& c = SimpleControl;
    if (c.dvdError || !c.preFetchState || !WrapAtEnd())
        return;
    c.readProgress = TRUE;
    if (!DVDReadAsyncPrio(&c.fileInfo, c.readBuffer[c.readIndex].ptr, c.readSize, c.curOffset, ReadDone, 2)) {
        c.readProgress = FALSE;
        c.dvdError = TRUE;
    }
}

}  // namespace thp
