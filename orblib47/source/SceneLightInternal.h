// The scene-light list shared by the pool, the selection and the loading.
#pragma once

#include "orblib47/source/SceneLight.h"

// The first light of the list, in descending priority; null when empty.
extern scene_light* SceneLightList;
extern scene_light* GlobalSceneLight;
