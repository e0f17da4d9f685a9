// What the hierarchical model's files share.
#pragma once

#include "orblib47/source/HModel.h"

// --- HModel.cpp

// One more reference to a registered model, released by ModelFree.
void ModelHold(s_model* model);
// Binds `model`, whose reference the hmodel takes over, with a hierarchy for
// `maxBones` bones and flat matrices for `maxMaterials` materials. On failure the
// reference is released and the hmodel is left unbound.
bool HModelBindModel(s_hmodel* hmodel, s_model* model, s32 maxBones, s32 maxMaterials);
// Builds and frees what hangs on the bound model's bones: collision spheres, link
// points, physics primitives and the draw instance.
void HModelAttach(s_hmodel* hmodel);
void HModelDetach(s_hmodel* hmodel);

// --- HModelGroup.cpp

// Loads the group's models and binds its normal model with buffers that fit every
// loaded model; false, with the group untouched, when it has no normal model.
bool HModelBindGroup(s_hmodel* hmodel, s_model_group* group);
// The group's model for this update: by camera distance, or by type only.
void HModelChooseLod(s_hmodel* hmodel);
