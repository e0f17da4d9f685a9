// Between the screenshot service's connection (Screenshot.cpp) and its answers to
// the host's requests (ScreenshotRequest.cpp).
#pragma once

#include "console/os.h"
#include "orblib47/source/OrbTypes.h"

// A write the host keeps refusing is tried this often; then the host is taken as
// gone and the connection dropped (the next frame connects again).
constexpr u32 kWriteAttempts = 100;
// Requests answered in one frame at most: a whole picture (the largest EFB image
// is 124 chunks) when the host asks for its chunks back to back.
constexpr u32 kRequestsPerFrame = 128;
// How long one frame waits for the next chunk request of a transfer.
constexpr OSTime kNextRequestWait = OSMillisecondsToTicks(20);

// Sends to the host's memory at offset 0 / to the host's mailbox; false when the
// connection was given up.
bool ScreenshotWrite(const void* data, u32 size);
bool ScreenshotSendMail(u32 word);

// Answers one request word (data first, then the word echoed); true when chunks of
// the same transfer follow.
bool ScreenshotAnswer(u32 word, const u8* xfb, u8* workBuffer);
