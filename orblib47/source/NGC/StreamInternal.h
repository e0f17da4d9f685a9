// What the parts of the disc stream engine share. Internal.
#pragma once

#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/Stream.h"

extern u32 StreamSizeRAM;
extern u32 StreamSizeSpuRAM;
// The stream whose disc read is in flight: one reader at a time. It stays set
// until the read lands, even when its slot is released meanwhile, so that the slot
// is not handed out while the drive still writes into its ring.
extern s_stream* CurFileStream;
extern s32 StreamDMAInProgress;

// Reads run in the file record's asynchronous state word, so that the file's own
// readers and the other streams see the pack's file busy.
s_ngc_file* StreamFileRecord(const s_stream* stream);
bool StreamFileBusy(const s_ngc_file* file);
void StreamSetFileBusy(s_ngc_file* file, bool busy);

// The bytes of one channel's data: a stereo stream holds two.
u32 StreamChannelLength(const s_stream* stream);

// Programs the stream voice of a channel over its audio-memory ring, stopped.
void StreamVoiceSetup(u32 channel);
void StreamRunVoices(s_stream* stream, u16 state);
// Silences both halves and marks them for release on the next audio frame.
void StreamSilence(s_stream* stream);
// Frees the slot; the channel goes on the next audio frame.
void StreamRelease(s_stream* stream);
void StreamLoopToStart(s_stream* stream);
void StreamUpdate(s_stream* stream);
