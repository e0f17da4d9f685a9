// What the stream manager's files share. Internal.
#pragma once

#include "orblib47/source/OrbStream.h"

// Calls the stream's event callback once (event 1, finished) and clears it.
void OrbStreamFireEvent(COrbStream* stream);
