#include "tools/discbuild/MaterialWriter.h"

#include <bit>
#include <cstring>

#include "orblib47/source/ChunkReader.h"

namespace discbuild {

namespace {

class Out {
public:
    explicit Out(u8* at) : at_(at) {}
    void Word(u32 value) {
        StoreBE32(at_, value);
        at_ += 4;
    }
    void Float(f32 value) { Word(std::bit_cast<u32>(value)); }
    void Floats(const f32* values, u32 count) {
        for (u32 i = 0; i < count; ++i)
            Float(values[i]);
    }
    void Vector(const s_Vector4& v) {
        Float(v.x);
        Float(v.y);
        Float(v.z);
        Float(v.w);
    }
    void Bytes(const void* data, u32 length) {
        std::memcpy(at_, data, length);
        at_ += length;
    }

private:
    u8* at_;
};

}  // namespace

std::array<u8, ORB_MATERIAL_FILE_SIZE> MaterialRecord(const s_ORB_MATERIAL& material) {
    std::array<u8, ORB_MATERIAL_FILE_SIZE> record{};
    Out out(record.data());
    out.Floats(material.matrix.element, 16);
    out.Vector(material.ambient);
    out.Vector(material.diffuse);
    out.Vector(material.specular);
    out.Vector(material.emissive);
    out.Bytes(&material.drawModes, sizeof material.drawModes);
    out.Word(material.flags);
    out.Float(material.shininess);
    out.Word(material.mode);
    out.Word(0);  // setupFunc
    out.Float(material.depthOffset);
    out.Word(u32(material.shader));
    out.Word(u32(material.numShaderParms));
    out.Floats(material.shaderParmList, 4);
    out.Word(u32(material.numTexturePasses));
    for (const s_TEXTURE_PASS& pass : material.texturePassList) {
        out.Bytes(pass.textureName, TEXTURE_PASS_NAME_LEN);
        out.Word(0);  // texture
        out.Word(pass.mode);
        out.Word(u32(pass.combine));
        out.Floats(pass.parms, 6);
    }
    out.Word(u32(material.vertexShader));
    out.Word(u32(material.pixelShader));
    return record;
}

}  // namespace discbuild
