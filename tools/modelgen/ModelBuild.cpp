#include "tools/modelgen/ModelBuild.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/modelgen/Quantise.h"
#include "tools/modelgen/Strips.h"

namespace modelgen {

namespace {

// Even, so that a strip cut into pieces keeps its winding.
constexpr u32 kMostTriangles = 0xFFFE;

struct Bounds {
    s_Vector4 center{}, min{}, max{};
    f32 radius = 0;
};

template <typename Positions>
Bounds BoundsOf(const Positions& positions) {
    Bounds b;
    bool first = true;
    for (const s_Vector3& p : positions) {
        if (first)
            b.min = b.max = {p.x, p.y, p.z, 0};
        first = false;
        b.min = {std::min(b.min.x, p.x), std::min(b.min.y, p.y), std::min(b.min.z, p.z), 0};
        b.max = {std::max(b.max.x, p.x), std::max(b.max.y, p.y), std::max(b.max.z, p.z), 0};
    }
    b.center = {(b.min.x + b.max.x) / 2, (b.min.y + b.max.y) / 2, (b.min.z + b.max.z) / 2, 0};
    for (const s_Vector3& p : positions)
        b.radius = std::max(b.radius, std::hypot(p.x - b.center.x, p.y - b.center.y, p.z - b.center.z));
    return b;
}

std::vector<s_Vector3> Positions(const std::vector<Vertex>& vertices, std::span<const u16> indices) {
    std::vector<s_Vector3> out;
    for (u16 i : indices)
        out.push_back(vertices[i].pos);
    return out;
}

void SetBounds(MeshRecord* mesh, const std::vector<Vertex>& vertices) {
    const Bounds b = BoundsOf(Positions(vertices, mesh->indices));
    mesh->centerOffset = b.center;
    mesh->minBounds = b.min;
    mesh->maxBounds = b.max;
    mesh->radius = b.radius;
}

void SetBounds(GeneratedModel* model, const std::vector<Vertex>& vertices) {
    std::vector<s_Vector3> positions;
    for (const Vertex& v : vertices)
        positions.push_back(v.pos);
    const Bounds b = BoundsOf(positions);
    model->centerOffset = b.center;
    model->minBounds = b.min;
    model->maxBounds = b.max;
    model->radius = b.radius;
}

// Primitive commands of `type` for `triangles` from index `first`, in pieces the
// 16-bit count holds; a triangle starts `stride` indices after the one before.
void Primitive(MeshRecord* mesh, u8 type, u32 first, u32 triangles, u32 stride) {
    for (u32 done = 0; done < triangles; done += kMostTriangles)
        mesh->commands.push_back(
            {type, 0, u16(std::min(kMostTriangles, triangles - done)), first + done * stride});
}

s_Vector4 Rgba(u32 color) {
    return {f32(color >> 24) / 255, f32((color >> 16) & 0xFF) / 255, f32((color >> 8) & 0xFF) / 255,
            f32(color & 0xFF) / 255};
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
    std::vector<Vertex> vertices;
    for (const Part& part : parts) {
        const u32 base = u32(vertices.size());
        vertices.insert(vertices.end(), part.mesh.vertices.begin(), part.mesh.vertices.end());
        if (vertices.size() > 0x10000)
            throw std::invalid_argument("modelgen: more vertices than 16-bit indices reach");
        std::vector<u16> triangles;
        for (u16 i : part.mesh.triangles)
            triangles.push_back(u16(base + i));
        const Strips strips = Stripify(triangles);
        MeshRecord mesh;
        mesh.indices = strips.indices;
        mesh.numPolygons = s32(triangles.size() / 3);
        mesh.commands.push_back({MODEL_CMD_MATERIAL, u8(model.materials.size()), 0, 0});
        for (const Strips::Run& run : strips.runs)
            Primitive(&mesh, MODEL_CMD_STRIP, run.first, run.triangles, 1);
        mesh.commands.push_back({MODEL_CMD_END, 0, 0, 0});
        SetBounds(&mesh, vertices);
        model.meshes.push_back(std::move(mesh));
        model.materials.push_back(part.material);
    }
    if (model.materials.size() > 0x100)
        throw std::invalid_argument("modelgen: more materials than a material command selects");
    SetBounds(&model, vertices);
    model.vertNormGQR = VertNormGQR(
        std::max({std::fabs(model.minBounds.x), std::fabs(model.minBounds.y), std::fabs(model.minBounds.z),
                  std::fabs(model.maxBounds.x), std::fabs(model.maxBounds.y), std::fabs(model.maxBounds.z)}));
    for (const Vertex& v : vertices) {
        const u32 q = model.vertNormGQR;
        model.quantVertices.push_back(
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
    model.flags = MODEL_FLAG_SKINNED;
    model.skin = SkinMesh(&mesh, influences);
    model.vertNormGQR = model.skin.vertNormGQR;
    model.bones = std::move(bones);
    model.materials = {material};

    const Strips strips = Stripify(mesh.triangles);
    MeshRecord record;
    record.numPolygons = s32(mesh.triangles.size() / 3);
    record.commands.push_back({MODEL_CMD_MATERIAL, 0, 0, 0});
    std::vector<u16> lone;
    for (const Strips::Run& run : strips.runs) {
        const auto from = strips.indices.begin() + run.first;
        if (run.triangles == 1) {
            lone.insert(lone.end(), from, from + 3);
            continue;
        }
        Primitive(&record, MODEL_CMD_SKIN_STRIP, u32(record.indices.size()), run.triangles, 1);
        record.indices.insert(record.indices.end(), from, from + run.triangles + 2);
    }
    Primitive(&record, MODEL_CMD_SKIN_TRIS, u32(record.indices.size()), u32(lone.size() / 3), 3);
    record.indices.insert(record.indices.end(), lone.begin(), lone.end());
    record.commands.push_back({MODEL_CMD_END, 0, 0, 0});
    SetBounds(&record, mesh.vertices);
    model.meshes = {std::move(record)};
    SetBounds(&model, mesh.vertices);
    return model;
}

}  // namespace modelgen
