// Generated shapes are closed solids wound outwards with normals that agree, and
// their strips and command streams draw exactly their triangles. The test figure's
// skeleton, skin and walk go through the engine's own checks and loaders.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "orblib47/source/Anim.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/Skin.h"
#include "tests/engine/DataFixture.h"
#include "tests/engine/OrbMathTestUtil.h"
#include "tests/support/SkinModelBuilder.h"
#include "tools/discbuild/MaterialWriter.h"
#include "tools/modelgen/Figure.h"
#include "tools/modelgen/Strips.h"

namespace {

using namespace modelgen;
using Triangle = std::array<u32, 3>;

s_Vector3 Sub(const s_Vector3& a, const s_Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z, 0};
}
s_Vector3 Cross(const s_Vector3& a, const s_Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x, 0};
}
f32 Dot(const s_Vector3& a, const s_Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The same rotation of every triangle, so that lists can be compared.
Triangle Canonical(Triangle t) {
    std::rotate(t.begin(), std::min_element(t.begin(), t.end()), t.end());
    return t;
}

std::vector<Triangle> ListTriangles(std::span<const u16> indices, u32 base = 0) {
    std::vector<Triangle> out;
    for (size_t i = 0; i + 2 < indices.size(); i += 3)
        out.push_back(Canonical({indices[i] + base, indices[i + 1] + base, indices[i + 2] + base}));
    std::sort(out.begin(), out.end());
    return out;
}

void AddStrip(std::vector<Triangle>* out, std::span<const u16> s) {
    for (size_t k = 0; k + 2 < s.size(); ++k)
        out->push_back(
            Canonical(k % 2 == 0 ? Triangle{s[k], s[k + 1], s[k + 2]} : Triangle{s[k + 1], s[k], s[k + 2]}));
}

// The triangles a mesh command stream draws, whatever its primitive commands.
std::vector<Triangle> Drawn(const discbuild::VhmMesh& mesh, const std::vector<u16>& modelIndices) {
    std::vector<Triangle> out;
    const std::span<const u16> indices = std::span(modelIndices).subspan(mesh.firstIndex, mesh.numIndices);
    for (const s_model_command& c : mesh.commands) {
        if (c.type == MODEL_CMD_STRIP || c.type == MODEL_CMD_SKIN_STRIP)
            AddStrip(&out, indices.subspan(c.parm32, c.parm16 + 2u));
        if (c.type == MODEL_CMD_SKIN_TRIS) {
            const std::vector<Triangle> list = ListTriangles(indices.subspan(c.parm32, 3u * c.parm16));
            out.insert(out.end(), list.begin(), list.end());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Runs cover the vertices in order, each under the bones of its vertices, three-bone
// runs fit the skin index table, and no bone set comes back after another.
void ExpectRunsGroupedByBoneSet(const std::vector<s_vertex_cmd>& commands,
                                const std::vector<u32>& weightBones) {
    const size_t n = weightBones.size();
    std::vector<u32> sets;
    u32 current = 0, matrices = 0, next = 0;
    ASSERT_FALSE(commands.empty());
    for (const s_vertex_cmd& c : commands) {
        if (c.type >= VERTEX_CMD_MATRIX1 && c.type <= VERTEX_CMD_MATRIX3) {
            matrices = c.type;
            const u32 bones[3] = {c.parm8, c.parm16, c.parm32};
            current = 0xFFFFFFFFu;
            for (u32 k = 0; k < matrices; ++k)
                current = (current & ~(0xFFu << (24 - 8 * k))) | (bones[k] << (24 - 8 * k));
            EXPECT_EQ(std::count(sets.begin(), sets.end(), current), 0) << std::hex << current;
            sets.push_back(current);
        }
        if (c.type != VERTEX_CMD_SKIN)
            continue;
        EXPECT_NE(c.type, VERTEX_CMD_END);  // the writer ends the stream
        EXPECT_EQ(c.parm16, next);
        EXPECT_GE(c.parm32, 1u);
        EXPECT_TRUE(matrices < 3 || c.parm32 <= MODEL_SKIN_INDEX_COUNT);
        for (u32 i = c.parm16; i < c.parm16 + c.parm32 && i < n; ++i)
            EXPECT_EQ(weightBones[i], current) << "vertex " << i;
        next = c.parm16 + c.parm32;
    }
    EXPECT_EQ(next, n);
}

struct Shape {
    std::string name;
    Mesh mesh;
    f32 volume;     // enclosed volume
    f32 tolerance;  // of the volume, for facets against curves
};

std::vector<Shape> Shapes() {
    constexpr f32 pi = std::numbers::pi_v<f32>;
    // Points given twice crease the rims.
    const ProfilePoint can[] = {{0, 0}, {1, 0}, {1, 0}, {1, 2}, {1, 2}, {0, 2}};
    const ProfilePoint pin[] = {{0, 0},       {0.3f, 0},    {0.3f, 0}, {0.45f, 0.5f},
                                {0.2f, 1.2f}, {0.3f, 1.7f}, {0, 2}};
    const f32 pinVolume = pi / 3 *
                          (0.5f * (0.09f + 0.135f + 0.2025f) + 0.7f * (0.2025f + 0.09f + 0.04f) +
                           0.5f * (0.04f + 0.06f + 0.09f) + 0.3f * 0.09f);
    return {
        {"box", Box({-1, -2, -3, 0}, {2, 1, 1, 0}, {2, 3, 1}, 0xFF0000FFu), 36, 1e-4f},
        {"sphere", Sphere(1.5f, 16, 24, 0xFFFFFFFFu), 4 / 3.0f * pi * 3.375f, 0.04f},
        {"can", Lathe(can, 32, 0xFFFFFFFFu), 2 * pi, 0.01f},
        {"pin", Lathe(pin, 32, 0xFFFFFFFFu), pinVolume, 0.01f},
    };
}

TEST(ModelGenShapes, ClosedWoundOutwardsWithAgreeingUnitNormals) {
    for (const Shape& shape : Shapes()) {
        SCOPED_TRACE(shape.name);
        const std::vector<Vertex>& v = shape.mesh.vertices;
        const std::vector<u16>& t = shape.mesh.triangles;
        ASSERT_FALSE(t.empty());
        // Vertices at one place (seams, creases, poles) are one corner of the solid.
        std::map<std::array<long, 3>, u32> places;
        auto place = [&](u16 i) {
            const std::array<long, 3> key{std::lround(v[i].pos.x * 1e4f), std::lround(v[i].pos.y * 1e4f),
                                          std::lround(v[i].pos.z * 1e4f)};
            return places.emplace(key, u32(places.size())).first->second;
        };
        std::map<std::pair<u32, u32>, u32> edges;
        f32 volume = 0;
        for (size_t k = 0; k < t.size(); k += 3) {
            const s_Vector3 &a = v[t[k]].pos, &b = v[t[k + 1]].pos, &c = v[t[k + 2]].pos;
            const s_Vector3 face = Cross(Sub(b, a), Sub(c, a));
            ASSERT_GT(Dot(face, face), 0) << "degenerate triangle " << k / 3;
            for (u32 corner = 0; corner < 3; ++corner)
                EXPECT_GT(Dot(face, v[t[k + corner]].normal), 0) << "triangle " << k / 3;
            volume += Dot(a, Cross(b, c)) / 6;
            for (u32 e = 0; e < 3; ++e)
                ++edges[{place(t[k + e]), place(t[k + (e + 1) % 3])}];
        }
        // Closed and consistently wound: every edge once each way.
        for (const auto& [edge, count] : edges) {
            EXPECT_EQ(count, 1u) << edge.first << "->" << edge.second;
            EXPECT_EQ(edges.count({edge.second, edge.first}), 1u) << edge.first << "->" << edge.second;
        }
        // Positive, so wound outwards.
        EXPECT_NEAR(volume / shape.volume, 1.0f, shape.tolerance);
        for (const Vertex& vertex : v)
            EXPECT_NEAR(Dot(vertex.normal, vertex.normal), 1.0f, 1e-5f);
    }
}

TEST(ModelGenShapes, StripsDrawEveryTriangleOnceWithItsWinding) {
    struct Case {
        std::string name;
        std::vector<u16> triangles;
        size_t runs;  // 0: no more than two for every three triangles (the caps are fans)
    };
    std::vector<Case> cases = {
        {"quad", {0, 1, 2, 2, 1, 3}, 1},
        {"opposite windings", {0, 1, 2, 1, 2, 3}, 2},
        {"fan", {0, 1, 2, 0, 2, 3, 0, 3, 4, 0, 4, 5}, 2},
        {"repeated triangle", {0, 1, 2, 0, 1, 2}, 2},
    };
    for (const Shape& shape : Shapes())
        cases.push_back({shape.name, shape.mesh.triangles, 0});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Strips strips = Stripify(c.triangles);
        std::vector<Triangle> drawn;
        for (const Strips::Run& run : strips.runs) {
            EXPECT_GE(run.triangles, 1u);
            AddStrip(&drawn, std::span<const u16>(strips.indices).subspan(run.first, run.triangles + 2));
        }
        std::sort(drawn.begin(), drawn.end());
        EXPECT_EQ(drawn, ListTriangles(c.triangles));
        if (c.runs != 0) {
            EXPECT_EQ(strips.runs.size(), c.runs);
        } else {
            EXPECT_LE(strips.runs.size() * 3, c.triangles.size() / 3 * 2);
        }
    }
}

TEST(ModelGenShapes, StaticModelDrawsEachPartUnderItsMaterialFromQuantisedVertices) {
    std::vector<Part> parts;
    for (const Shape& shape : Shapes())
        parts.push_back({shape.mesh, PlainMaterial(0x808080FFu, shape.name)});
    const GeneratedModel model = StaticModel(parts);
    const discbuild::VhmModel& vhm = model.vhm;
    ASSERT_EQ(vhm.meshes.size(), parts.size());
    EXPECT_EQ(vhm.flags, 0u);
    u32 base = 0;
    for (size_t m = 0; m < parts.size(); ++m) {
        SCOPED_TRACE(parts[m].material.texturePassList[0].textureName);
        const discbuild::VhmMesh& mesh = vhm.meshes[m];
        ASSERT_GE(mesh.commands.size(), 3u);
        EXPECT_EQ(mesh.commands.front().type, MODEL_CMD_MATERIAL);
        EXPECT_EQ(mesh.commands.front().parm8, m);
        EXPECT_EQ(std::count_if(mesh.commands.begin(), mesh.commands.end(),
                                [](const s_model_command& c) { return c.type == MODEL_CMD_END; }),
                  0);
        EXPECT_STREQ(vhm.materials[m].texturePassList[0].textureName,
                     parts[m].material.texturePassList[0].textureName);
        s_ORB_MATERIAL parsed;
        EXPECT_TRUE(OrbMaterialParse(discbuild::MaterialRecord(vhm.materials[m]), &parsed));
        EXPECT_EQ(Drawn(mesh, vhm.indices), ListTriangles(parts[m].mesh.triangles, base));
        EXPECT_EQ(mesh.numPolygons, s32(parts[m].mesh.triangles.size() / 3));
        base += u32(parts[m].mesh.vertices.size());
    }
    std::vector<std::string> textures;
    for (const Shape& shape : Shapes())
        textures.push_back(shape.name);
    EXPECT_EQ(vhm.textureNames, textures);
    ASSERT_EQ(vhm.quantVertices.size(), base);
    ASSERT_EQ(vhm.vertices.size(), base);

    // Every coordinate within half a step of the word's scale, which still holds the
    // largest; normals in 1/64 steps.
    const s_quant_load q = QuantLoadDecode(vhm.vertNormGQR);
    EXPECT_EQ(q.type, QUANT_TYPE_S16);
    const f32 largest = std::max({-vhm.minBounds.x, -vhm.minBounds.y, -vhm.minBounds.z, vhm.maxBounds.x,
                                  vhm.maxBounds.y, vhm.maxBounds.z});
    EXPECT_LE(largest, 32767 * q.scale);
    EXPECT_GT(largest, 32767 * q.scale / 2);
    size_t i = 0;
    for (const Part& part : parts) {
        for (const Vertex& v : part.mesh.vertices) {
            const s_model_vertex_quant& qv = vhm.quantVertices[i++];
            EXPECT_NEAR(QuantLoad16(q, qv.coord[0]), v.pos.x, q.scale / 2);
            EXPECT_NEAR(QuantLoad16(q, qv.coord[1]), v.pos.y, q.scale / 2);
            EXPECT_NEAR(QuantLoad16(q, qv.coord[2]), v.pos.z, q.scale / 2);
            EXPECT_NEAR(qv.normal[1] / 64.0f, v.normal.y, 1 / 128.0f);
            EXPECT_NEAR(qv.u / 1024.0f, v.u, 1 / 2048.0f);
            EXPECT_EQ(qv.color, v.color);
        }
    }
}

TEST(ModelGenShapes, SkinnedVerticesRunInBoneSetsThatFitTheIndexTable) {
    // Rings of a sphere by turns on one, two or three bones: more three-bone vertices
    // than one run may hold, and the sets interleaved.
    Mesh mesh = Sphere(1, 24, 32, 0xFFFFFFFFu);
    std::vector<Influences> influences;
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
        const size_t ring = i / 33;
        influences.push_back(ring % 3 == 0   ? Influences{{4, kNoBone, kNoBone}, {1, 0, 0}}
                             : ring % 3 == 1 ? Influences{{9, 4, 7}, {0.5f, 0.25f, 0.25f}}
                                             : Influences{{kNoBone, 2, 4}, {0, 3, 1}});
    }
    std::vector<s_hmatrix_bone_def> chain(10);  // each bone the child of the one before
    for (s16 b = 0; b < 10; ++b)
        chain[b] = {IDMatrix4, IDMatrix4, 0, s16(b - 1), -1, s16(b < 9 ? b + 1 : -1), -1, b};
    const discbuild::VhmModel model = SkinnedModel(mesh, influences, PlainMaterial(0xFFFFFFFFu), chain).vhm;
    EXPECT_THROW(
        SkinnedModel(mesh, influences, PlainMaterial(0xFFFFFFFFu), {chain.begin(), chain.begin() + 9}),
        std::invalid_argument);  // bone 9 past the skeleton
    ASSERT_GT(std::count(model.weightBones.begin(), model.weightBones.end(), 0x040709FFu),
              s32(MODEL_SKIN_INDEX_COUNT));
    EXPECT_EQ(std::count(model.weightBones.begin(), model.weightBones.end(), 0x0204FFFFu),
              std::count_if(influences.begin(), influences.end(),
                            [](const Influences& in) { return in.bones[1] == 2; }));
    ExpectRunsGroupedByBoneSet(model.vertexCommands, model.weightBones);
    for (size_t i = 0; i < model.vertexWeights.size(); ++i) {
        const u16* w = model.vertexWeights[i].weight;
        EXPECT_EQ(w[0] + w[1] + w[2], 0x8000) << "vertex " << i;
        // Scaled to one, 3 to 1.
        EXPECT_TRUE(model.weightBones[i] != 0x0204FFFFu || w[0] == 0x6000) << "vertex " << i;
    }
    EXPECT_EQ(Drawn(model.meshes[0], model.indices).size(), mesh.triangles.size() / 3);
}

class ModelGenFigureTest : public LeakCheckedFixture {
protected:
    // The figure's skin as the engine's skinning reads it.
    static SkinModelBuilder Skin(const discbuild::VhmModel& model) {
        SkinModelBuilder skin;
        for (const s_vertex_cmd& c : model.vertexCommands)
            skin.Command(c.type, c.parm8, c.parm16, c.parm32);
        skin.End();
        skin.vertices = model.skinnedVertices;
        skin.weights = model.vertexWeights;
        skin.out.assign(skin.vertices.size() + 1, s_vert_pair{});
        return skin;
    }

    const Figure figure_ = MakeFigure();
    const discbuild::VhmModel& model_ = figure_.model.vhm;
};

TEST_F(ModelGenFigureTest, SkeletonPosesTheSkinAboutItsJoints) {
    ASSERT_EQ(model_.bones.size(), kFigureBoneCount);
    EXPECT_EQ(model_.flags, MODEL_FLAG_SKINNED);
    ASSERT_TRUE(HMatrixCheckBones(model_.bones.data(), kFigureBoneCount, model_.rootBoneId));
    s_hmatrix* pose = HMatrixAlloc(model_.bones.data(), kFigureBoneCount, s16(model_.rootBoneId), nullptr);
    ASSERT_NE(pose, nullptr);
    SkinModelBuilder skin = Skin(model_);
    s_model_skin view{skin.commands, skin.vertices, skin.weights, model_.vertNormGQR, skin.out};
    ASSERT_TRUE(ModelCheckVertexCommands(view, kFigureBoneCount));
    const s_quant_load q = QuantLoadDecode(model_.vertNormGQR);
    auto rest = [&](size_t i) {
        const s16* c = skin.vertices[i].coord;
        return V3(QuantLoad16(q, c[0]), QuantLoad16(q, c[1]), QuantLoad16(q, c[2]));
    };

    // The bind pose skins every vertex to where it rests.
    HMatrixUpdateMatrix(pose, &IDMatrix4);
    for (s32 b = 0; b < kFigureBoneCount; ++b)
        ExpectMatrixNear(pose->boneList[b].modelMatrixInv, IDMatrix4, 1e-5f);
    ASSERT_TRUE(ModelWeightVertices(view, pose));
    for (size_t i = 0; i < skin.vertices.size(); ++i)
        ExpectVec3Near(V3(skin.out[i].x, skin.out[i].y, skin.out[i].z), rest(i).x, rest(i).y, rest(i).z,
                       1e-4f);

    // The left leg raised a quarter turn swings its own vertices about the hip joint.
    s_Matrix4 turn = IDMatrix4;
    Matrix4RotateX(&turn, std::numbers::pi_v<f32> / 2);
    s_hmatrix_bone& leg = pose->boneList[kFigureLegLeft];
    Matrix4ToQuat(&leg.localQuatSys.quat, &turn);
    leg.flags |= HBONE_FLAG_QUAT_CHANGED;
    HMatrixUpdateMatrix(pose, &IDMatrix4);
    ASSERT_TRUE(ModelWeightVertices(view, pose));
    const s_Vector3 hip = V3(0.1f, 0.9f, 0);
    u32 legOnly = 0;
    for (size_t i = 0; i < skin.vertices.size(); ++i) {
        if (model_.weightBones[i] != (u32(kFigureLegLeft) << 24 | 0xFFFFFFu))
            continue;
        ++legOnly;
        const s_Vector3 want = TransformPoint(turn, Sub(rest(i), hip));
        ExpectVec3Near(V3(skin.out[i].x, skin.out[i].y, skin.out[i].z), hip.x + want.x, hip.y + want.y,
                       hip.z + want.z, 1e-4f);
    }
    EXPECT_GT(legOnly, 0u);
    HMatrixFree(pose);
}

TEST_F(ModelGenFigureTest, WeightsSumToOneInRunsGroupedByBoneSet) {
    const size_t n = model_.skinnedVertices.size();
    ASSERT_EQ(model_.vertexWeights.size(), n);
    ASSERT_EQ(model_.weightBones.size(), n);
    u32 threeBones = 0;
    for (size_t i = 0; i < n; ++i) {
        u32 sum = 0, used = 0;
        for (u32 k = 0; k < 3; ++k) {
            const u16 w = model_.vertexWeights[i].weight[k];
            const u8 bone = u8(model_.weightBones[i] >> (24 - 8 * k));
            EXPECT_EQ(w == 0, bone == 0xFF) << "vertex " << i;
            EXPECT_TRUE(bone == 0xFF || bone < kFigureBoneCount) << "vertex " << i;
            sum += w;
            used += w != 0;
        }
        EXPECT_EQ(sum, 0x8000u) << "vertex " << i;
        threeBones += used == 3;
    }
    EXPECT_GT(threeBones, 0u);

    ExpectRunsGroupedByBoneSet(model_.vertexCommands, model_.weightBones);
}

TEST_F(ModelGenFigureTest, DrawsEveryTriangleWoundAsItsNormals) {
    ASSERT_EQ(model_.meshes.size(), 1u);
    const discbuild::VhmMesh& mesh = model_.meshes[0];
    const std::vector<Triangle> drawn = Drawn(mesh, model_.indices);
    EXPECT_EQ(drawn.size(), size_t(mesh.numPolygons));
    EXPECT_EQ(std::adjacent_find(drawn.begin(), drawn.end()), drawn.end());
    const s_quant_load q = QuantLoadDecode(model_.vertNormGQR);
    auto at = [&](u32 i, bool normal) {
        const s16* c = normal ? model_.skinnedVertices[i].normal : model_.skinnedVertices[i].coord;
        return V3(QuantLoad16(q, c[0]), QuantLoad16(q, c[1]), QuantLoad16(q, c[2]));
    };
    for (const Triangle& t : drawn) {
        ASSERT_LT(*std::max_element(t.begin(), t.end()), model_.skinnedVertices.size());
        const s_Vector3 face =
            Cross(Sub(at(t[1], false), at(t[0], false)), Sub(at(t[2], false), at(t[0], false)));
        for (u32 i : t)
            EXPECT_GT(Dot(face, at(i, true)), 0);
    }
}

TEST_F(ModelGenFigureTest, WalkLoadsAndSwingsTheLegs) {
    ASSERT_EQ(model_.animNames, std::vector<std::string>{kFigureBankName});
    const std::vector<u8> chunk = discbuild::VhaPayload(figure_.animations);
    s_hanim_header* bank = HAnimLoad(kFigureBankName, Image(chunk), u32(chunk.size()), 0);
    ASSERT_NE(bank, nullptr) << report().text();
    ASSERT_EQ(bank->numAnim, 1);
    const s_hanim_data& walk = bank->animList[0];
    EXPECT_STREQ(walk.name, "WALK");
    EXPECT_TRUE(walk.flags & HANIM_FLAG_REPEAT);
    EXPECT_EQ(walk.timeEnd, kFigureWalkTime);

    // A quarter of the way round the left leg is swung fully forward; the left foot
    // falls there.
    bool swung = false, stepped = false;
    const s_hanim_channel* channel = walk.channels;
    for (u32 c = 0; c < walk.count; ++c, channel = HAnimNextChannel(channel)) {
        const u32 quarter = (kFigureWalkKeys - 1) / 4;
        if (channel->type == ANIM_QUAT && channel->boneId == kFigureLegLeft) {
            EXPECT_FLOAT_EQ(HAnimKeyTime(channel, quarter), kFigureWalkTime / 4);
            s_Vector4 v;
            HAnimKeyValue(channel, quarter, &v);
            const s_Quaternion key{v.x, v.y, v.z, v.w};
            s_Matrix4 got = IDMatrix4, want = IDMatrix4;
            QuatToMatrix4(&got, &key);
            Matrix4RotateX(&want, kFigureWalkSwing);
            ExpectMatrixNear(got, want, 1e-3f);
            swung = true;
        }
        if (channel->type == ANIM_EVENT) {
            ASSERT_EQ(channel->count, 2);
            EXPECT_EQ(HAnimEventKey(channel, 0)->parms.type, ANIM_EVENT_TYPE_FOOTSTEP_PLAY_LEFT);
            EXPECT_FLOAT_EQ(HAnimEventKey(channel, 0)->time, kFigureWalkTime / 4);
            stepped = true;
        }
    }
    EXPECT_TRUE(swung);
    EXPECT_TRUE(stepped);
    HAnimFree(bank);
}

TEST_F(ModelGenFigureTest, LoadsThroughTheModelLoaderAndSkinsAtRest) {
    const std::vector<u8> bank = discbuild::VhaPayload(figure_.animations);
    s_hanim_header* walk = HAnimLoad(kFigureBankName, Image(bank), u32(bank.size()), 0);
    ASSERT_NE(walk, nullptr) << report().text();
    const std::vector<u8> chunk = discbuild::VhmPayload(model_);
    s_model* m = ModelLoad("FIGURE", Image(chunk), u32(chunk.size()));
    ASSERT_NE(m, nullptr) << report().text();
    EXPECT_EQ(m->flags, MODEL_FLAG_SKINNED);
    ASSERT_EQ(m->numVertex, s32(model_.vertices.size()));
    ASSERT_EQ(m->numAnimDefs, 1);
    EXPECT_EQ(m->animDefs[0].animation, walk);

    s_hmatrix* pose = HMatrixAlloc(m->boneList, s16(m->numBones), s16(m->rootBoneId), nullptr);
    ASSERT_NE(pose, nullptr);
    HMatrixUpdateMatrix(pose, &IDMatrix4);
    ASSERT_TRUE(ModelWeightVertices(ModelSkinView(*m), pose));
    const f32 step = QuantLoadDecode(m->vertNormGQR).scale;
    for (s32 i = 0; i < m->numVertex; ++i) {
        const s_vert_pair& out = m->outVertNormBuffer[i];
        ExpectVec3Near(V3(out.x, out.y, out.z), m->vertexList[i].coord.x, m->vertexList[i].coord.y,
                       m->vertexList[i].coord.z, step);
    }
    HMatrixFree(pose);
    ModelFree(m);
    HAnimFree(walk);
}

TEST_F(ModelGenFigureTest, ShapesLoadThroughTheModelLoader) {
    std::vector<Part> parts;
    for (const Shape& shape : Shapes())
        parts.push_back({shape.mesh, PlainMaterial(0x808080FFu)});
    const discbuild::VhmModel source = StaticModel(parts).vhm;
    const std::vector<u8> chunk = discbuild::VhmPayload(source);
    s_model* m = ModelLoad("SHAPES", Image(chunk), u32(chunk.size()));
    ASSERT_NE(m, nullptr) << report().text();
    EXPECT_EQ(m->numMeshes, s32(parts.size()));
    EXPECT_EQ(m->quantVertices.size(), source.quantVertices.size());
    EXPECT_EQ(m->vertNormGQR, source.vertNormGQR);
    ModelFree(m);
}

}  // namespace
