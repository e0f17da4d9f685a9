#include "tools/discbuild/VhmWriter.h"

#include <bit>
#include <stdexcept>

#include "tools/discbuild/ChunkOut.h"
#include "tools/discbuild/MaterialWriter.h"

namespace discbuild {

namespace {

// The model's own fields on top of the chunk builder.
class Out : public ChunkOut {
public:
    using ChunkOut::ChunkOut;

    void Vector3(const s_Vector4& v) { Float(v.x), Float(v.y), Float(v.z), Word(0); }
    void Name(const std::string& name) {
        if (name.size() > MODEL_NAME_LEN)
            throw std::invalid_argument("vhm: name longer than 16 characters: " + name);
        Text(name, MODEL_NAME_LEN);
    }
    // Starts a list on 16 bytes and returns its offset.
    u32 Start() {
        Align(16);
        return Size();
    }
    // A tree's map behind the lists so far, or 0 for none.
    u32 OctTree(const std::optional<OctreeNode>& root) {
        if (!root)
            return 0;
        Start();
        return OctreeAppend(Data(), &*root);
    }
};

template <typename T, typename Write>
u32 List(Out* out, const std::vector<T>& items, Write write) {
    const u32 at = out->Start();
    for (const T& item : items)
        write(item);
    return at;
}

void Sphere(Out* out, const s_model_collision_sphere& s) {
    out->Vector3(s.offset);
    out->Half(u16(s.flags));
    out->Byte(u8(s.boneId));
    out->Byte(u8(s.link));
    out->Word(s.group);
    out->Float(s.radius);
    out->Word(0);
}

void Bone(Out* out, const s_hmatrix_bone_def& b) {
    out->Floats(b.localMatrix.element, 16);
    out->Floats(b.model2BoneMatrix.element, 16);
    for (s16 v : {b.flags, b.parentId, b.siblingId, b.childId, b.meshId, b.boneId})
        out->Half(u16(v));
    out->Word(0);
}

void Command(Out* out, u8 type, u8 parm8, u16 parm16, u32 parm32) {
    out->Byte(type);
    out->Byte(parm8);
    out->Half(parm16);
    out->Word(parm32);
}

void Check(const VhmModel& m) {
    const size_t n = m.vertices.size();
    const int unions = !m.skinnedVertices.empty() + !m.quantVertices.empty() + !m.floatVertices.empty();
    if (unions > 1)
        throw std::invalid_argument("vhm: more than one vertex union");
    const size_t unionSize = m.skinnedVertices.size() + m.quantVertices.size() + m.floatVertices.size();
    if (unions == 1 && unionSize != n)
        throw std::invalid_argument("vhm: vertex union length is not numVertex");
    if ((!m.vertexWeights.empty() && m.vertexWeights.size() != n) ||
        (!m.weightBones.empty() && m.weightBones.size() != n))
        throw std::invalid_argument("vhm: skin list length is not numVertex");
    for (const VhmMesh& mesh : m.meshes)
        if (u64(mesh.firstIndex) + mesh.numIndices > m.indices.size())
            throw std::invalid_argument("vhm: mesh indices past the index list");
    for (const std::vector<u8>& prim : m.physicsPrims)
        if (prim.size() != kVhmPhysicsPrimSize)
            throw std::invalid_argument("vhm: physics primitive not 80 bytes");
}

}  // namespace

std::vector<u8> VhmPayload(const VhmModel& m) {
    Check(m);
    Out out(kVhmHeaderSize);

    const u32 vertexList = List(&out, m.vertices, [&](const s_model_vertex& v) {
        out.Float(v.u), out.Float(v.v), out.Word(v.pad[0]), out.Word(v.pad[1]);
        out.Vector4(v.coord), out.Vector4(v.normal), out.Vector4(v.color);
    });
    const u32 collisionVertexList = List(&out, m.collisionVertices, [&](const s_model_collision_vertex& v) {
        out.Float(v.x), out.Float(v.y), out.Float(v.z), out.Word(v.rgba);
    });
    const u32 indexList = List(&out, m.indices, [&](u16 i) { out.Half(i); });
    const u32 normalList = List(&out, m.normals, [&](const s_Vector4& v) { out.Vector3(v); });
    const u32 boneList = List(&out, m.bones, [&](const s_hmatrix_bone_def& b) { Bone(&out, b); });

    // The mesh records first, then the table of their offsets, then their commands.
    std::vector<u32> meshAt, commandsAt;
    for (const VhmMesh& mesh : m.meshes) {
        commandsAt.push_back(out.Start());
        for (const s_model_command& c : mesh.commands)
            Command(&out, c.type, c.parm8, c.parm16, c.parm32);
        Command(&out, MODEL_CMD_END, 0, 0, 0);
    }
    for (size_t i = 0; i < m.meshes.size(); ++i) {
        const VhmMesh& mesh = m.meshes[i];
        meshAt.push_back(out.Start());
        out.Vector3(mesh.centerOffset), out.Vector3(mesh.minBounds), out.Vector3(mesh.maxBounds);
        out.Word(mesh.flags);
        out.Word(0);  // materialFlags, recomputed at load
        out.Float(mesh.radius);
        out.Word(commandsAt[i]);
        out.Word(u32(mesh.numPolygons));
        out.Word(mesh.numIndices);
        out.Word(indexList + 2 * mesh.firstIndex);
        out.Word(0), out.Word(0), out.Word(0);  // mesh-level collision fields
        out.Word(mesh.vertGQR);
        out.Word(0);
    }
    const u32 meshList = List(&out, meshAt, [&](u32 at) { out.Word(at); });

    const u32 sphereList = List(&out, m.collisionSpheres, [&](const auto& s) { Sphere(&out, s); });
    const u32 linkPointList = List(&out, m.linkPoints, [&](const auto& s) { Sphere(&out, s); });
    const u32 selectionSetList = List(&out, m.selectionSets, [&](const VhmSelectionSet& s) {
        out.Name(s.name);
        for (u16 v : {s.numVertex, s.vertexIndex, s.numFace, s.faceIndex, s.numVeil, s.veilIndex})
            out.Half(v);
    });
    const u32 setVertexList = List(&out, m.selectionSetVertices, [&](const s_model_set_vertex& v) {
        out.Vector4(v.coord), out.Vector4(v.normal), out.Floats(v.weights, 3), out.Word(v.bones);
    });
    const u32 vertexIndexList = List(&out, m.vertexIndices, [&](u16 i) { out.Half(i); });
    const u32 faceIndexList = List(&out, m.faceIndices, [&](u16 i) { out.Half(i); });
    const u32 veilIndexList = List(&out, m.veilIndices, [&](u16 i) { out.Half(i); });
    const auto nameRef = [&](const std::string& name) { out.Name(name), out.Word(0); };
    const u32 textureDefs = List(&out, m.textureNames, nameRef);
    const u32 animDefs = List(&out, m.animNames, nameRef);
    const u32 collisionFaceList = List(&out, m.collisionFaces, [&](const s_model_collision_face& f) {
        out.Float(f.x), out.Float(f.y), out.Float(f.z), out.Float(f.radius);
        for (u16 v : {f.flags, f.surface, f.normalIndex, f.boneId, f.vertIndex[0], f.vertIndex[1],
                      f.vertIndex[2], f.vertIndex[3]})
            out.Half(v);
    });
    const u32 veilList = List(&out, m.veils, [&](const s_draw_veil& v) {
        out.Float(v.x), out.Float(v.y), out.Float(v.z), out.Float(v.radius), out.Word(v.normalIndex);
        for (u16 corner : v.vertIndex)
            out.Half(corner);
        out.Word(v.flags);
    });
    const u32 orbMaterialList = List(&out, m.materials, [&](const s_ORB_MATERIAL& material) {
        const auto record = MaterialRecord(material);
        out.Bytes(record.data(), record.size());
    });
    const u32 physicsPrimList = List(&out, m.physicsPrims, [&](const std::vector<u8>& p) { out.Bytes(p); });

    u32 vertexUnion = out.Start();
    for (const s_model_vertex_skinned& v : m.skinnedVertices) {
        for (s16 h : {v.u, v.v, v.coord[0], v.coord[1], v.coord[2], v.normal[0], v.normal[1], v.normal[2]})
            out.Half(u16(h));
        out.Word(v.color);
    }
    for (const s_model_vertex_quant& v : m.quantVertices) {
        for (s16 h : {v.u, v.v, v.coord[0], v.coord[1], v.coord[2], v.coord[3]})
            out.Half(u16(h));
        for (s8 b : v.normal)
            out.Byte(u8(b));
        out.Word(v.color);
    }
    for (const s_model_vertex_float& v : m.floatVertices) {
        out.Half(u16(v.u)), out.Half(u16(v.v));
        out.Word(0), out.Word(0), out.Word(0);
        out.Floats(v.coord, 3);
        out.Word(0);
        for (s8 b : v.normal)
            out.Byte(u8(b));
        out.Byte(0);
        out.Word(v.color);
        out.Word(0), out.Word(0);
    }
    u32 vertexCommands = 0;
    if (!m.vertexCommands.empty()) {
        vertexCommands = out.Start();
        for (const s_vertex_cmd& c : m.vertexCommands)
            Command(&out, c.type, c.parm8, c.parm16, c.parm32);
        Command(&out, VERTEX_CMD_END, 0, 0, 0);
    }
    const u32 weightList = List(&out, m.vertexWeights, [&](const s_model_vertex_weight& w) {
        out.Half(w.weight[0]), out.Half(w.weight[1]), out.Half(w.weight[2]);
    });
    const u32 weightBones = List(&out, m.weightBones, [&](u32 b) { out.Word(b); });

    const u32 octTree = out.OctTree(m.octTree);
    const u32 collisionOctTree = out.OctTree(m.collisionOctTree);
    const u32 veilOctTree = out.OctTree(m.veilOctTree);

    const struct {
        u32 at, value;
    } fields[] = {
        {4, m.flags},
        {8, (u32(m.vertexFlags) << 16) | m.vertexSize},
        {12, std::bit_cast<u32>(m.radius)},
        {64, m.materialFlags},
        {68, u32(m.vertices.size())},
        {72, vertexList},
        {76, u32(m.collisionVertices.size())},
        {80, collisionVertexList},
        {84, u32(m.indices.size())},
        {88, indexList},
        {92, u32(m.normals.size())},
        {96, normalList},
        {108, u32(m.rootBoneId)},
        {112, u32(m.bones.size())},
        {116, boneList},
        {124, u32(m.meshes.size())},
        {128, meshList},
        {132, u32(m.collisionSpheres.size())},
        {136, sphereList},
        {140, u32(m.linkPoints.size())},
        {144, linkPointList},
        {148, u32(m.selectionSets.size())},
        {152, selectionSetList},
        {156, u32(m.selectionSetVertices.size())},
        {160, setVertexList},
        {164, vertexIndexList},
        {168, faceIndexList},
        {172, veilIndexList},
        {176, u32(m.textureNames.size())},
        {180, textureDefs},
        {184, u32(m.animNames.size())},
        {188, animDefs},
        {192, octTree},
        {196, u32(m.collisionFaces.size())},
        {200, collisionFaceList},
        {204, collisionOctTree},
        {208, u32(m.veils.size())},
        {212, veilList},
        {216, veilOctTree},
        {220, u32(m.materials.size())},
        {224, orbMaterialList},
        {228, u32(m.physicsPrims.size())},
        {232, physicsPrimList},
        {236, vertexUnion},
        {240, vertexCommands},
        {244, weightList},
        {248, weightBones},
        {252, m.vertNormGQR},
    };
    for (const auto& field : fields)
        out.Patch(field.at, field.value);
    const s_Vector4* boxes[] = {&m.centerOffset, &m.minBounds, &m.maxBounds};
    for (u32 i = 0; i < 3; ++i) {
        out.Patch(16 + 16 * i, std::bit_cast<u32>(boxes[i]->x));
        out.Patch(20 + 16 * i, std::bit_cast<u32>(boxes[i]->y));
        out.Patch(24 + 16 * i, std::bit_cast<u32>(boxes[i]->z));
    }
    return out.Take();
}

}  // namespace discbuild
