#include "tools/modelgen/ModelBuild.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/modelgen/Quantise.h"
#include "tools/modelgen/SphereTree.h"
#include "tools/modelgen/Strips.h"

namespace modelgen {

namespace {

// Even, so that a strip cut into pieces keeps its winding.
constexpr u32 kMostTriangles = 0xFFFE;
constexpr u16 kVertexSize = 20;  // the quantised and the skinned vertex alike

struct Bounds {
    s_Vector4 center{}, min{}, max{};
    f32 radius = 0;
};

Bounds BoundsOf(const std::vector<s_Vector3>& positions) {
    Bounds b;
    if (positions.empty())
        return b;
    b.min = b.max = {positions[0].x, positions[0].y, positions[0].z, 0};
    for (const s_Vector3& p : positions) {
        b.min = {std::min(b.min.x, p.x), std::min(b.min.y, p.y), std::min(b.min.z, p.z), 0};
        b.max = {std::max(b.max.x, p.x), std::max(b.max.y, p.y), std::max(b.max.z, p.z), 0};
    }
    b.center = {(b.min.x + b.max.x) / 2, (b.min.y + b.max.y) / 2, (b.min.z + b.max.z) / 2, 0};
    for (const s_Vector3& p : positions)
        b.radius = std::max(b.radius, std::hypot(p.x - b.center.x, p.y - b.center.y, p.z - b.center.z));
    return b;
}

template <typename Record>
void SetBounds(Record* record, const std::vector<s_Vector3>& positions) {
    const Bounds b = BoundsOf(positions);
    record->centerOffset = b.center;
    record->minBounds = b.min;
    record->maxBounds = b.max;
    record->radius = b.radius;
}

s_Vector4 Rgba(u32 color) {
    return {f32(color >> 24) / 255, f32((color >> 16) & 0xFF) / 255, f32((color >> 8) & 0xFF) / 255,
            f32(color & 0xFF) / 255};
}

// The model's float vertex list, which every model carries.
void AddVertices(discbuild::VhmModel* model, const std::vector<Vertex>& vertices) {
    for (const Vertex& v : vertices)
        model->vertices.push_back({v.u,
                                   v.v,
                                   {},
                                   {v.pos.x, v.pos.y, v.pos.z, 1},
                                   {v.normal.x, v.normal.y, v.normal.z, 0},
                                   Rgba(v.color)});
    if (model->vertices.size() > 0x10000)
        throw std::invalid_argument("modelgen: more vertices than 16-bit indices reach");
}

// Primitive commands of `type` for `triangles` from the mesh's index `first`, in
// pieces the 16-bit count holds; a triangle starts `stride` indices after the one
// before.
void Primitive(discbuild::VhmMesh* mesh, u8 type, u32 first, u32 triangles, u32 stride) {
    for (u32 done = 0; done < triangles; done += kMostTriangles)
        mesh->commands.push_back(
            {type, 0, u16(std::min(kMostTriangles, triangles - done)), first + done * stride});
}

// Appends the mesh's indices to the model's list and sets its bounds from them.
void AddMesh(discbuild::VhmModel* model, discbuild::VhmMesh mesh, const std::vector<u16>& indices) {
    mesh.firstIndex = u32(model->indices.size());
    mesh.numIndices = u32(indices.size());
    model->indices.insert(model->indices.end(), indices.begin(), indices.end());
    std::vector<s_Vector3> positions;
    for (u16 i : indices)
        positions.push_back(
            {model->vertices[i].coord.x, model->vertices[i].coord.y, model->vertices[i].coord.z, 0});
    SetBounds(&mesh, positions);
    model->meshes.push_back(std::move(mesh));
}

void SetModelBounds(discbuild::VhmModel* model) {
    std::vector<s_Vector3> positions;
    for (const s_model_vertex& v : model->vertices)
        positions.push_back({v.coord.x, v.coord.y, v.coord.z, 0});
    SetBounds(model, positions);
}

void AddMaterial(GeneratedModel* model, const s_ORB_MATERIAL& material) {
    if (model->vhm.materials.size() == 0xFF)
        throw std::invalid_argument("modelgen: more materials than a material command selects");
    model->vhm.materials.push_back(material);
    std::vector<std::string>& names = model->vhm.textureNames;
    for (s32 p = 0; p < material.numTexturePasses; ++p) {
        const std::string name = material.texturePassList[p].textureName;
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
}

}  // namespace

s_ORB_MATERIAL PlainMaterial(u32 diffuse, const std::string& texture) {
    if (texture.size() > TEXTURE_PASS_NAME_LEN)
        throw std::invalid_argument("modelgen: a texture name longer than 16 characters");
    s_ORB_MATERIAL material{};
    material.matrix = IDMatrix4;
    material.ambient = material.diffuse = Rgba(diffuse);
    material.specular = {1, 1, 1, 0};
    material.drawModes = {DC_COMBINE_OVERWRITE,
                          DC_CULL_BACK,
                          DC_ZMODE_LESS_EQUAL,
                          1,
                          DC_TEXTURE_WRAP_TILE,
                          u8(DC_STENCIL_OFF),
                          1,
                          0};
    material.flags = MATERIAL_FLAG_HAS_OPAQUE;
    material.mode = MATERIAL_MODE_DEFAULT;
    if (!texture.empty()) {
        s_TEXTURE_PASS& pass = material.texturePassList[0];
        texture.copy(pass.textureName, TEXTURE_PASS_NAME_LEN);
        pass.mode = TEXTURE_MODE_DIFFUSE;
        pass.combine = DC_COMBINE_ALPHA;
        material.numTexturePasses = 1;
    }
    return material;
}

GeneratedModel StaticModel(const std::vector<Part>& parts) {
    GeneratedModel model;
    discbuild::VhmModel& vhm = model.vhm;
    vhm.vertexSize = kVertexSize;
    std::vector<std::vector<u16>> triangles;
    for (const Part& part : parts) {
        const u32 base = u32(vhm.vertices.size());
        AddVertices(&vhm, part.mesh.vertices);
        triangles.emplace_back();
        for (u16 i : part.mesh.triangles)
            triangles.back().push_back(u16(base + i));
    }
    SetModelBounds(&vhm);
    for (size_t m = 0; m < parts.size(); ++m) {
        const Strips strips = Stripify(triangles[m]);
        discbuild::VhmMesh mesh;
        mesh.numPolygons = s32(triangles[m].size() / 3);
        mesh.commands.push_back({MODEL_CMD_MATERIAL, u8(model.vhm.materials.size()), 0, 0});
        for (const Strips::Run& run : strips.runs)
            Primitive(&mesh, MODEL_CMD_STRIP, run.first, run.triangles, 1);
        AddMesh(&vhm, std::move(mesh), strips.indices);
        AddMaterial(&model, parts[m].material);
    }
    vhm.vertNormGQR = VertNormGQR(std::max({-vhm.minBounds.x, -vhm.minBounds.y, -vhm.minBounds.z,
                                            vhm.maxBounds.x, vhm.maxBounds.y, vhm.maxBounds.z}));
    const u32 q = vhm.vertNormGQR;
    for (const Part& part : parts) {
        for (const Vertex& v : part.mesh.vertices)
            vhm.quantVertices.push_back(
                {QuantiseUV(v.u),
                 QuantiseUV(v.v),
                 {QuantiseCoord(v.pos.x, q), QuantiseCoord(v.pos.y, q), QuantiseCoord(v.pos.z, q), 0},
                 {QuantiseNormal8(v.normal.x), QuantiseNormal8(v.normal.y), QuantiseNormal8(v.normal.z), 0},
                 v.color});
    }
    return model;
}

GeneratedModel SkinnedModel(Mesh mesh, const std::vector<Influences>& influences,
                            const s_ORB_MATERIAL& material, std::vector<s_hmatrix_bone_def> bones) {
    GeneratedModel model;
    discbuild::VhmModel& vhm = model.vhm;
    vhm.flags = MODEL_FLAG_SKINNED;
    vhm.vertexSize = kVertexSize;
    SkinMesh(&mesh, influences, u32(bones.size()), &vhm);
    AddVertices(&vhm, mesh.vertices);
    SetModelBounds(&vhm);
    vhm.bones = std::move(bones);
    AddMaterial(&model, material);

    const Strips strips = Stripify(mesh.triangles);
    discbuild::VhmMesh record;
    record.numPolygons = s32(mesh.triangles.size() / 3);
    record.commands.push_back({MODEL_CMD_MATERIAL, 0, 0, 0});
    std::vector<u16> indices, lone;
    for (const Strips::Run& run : strips.runs) {
        const auto from = strips.indices.begin() + run.first;
        if (run.triangles == 1) {
            lone.insert(lone.end(), from, from + 3);
            continue;
        }
        Primitive(&record, MODEL_CMD_SKIN_STRIP, u32(indices.size()), run.triangles, 1);
        indices.insert(indices.end(), from, from + run.triangles + 2);
    }
    Primitive(&record, MODEL_CMD_SKIN_TRIS, u32(indices.size()), u32(lone.size() / 3), 3);
    indices.insert(indices.end(), lone.begin(), lone.end());
    AddMesh(&vhm, std::move(record), indices);
    return model;
}

void SetMeshOctree(discbuild::VhmModel* model) {
    std::vector<ItemSphere> spheres;
    for (size_t m = 0; m < model->meshes.size(); ++m) {
        const discbuild::VhmMesh& mesh = model->meshes[m];
        spheres.push_back(
            {{mesh.centerOffset.x, mesh.centerOffset.y, mesh.centerOffset.z, 0}, mesh.radius, u16(m)});
    }
    model->octTree = SphereTree(std::move(spheres));
}

}  // namespace modelgen
