// The disc stream engine's audio-frame work: the frame step of a stream channel,
// disc reads into the main-memory ring, block moves into the audio-memory ring, the
// play position, the end and the loop, and the recovery after a disc error.
#include <algorithm>
#include <cstring>

#include "console/os.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/NGC/StreamInternal.h"

namespace {

constexpr s32 kReadPriority = 2;

u32 RoundUp32(u32 size) {
    return (size + 31) & ~31u;
}

s_channel_status& ChannelOf(const s_stream* stream) {
    return ChannelStatus[stream->channel];
}

bool IsChild(const s_stream* stream) {
    return (stream->flags & STREAM_FLAG_CHILD) != 0;
}

// The bytes one block move takes from the main-memory ring.
u32 RamBlockBytes(const s_stream* stream) {
    const u32 half = stream->spuBufferSize / 2;
    return (stream->flags & STREAM_FLAG_STEREO_LEFT) != 0 ? 2 * half : half;
}

// A read has landed (or silence was written) at the refresh address.
void ReadLanded(s_stream* stream, u32 size, bool fromFile) {
    stream->ramBytesToRefresh -= size;
    stream->ramRefreshAddr += size;
    if (stream->ramRefreshAddr >= stream->ramAddr + stream->ramBufferSize)
        stream->ramRefreshAddr = stream->ramAddr;
    if (!fromFile)
        return;
    stream->fileCurPos += size;
    if (stream->fileCurPos >= stream->fileStartPos + stream->fileLength)
        stream->fileCurPos = stream->fileStartPos;
}

void StreamFileCallback(s32 result, DVDFileInfo* fileInfo) {
    s_ngc_file* file = fileInfo != nullptr ? NgcFileGetPtr(fileInfo) : nullptr;
    if (file != nullptr)
        StreamSetFileBusy(file, false);
    s_stream* stream = CurFileStream;
    CurFileStream = nullptr;
    if (result == DVD_RESULT_CANCELED) {
        DEBUG_PRINT("Result Canceled!\n");
    } else if (file == nullptr) {
        DEBUG_PRINT("File I/O - Critical Error - Invalid fileInfo\n");
    } else if (result < 0) {
        file->errorStatus = result;
    } else {
        file->errorStatus = 0;
    }
    if (stream == nullptr)
        return;
    stream->status &= ~STREAM_STATUS_READING;
    // A slot released while its read was in flight takes nothing in.
    if (stream->status != 0 && file != nullptr && result >= 0)
        ReadLanded(stream, stream->fileRefreshSize, true);
}

// Fills half the main-memory ring: the stream's next bytes from disc, never past
// its data; what lies past the data, and the rest of the ring's half after the
// last bytes, is silence.
void StartRead(s_stream* stream, s_ngc_file* file) {
    const u32 half = stream->ramBufferSize / 2;
    if (stream->fileLoopSlop != 0) {
        const u32 slop = stream->fileLoopSlop;
        std::memset(stream->ramRefreshAddr, 0, slop);
        stream->fileLoopSlop = 0;
        ReadLanded(stream, slop, false);
        return;
    }
    const u32 dataEnd = stream->fileStartPos + stream->fileLength;
    const u32 left = dataEnd - stream->fileCurPos;
    const u32 size = left >= half ? half : RoundUp32(left);
    const u32 fromDisc = std::min(size, left);
    std::memset(stream->ramRefreshAddr + fromDisc, 0, size - fromDisc);
    StreamSetFileBusy(file, true);
    if (!DVDReadAsyncPrio(&file->fileInfo, stream->ramRefreshAddr, s32(fromDisc), s32(stream->fileCurPos),
                          StreamFileCallback, kReadPriority)) {
        DEBUG_PRINT("StreamUpdate: DVDRead Failed!\n");
        StreamSetFileBusy(file, false);
        return;
    }
    stream->fileRefreshSize = size;
    stream->fileLoopSlop = half - size;
    CurFileStream = stream;
    stream->status |= STREAM_STATUS_READING;
}

bool VoiceInSecondHalf(const s_stream* stream) {
    const AXVPB* voice = ChannelOf(stream).voiceData;
    return voice != nullptr &&
           voice->pb.addr.currentAddress / 2 >= stream->spuAddr + stream->spuBufferSize / 2;
}

// Ends the voice after `remainder` bytes of the last block moved. A block at the
// ring's start while the voice still plays the second half waits until the voice
// has wrapped: until then the voice must go on looping over the ring.
void StreamSetupLastBlock(s_stream* stream, u32 remainder, bool immediate) {
    const bool atStart = stream->spuCurDmaAddr == stream->spuAddr;
    if (atStart && !immediate && VoiceInSecondHalf(stream)) {
        stream->status |= STREAM_STATUS_LAST_BLOCK_DEFERRED;
        stream->slopBytes = remainder;
        return;
    }
    stream->status &= ~STREAM_STATUS_LAST_BLOCK_DEFERRED;
    AXVPB* voice = ChannelOf(stream).voiceData;
    if (voice == nullptr)
        return;
    AXSetVoiceLoop(voice, 0);
    AXSetVoiceEndAddr(voice, 2 * (stream->spuCurDmaAddr + remainder) - 1);
}

// The block just moved: the ring positions, and the end once it was the last.
void StreamDMACallback(s_stream* stream) {
    const u32 half = stream->spuBufferSize / 2;
    const u32 step = RamBlockBytes(stream);
    stream->spuBytesToRefresh -= half;
    stream->ramBytesToRefresh += step;
    stream->ramCurAddr += step;
    if (stream->ramCurAddr >= stream->ramAddr + stream->ramBufferSize)
        stream->ramCurAddr = stream->ramAddr;
    stream->spuCurAddr += half;
    if (stream->spuCurAddr >= stream->spuAddr + stream->spuBufferSize)
        stream->spuCurAddr = stream->spuAddr;
    stream->playbackCurPos += half;
    if (++stream->curSpuBlock == stream->numSpuBlocks) {
        stream->status |= STREAM_STATUS_LAST_BLOCK;
        // A remainder of 0 is a full last block.
        const u32 remainder = StreamChannelLength(stream) % half;
        StreamSetupLastBlock(stream, remainder != 0 ? remainder : half, false);
    }
}

void MoveBlock(s_stream* stream, const u8* source, u32 size) {
    if (stream->spuCurAddr != stream->spuAddr) {
        if (AXVPB* voice = ChannelOf(stream).voiceData) {
            const AXPBADPCMLOOP loop{source[0], 0, 0};
            AXSetVoiceAdpcmLoop(voice, &loop);
        }
    }
    void* target = OSPhysicalToCached(stream->spuCurAddr);
    std::memcpy(target, source, size);
    DCFlushRange(target, size);
    stream->spuCurDmaAddr = stream->spuCurAddr;
    StreamDMACallback(stream);
}

// Moves one block of each half from the main-memory ring to the audio-memory
// rings: the left block first in the ring, the right one behind it.
void StreamTransferToARAM(s_stream* stream, u32 size) {
    size = RoundUp32(size);
    StreamDMAInProgress = 1;
    stream->status |= STREAM_STATUS_TRANSFER;
    u8* block = stream->ramCurAddr;
    DCFlushRange(block, RamBlockBytes(stream));
    if (stream->child != nullptr && stream->child->status != 0)
        MoveBlock(stream->child, block + size, size);
    MoveBlock(stream, block, size);
    StreamDMAInProgress = 0;
    stream->status &= ~STREAM_STATUS_TRANSFER;
}

// Playing, keeping a read in flight and a last block already moved.
void SetPlaying(s_stream* stream) {
    constexpr u32 kKept =
        STREAM_STATUS_READING | STREAM_STATUS_LAST_BLOCK | STREAM_STATUS_LAST_BLOCK_DEFERRED;
    stream->status = STREAM_STATUS_PLAYING | (stream->status & kKept);
}

// Reads, block moves and the start of a parent stream; true when the frame's work
// is done with that.
bool Refill(s_stream* stream) {
    s_ngc_file* file = StreamFileRecord(stream);
    if (file == nullptr)
        return true;
    if ((stream->status & STREAM_STATUS_LAST_BLOCK) == 0 &&
        stream->ramBytesToRefresh >= stream->ramBufferSize / 2) {
        if ((stream->status & STREAM_STATUS_READING) == 0 && !StreamFileBusy(file) &&
            CurFileStream == nullptr)
            StartRead(stream, file);
        return true;
    }
    if (StreamFileBusy(file))
        return true;
    const u32 half = stream->spuBufferSize / 2;
    const u32 held = stream->ramBufferSize - stream->ramBytesToRefresh;
    if ((stream->status & STREAM_STATUS_LAST_BLOCK) == 0 && stream->spuBytesToRefresh > half &&
        held >= RamBlockBytes(stream) && (stream->status & STREAM_STATUS_TRANSFER) == 0 &&
        StreamDMAInProgress == 0) {
        StreamTransferToARAM(stream, half);
        return true;
    }
    if ((stream->status & STREAM_STATUS_SETUP) != 0 && stream->spuBytesToRefresh < stream->spuBufferSize) {
        if ((stream->flags & STREAM_FLAG_HOLD) != 0) {
            stream->status |= STREAM_STATUS_READY;
            return true;
        }
        // A pause during the fill holds the start until the resume.
        if ((ChannelOf(stream).header.flags & CHANNEL_FLAG_PAUSED) != 0)
            return true;
        StreamRunVoices(stream, AX_PB_STATE_RUN);
        SetPlaying(stream);
        if (stream->child != nullptr && stream->child->status != 0)
            SetPlaying(stream->child);
        return true;
    }
    return false;
}

// Whether the voice has finished the last block: stopped at its end (and not by a
// pause), or already past it.
bool ReachedEnd(const s_stream* stream, const AXVPB* voice, u32 position, u32 end) {
    if ((stream->status & STREAM_STATUS_LAST_BLOCK) == 0 ||
        (stream->status & (STREAM_STATUS_LAST_BLOCK_DEFERRED | STREAM_STATUS_READING)) != 0)
        return false;
    if (position > end)
        return true;
    return voice->pb.state == AX_PB_STATE_STOP && (ChannelOf(stream).header.flags & CHANNEL_FLAG_PAUSED) == 0;
}

// The play position: the bytes played free the ring; the end is placed once the
// voice has wrapped, and reached ends or loops the stream.
void Track(s_stream* stream) {
    const AXVPB* voice = ChannelOf(stream).voiceData;
    if (voice == nullptr || (stream->status & STREAM_STATUS_SETUP) != 0)
        return;
    u32 position = voice->pb.addr.currentAddress / 2;
    if (!IsChild(stream) && (stream->status & STREAM_STATUS_LAST_BLOCK_DEFERRED) != 0 &&
        position < stream->spuLastPos) {
        StreamSetupLastBlock(stream, stream->slopBytes, true);
        if (stream->child != nullptr && stream->child->status != 0)
            StreamSetupLastBlock(stream->child, stream->child->slopBytes, true);
    }
    const u32 end = voice->pb.addr.endAddress / 2;
    if (position != stream->spuLastPos && position <= end) {
        const u32 played = position >= stream->spuLastPos
                               ? position - stream->spuLastPos
                               : position + stream->spuBufferSize - stream->spuLastPos;
        stream->spuBytesToRefresh = std::min(stream->spuBytesToRefresh + played, stream->spuBufferSize);
        stream->spuLastPos = position;
        return;
    }
    if (IsChild(stream) || !ReachedEnd(stream, voice, position, end))
        return;
    if ((stream->flags & STREAM_FLAG_LOOP) != 0) {
        StreamLoopToStart(stream);
        if (stream->child != nullptr && stream->child->status != 0)
            StreamLoopToStart(stream->child);
        return;
    }
    StreamSilence(stream);
}

void ResetRings(s_stream* stream) {
    stream->spuBytesToRefresh = stream->spuBufferSize;
    stream->spuCurAddr = stream->spuRefreshAddr = stream->spuLastPos = stream->spuCurDmaAddr =
        stream->spuAddr;
    stream->ramBytesToRefresh = stream->ramBufferSize;
    stream->ramCurAddr = stream->ramRefreshAddr = stream->ramAddr;
    stream->fileLoopSlop = 0;
}

void FreeStreamChannel(s32 channel) {
    s_channel_status& status = ChannelStatus[channel];
    if (status.voiceData != nullptr && AudioEnabled) {
        AXSetVoiceState(status.voiceData, AX_PB_STATE_STOP);
        AXFreeVoice(status.voiceData);
    }
    AudioReleaseChannel(u32(channel));
}

void PauseVoices(s_stream* stream) {
    StreamRunVoices(stream, AX_PB_STATE_STOP);
    for (s_stream* half : {stream, stream->child}) {
        if (half == nullptr || half->status == 0)
            continue;
        u16& flags = ChannelOf(half).header.flags;
        flags = u16((flags & ~CHANNEL_FLAG_PAUSE_REQUEST) | CHANNEL_FLAG_PAUSED);
    }
}

void ResumeVoices(s_stream* stream) {
    if ((stream->status & STREAM_STATUS_PLAYING) != 0)
        StreamRunVoices(stream, AX_PB_STATE_RUN);
    for (s_stream* half : {stream, stream->child}) {
        if (half == nullptr || half->status == 0)
            continue;
        u16& flags = ChannelOf(half).header.flags;
        flags = u16(flags & ~(CHANNEL_FLAG_PAUSED | CHANNEL_FLAG_RESUME_REQUEST));
    }
}

}  // namespace

