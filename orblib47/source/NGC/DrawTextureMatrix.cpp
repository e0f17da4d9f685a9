// Texture coordinate 0's generator: straight through, or scrolled by a matrix.
#include "console/gx.h"
#include "orblib47/source/DrawContext.h"

void DrawSetTextureMatrix(const s_Matrix4* matrix) {
    if (matrix == nullptr) {
        GXSetTexCoordGen(GX_TEXCOORD0, GX_TG_MTX2x4, GX_TG_TEX0, GX_IDENTITY);
        return;
    }
    // Only the translation scrolls: the rest stays the identity.
    Mtx scroll = {{1.0f, 0.0f, 0.0f, matrix->at(0, 3)}, {0.0f, 1.0f, 0.0f, matrix->at(1, 3)}, {}};
    GXLoadTexMtxImm(scroll, GX_TEXMTX0, GX_MTX2x4);
    GXSetTexCoordGen(GX_TEXCOORD0, GX_TG_MTX2x4, GX_TG_TEX0, GX_TEXMTX0);
}
