// What the hierarchical model's files share.
#pragma once

#include "orblib47/source/HModel.h"

// --- HModel.cpp

// Binds `model`, whose reference the hmodel takes over, with a hierarchy for
// `maxBones` bones and flat matrices for `maxMaterials` materials. On failure the
// reference is released and the hmodel is left unbound.
bool HModelBindModel(s_hmodel* hmodel, s_model* model, s32 maxBones, s32 maxMaterials);
// Builds and frees what hangs on the bound model's bones: physics primitives and
// the draw instance.
void HModelAttach(s_hmodel* hmodel);
void HModelDetach(s_hmodel* hmodel);
