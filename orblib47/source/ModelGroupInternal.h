// Shared between the model-group files: the streamed definitions' bookkeeping.
#pragma once

#include "orblib47/source/ModelGroup.h"

// Stamps a streamed definition with GameTime and moves it to the recent end of the
// least-recently-used list; nothing for a definition without an archive.
void ModelGroupTouch(s_model_def* def);
// Starts reading the definition's own archive unless it is read, a read is
// pending or all request records are in use.
void ModelGroupLoadModel(s_model_def* def);
// Frees the model and the archive, takes the definition off the list and forgets
// a pending read (whose archive is freed when it arrives).
void ModelGroupRelease(s_model_def* def);
