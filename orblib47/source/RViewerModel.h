// The resource viewer's model and world views. Each blocks, running frames, until
// RViewerCancel is raised.
#pragma once

#include "orblib47/source/OrbTypes.h"

// The model or model group `name` of the open archives; 0.
s32 RViewerViewModel(char* name);
// The world geometry the open archives hold, with a test sphere; `name` is unused.
s32 RViewerViewWorld(char* name);
// Power-on: the views' menus, toolbar and records as a fresh program has them.
void RViewerModelColdReset();
