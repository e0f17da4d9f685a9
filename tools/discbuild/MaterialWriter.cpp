#include "tools/discbuild/MaterialWriter.h"

#include <algorithm>

#include "tools/discbuild/ChunkOut.h"

namespace discbuild {

std::array<u8, ORB_MATERIAL_FILE_SIZE> MaterialRecord(const s_ORB_MATERIAL& material) {
    ChunkOut out;
    out.Floats(material.matrix.element, 16);
    out.Vector4(material.ambient);
    out.Vector4(material.diffuse);
    out.Vector4(material.specular);
    out.Vector4(material.emissive);
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
    std::array<u8, ORB_MATERIAL_FILE_SIZE> record{};
    std::copy(out.Data().begin(), out.Data().end(), record.begin());
    return record;
}

}  // namespace discbuild
