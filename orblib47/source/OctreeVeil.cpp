// Veils: a model's occluder quads, read from its chunk and turned each frame into
// the volumes (the quad's plane and the four planes through the camera and its
// edges) that hide whatever lies wholly behind them.
#include <bit>
#include <cstdint>
#include <cstring>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Octree.h"

s_draw_clip_plane TempVeilPlanes[VEIL_MAX * DRAW_VEIL_PLANE_COUNT];

namespace {

constexpr s32 kClipOutside = 0x3F;

s_draw_veil ReadVeil(const u8* p) {
    s_draw_veil veil;
    veil.x = std::bit_cast<f32>(LoadBE32(p));
    veil.y = std::bit_cast<f32>(LoadBE32(p + 4));
    veil.z = std::bit_cast<f32>(LoadBE32(p + 8));
    veil.radius = std::bit_cast<f32>(LoadBE32(p + 12));
    veil.normalIndex = LoadBE32(p + 16);
    for (s32 j = 0; j < 4; ++j)
        veil.vertIndex[j] = LoadBE16(p + 20 + 2 * j);
    veil.flags = LoadBE32(p + 28);
    return veil;
}

s_Vector3 Sub(const s_Vector3& a, const s_Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z, 0.0f};
}

f32 Dot(const s_Vector3& a, const s_Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

s_Vector3 Cross(const s_Vector3& a, const s_Vector3& b) {
    s_Vector3 out;
    Vect3Cross(&out, &a, &b);
    return out;
}

// A degenerate edge gives a zero normal rather than an unwritten one.
s_Vector3 Unit(const s_Vector3& v) {
    s_Vector3 out = {0.0f, 0.0f, 0.0f, 0.0f};
    Vect3Normal(&out, &v);
    return out;
}

void SetPlane(s_draw_clip_plane* plane, const s_Vector3& n, f32 distance) {
    plane->x = n.x;
    plane->y = n.y;
    plane->z = n.z;
    plane->distance = distance;
}

// The five planes of a veil seen from c, into planes[0..4].
void BuildVolume(s_draw_clip_plane* planes, const s_Vector3 (&q)[4], const s_Vector3& centre,
                 const s_Vector3& c) {
    s_Vector3 n = Unit(Cross(Sub(q[2], q[1]), Sub(q[0], q[1])));
    const bool facing = Dot(n, Sub(centre, c)) > 0.0f;
    if (!facing)
        n = {-n.x, -n.y, -n.z, 0.0f};
    SetPlane(&planes[0], n, -Dot(q[0], n));
    for (s32 j = 0; j < 4; ++j) {
        const s_Vector3 a = Sub(q[j], c);
        const s_Vector3 b = Sub(q[(j + 1) % 4], c);
        const s_Vector3 m = Unit(facing ? Cross(a, b) : Cross(b, a));
        SetPlane(&planes[1 + j], m, -Dot(c, m));
    }
}

}  // namespace

bool VeilListParse(std::span<u8> chunk, u32 offset, u32 count, u32 numVertices, s_draw_veil** out) {
    const ChunkReader reader(chunk.data(), u32(chunk.size()));
    if (!reader.RangeArray(offset, count, sizeof(s_draw_veil)) ||
        reinterpret_cast<std::uintptr_t>(chunk.data() + offset) % alignof(s_draw_veil) != 0) {
        DEBUG_PRINT("VEIL: bad veil list (outside the chunk)\n");
        return false;
    }
    u8* data = chunk.data() + offset;
    for (u32 i = 0; i < count; ++i) {
        const s_draw_veil veil = ReadVeil(data + i * sizeof(s_draw_veil));
        for (u16 corner : veil.vertIndex) {
            if (corner >= numVertices) {
                DEBUG_PRINT("VEIL: bad veil list (corner past the collision vertices)\n");
                return false;
            }
        }
    }
    for (u32 i = 0; i < count; ++i) {
        const s_draw_veil veil = ReadVeil(data + i * sizeof(s_draw_veil));
        std::memcpy(data + i * sizeof(s_draw_veil), &veil, sizeof(veil));
    }
    *out = reinterpret_cast<s_draw_veil*>(data);
    return true;
}

void ModelUpdateVeilPlanes(const s_model* model) {
    const std::span<const s_draw_veil> veils(model->veilList, size_t(model->numVeils));
    const std::span<const s_model_collision_vertex> vertices(model->collisionVertexList,
                                                             size_t(model->numCollisionVertex));
    if (veils.empty()) {
        DrawSetVeilPlanes(0, nullptr);
        return;
    }
    const s_Vector3 c = DrawContext.viewport->cameraPosition;
    const s_Vector3 f = DrawContext.viewport->cameraForward;
    s32 k = 0;
    for (const s_draw_veil& veil : veils) {
        if (veil.flags & DRAW_VEIL_DISABLED)
            continue;
        s_Vector3 q[4];
        bool ahead = false;
        for (s32 j = 0; j < 4; ++j) {
            ORB_ASSERT(veil.vertIndex[j] < vertices.size(), "Veil corner %u past %zu vertices\n",
                       unsigned(veil.vertIndex[j]), vertices.size());
            const s_model_collision_vertex& v = vertices[veil.vertIndex[j]];
            q[j] = {v.x, v.y, v.z, 0.0f};
            ahead = ahead || Dot(Sub(q[j], c), f) > 0.0f;
        }
        const s_Vector3 centre = {veil.x, veil.y, veil.z, 0.0f};
        if (!ahead || (DrawClipSphereInside(&centre, veil.radius) & kClipOutside))
            continue;
        if (k == VEIL_MAX) {
            DEBUG_PRINT("VEIL: more than %d veils in view, the rest dropped\n", VEIL_MAX);
            break;
        }
        BuildVolume(&TempVeilPlanes[k * DRAW_VEIL_PLANE_COUNT], q, centre, c);
        ++k;
    }
    DrawSetVeilPlanes(k, TempVeilPlanes);
}
