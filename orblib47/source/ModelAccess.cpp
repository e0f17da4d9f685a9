#include "orblib47/source/Model.h"

void ModelGetBounds(const s_model* model, s_Vector4 corners[8]) {
    const s_Vector4& lo = model->minBounds;
    const s_Vector4& hi = model->maxBounds;
    const f32 x[4] = {lo.x, hi.x, hi.x, lo.x};
    const f32 z[4] = {lo.z, lo.z, hi.z, hi.z};
    for (u32 i = 0; i < 4; ++i) {
        corners[i] = {x[i], hi.y, z[i], 0.0f};
        corners[i + 4] = {x[i], lo.y, z[i], 0.0f};
    }
}

f32 ModelGetHalfWidth(const s_model* model) {
    return (model->maxBounds.x - model->minBounds.x) * 0.5f;
}

void ModelMatrixIsScaled(s_model* model, bool on) {
    if (model == nullptr)
        return;
    model->flags = on ? model->flags | MODEL_FLAG_SCALED : model->flags & ~MODEL_FLAG_SCALED;
}

void ModelSetVertsWeighted(s_model* model) {
    model->flags |= MODEL_FLAG_VERTS_WEIGHTED;
}

void ModelClearVertsWeighted(s_model* model) {
    model->flags &= ~MODEL_FLAG_VERTS_WEIGHTED;
}
