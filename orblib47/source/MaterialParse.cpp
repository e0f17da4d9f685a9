#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Material.h"

namespace {

static_assert(sizeof(s_MATERIAL_DRAW_MODE) == 8, "draw modes are read as their 8 file bytes");

bool ReadVector(ChunkCursor& in, s_Vector4* v) {
    return in.F32(&v->x) && in.F32(&v->y) && in.F32(&v->z) && in.F32(&v->w);
}

bool ReadFloats(ChunkCursor& in, f32* out, u32 count) {
    for (u32 i = 0; i < count; ++i)
        if (!in.F32(&out[i]))
            return false;
    return true;
}

// Values that the draw-context setters take.
bool KnownDrawModes(const s_MATERIAL_DRAW_MODE& m) {
    return m.combine < DC_COMBINE_COUNT && m.cull < DC_CULL_COUNT && m.zbuffer < DC_ZMODE_COUNT &&
           m.zbufwrite <= 1 && m.wrap < DC_TEXTURE_WRAP_COUNT &&
           (m.stencil == DC_STENCIL_ON || m.stencil == DC_STENCIL_OFF) && m.lighting <= 1;
}

bool ReadPass(ChunkCursor& in, s_TEXTURE_PASS* pass) {
    u32 mode = 0, combine = 0;
    if (!in.Name(TEXTURE_PASS_NAME_LEN, pass->textureName) || !in.Skip(4) || !in.U32(&mode) ||
        !in.U32(&combine) || !ReadFloats(in, pass->parms, 6))
        return false;
    pass->texture = nullptr;
    pass->mode = e_TEXTURE_MODE(mode);
    pass->combine = e_COMBINE_MODE(combine);
    return true;
}

}  // namespace

bool OrbMaterialParse(std::span<const u8> record400, s_ORB_MATERIAL* out) {
    if (record400.size() < ORB_MATERIAL_FILE_SIZE)
        return false;
    ChunkCursor in(ChunkReader(record400.data(), ORB_MATERIAL_FILE_SIZE));
    s_ORB_MATERIAL m{};
    u32 mode = 0;
    if (!ReadFloats(in, m.matrix.element, 16) || !ReadVector(in, &m.ambient) || !ReadVector(in, &m.diffuse) ||
        !ReadVector(in, &m.specular) || !ReadVector(in, &m.emissive) ||
        !in.Copy(sizeof m.drawModes, &m.drawModes) || !in.U32(&m.flags) || !in.F32(&m.shininess) ||
        !in.U32(&mode) || !in.Skip(4) || !in.F32(&m.depthOffset) || !in.S32(&m.shader) ||
        !in.S32(&m.numShaderParms) || !ReadFloats(in, m.shaderParmList, 4) || !in.S32(&m.numTexturePasses))
        return false;
    for (s_TEXTURE_PASS& pass : m.texturePassList)
        if (!ReadPass(in, &pass))
            return false;
    if (!in.S32(&m.vertexShader) || !in.S32(&m.pixelShader))
        return false;
    if (mode >= MATERIAL_MODE_COUNT || m.numTexturePasses < 0 ||
        m.numTexturePasses > MATERIAL_MAX_TEXTURE_PASSES || !KnownDrawModes(m.drawModes))
        return false;
    m.mode = e_MATERIAL_MODE(mode);
    m.setupFunc = nullptr;
    *out = m;
    return true;
}
