// The material shadow casters are rendered under: unlit, every pixel written
// whatever lies behind it, so the texture holds the casters' silhouette.
#include "orblib47/source/Shadow.h"

namespace {

s_ORB_MATERIAL MakeMaterialShadow() {
    s_ORB_MATERIAL m{};
    for (int i = 0; i < 4; ++i)
        m.matrix.element[i * 5] = 1.0f;
    m.ambient = m.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    m.drawModes = {u8(DC_COMBINE_OVERWRITE),
                   u8(DC_CULL_BACK),
                   u8(DC_ZMODE_ALWAYS),
                   0,
                   u8(DC_TEXTURE_WRAP_CLAMP),
                   u8(DC_STENCIL_OFF),
                   0,
                   0};
    m.flags = MATERIAL_FLAG_HAS_OPAQUE;
    m.mode = MATERIAL_MODE_DEFAULT;
    m.setupFunc = MaterialStandardFunc;
    return m;
}

}  // namespace

s_ORB_MATERIAL MaterialShadow = MakeMaterialShadow();