void StreamUpdate(s_stream* stream) {
    if ((stream->status & STREAM_STATUS_STOPPING) != 0) {
        StreamRelease(stream);
        return;
    }
    if (!IsChild(stream) && Refill(stream))
        return;
    Track(stream);
}

void StreamLoopToStart(s_stream* stream) {
    ResetRings(stream);
    stream->playbackCurPos = 0;
    stream->curSpuBlock = 0;
    stream->fileCurPos = stream->fileStartPos;
    stream->status = STREAM_STATUS_SETUP;
    stream->slopBytes = 0;
    StreamVoiceSetup(stream->channel);
}

void StreamProcess(s32 channel) {
    if (channel < 0 || channel >= AUDIO_CHANNEL_COUNT)
        return;
    s_channel_status& status = ChannelStatus[channel];
    s_stream* stream = status.header.stream;
    if (stream == nullptr) {
        // Released on the last frame: the channel goes now.
        FreeStreamChannel(channel);
        return;
    }
    const u16 flags = status.header.flags;
    if ((flags & CHANNEL_FLAG_PAUSE_REQUEST) != 0) {
        if (status.voiceData == nullptr)
            return;
        if (IsChild(stream))
            StreamUpdate(stream);
        else
            PauseVoices(stream);
        return;
    }
    if ((flags & CHANNEL_FLAG_RESUME_REQUEST) != 0 && status.voiceData != nullptr && !IsChild(stream))
        ResumeVoices(stream);
    StreamUpdate(stream);
}

s_stream* StreamResyncAll() {
    s_stream* last = nullptr;
    for (s_stream& stream : SpuStream) {
        if (stream.status == 0)
            continue;
        // Back to the first block the voice has not finished: what was moved and not
        // yet played is read again.
        const u32 half = stream.spuBufferSize / 2;
        const u32 unplayed = stream.spuBufferSize - stream.spuBytesToRefresh;
        const u32 back = std::min((unplayed + half - 1) / half, stream.curSpuBlock);
        stream.curSpuBlock -= back;
        stream.playbackCurPos = stream.curSpuBlock * half;
        stream.fileCurPos = stream.fileStartPos + stream.curSpuBlock * RamBlockBytes(&stream);
        ResetRings(&stream);
        stream.slopBytes = 0;
        stream.status = STREAM_STATUS_SETUP | (stream.status & STREAM_STATUS_PAUSED);
        StreamVoiceSetup(stream.channel);
        last = &stream;
    }
    return last;
}
