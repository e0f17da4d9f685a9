// The state of immediate vertex submission that other calls must respect.
#pragma once

namespace console::gx {

// True between GXBegin and GXEnd.
bool SubmissionOpen();
// Drops a primitive in progress.
void SubmissionReset();

}  // namespace console::gx
