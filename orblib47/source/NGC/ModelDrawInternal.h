// What the mesh drawers share: the skinning matrices of the model being drawn and
// the senders of one vertex of each kind into an open GX primitive.
#pragma once

#include "orblib47/source/Model.h"

// MODEL_MAX_BONES skinning matrices (the warm reset allocates them).
extern s_Matrix4* ModelMatrixList;

// Declares position, normal, colour 0 and, while TextureOn is set, texture
// coordinate 0 as direct attributes; true when the vertices carry texture
// coordinates.
bool ModelDeclareVertex();

// A static vertex in vertex format 1, from the quantised array (dequantised by `q`)
// or, for a model without quantisation, from the float array.
void ModelSendStaticVertex(const s_model& model, u16 index, const s_quant_load& q, bool textured);

// A weighted vertex in vertex format 2: position and normal from the weighted
// buffer, colour and texture coordinates from the skinned vertex.
void ModelSendWeightedVertex(const s_model& model, u16 index, bool textured);

// coord += w x (m applied to `rest`), normal += w x (m's rotation applied to
// `restNormal`).
void ModelAccumulateBone(const s_Matrix4& m, f32 w, const s_Vector4& rest, const s_Vector4& restNormal,
                         s_Vector4* coord, s_Vector4* normal);

// The index of the first material or end command after command `i` (the stream's
// command count when there is none).
u32 ModelSkipToMaterial(const s_model_mesh& mesh, u32 i);
