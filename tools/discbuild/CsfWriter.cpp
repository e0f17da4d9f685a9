#include "tools/discbuild/CsfWriter.h"

#include <cmath>
#include <stdexcept>

#include "tools/discbuild/ChunkOut.h"

namespace discbuild {

namespace {

constexpr u32 kHeaderSize = 32;
constexpr u32 kNameField = 16;
constexpr u32 kExtField = 4;
constexpr s32 kEnd = 1;

s_Vector3 Normal(const s_Vector3& v) {
    const f32 length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length, 0.0f};
}

// The rotation whose rows are the view's right, up and back axes, as the engine's
// quaternion-to-matrix conversion reads it.
s_Quaternion ViewQuat(const s_Vector3& right, const s_Vector3& up, const s_Vector3& back) {
    const f32 m[3][3] = {{right.x, right.y, right.z}, {up.x, up.y, up.z}, {back.x, back.y, back.z}};
    const f32 trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0.0f) {
        const f32 s = std::sqrt(1.0f + trace);
        const f32 k = 0.5f / s;
        return {k * (m[1][2] - m[2][1]), k * (m[2][0] - m[0][2]), k * (m[0][1] - m[1][0]), 0.5f * s};
    }
    s32 i = 0;
    if (m[1][1] > m[0][0])
        i = 1;
    if (m[2][2] > m[i][i])
        i = 2;
    const s32 j = (i + 1) % 3, k = (j + 1) % 3;
    f32 s = std::sqrt(1.0f + m[i][i] - (m[j][j] + m[k][k]));
    f32 v[3];
    v[i] = 0.5f * s;
    s = 0.5f / s;
    v[j] = s * (m[i][j] + m[j][i]);
    v[k] = s * (m[i][k] + m[k][i]);
    return {v[0], v[1], v[2], s * (m[j][k] - m[k][j])};
}

void Command(ChunkOut& out, s32 type, f32 time, u32 parm, const std::vector<u8>& payload) {
    out.Word(u32(type));
    out.Float(time);
    out.Word(u32(payload.size()));
    out.Word(parm);
    out.Bytes(payload);
}

std::vector<u8> Words(std::initializer_list<u32> words) {
    ChunkOut out;
    for (u32 word : words)
        out.Word(word);
    return out.Take();
}

u32 Bits(f32 value) {
    return std::bit_cast<u32>(value);
}

}  // namespace

std::vector<u8> CsfFile(const CsfScript& script) {
    ChunkOut out(kHeaderSize);
    for (const CsfDataDef& def : script.data) {
        if (def.name.size() > kNameField || def.ext.size() > kExtField)
            throw std::invalid_argument("csf: name or tag too long: " + def.name + "." + def.ext);
        out.Text(def.name, kNameField);
        out.Text(def.ext, kExtField);
        out.Word(0), out.Word(0), out.Word(0);
    }
    for (const CsfInstance& instance : script.instances) {
        if (instance.dataId >= script.data.size())
            throw std::invalid_argument("csf: a placement names no definition");
        out.Vector4(instance.pos);
        out.Vector4(instance.scale);
        out.Float(instance.quat.x), out.Float(instance.quat.y), out.Float(instance.quat.z);
        out.Float(instance.quat.w);
        out.Word(instance.dataId);
        out.Word(0), out.Word(0), out.Word(0);
    }
    f32 last = 0.0f;
    for (const CsfCommand& command : script.commands) {
        if (command.time < last)
            throw std::invalid_argument("csf: commands out of time order");
        last = command.time;
        Command(out, command.type, command.time, command.parm, command.payload);
    }
    Command(out, kEnd, last, 0, {});
    out.Patch(0, kCsfMagic);
    out.Patch(4, 0);
    out.Patch(8, Bits(last));
    out.Patch(12, out.Size());
    out.Patch(16, 0);
    out.Patch(20, u32(script.data.size()));
    out.Patch(24, u32(script.instances.size()));
    return out.Take();
}

std::vector<u8> CsfSetCamera(const s_Vector3& position, f32 fov, const s_Quaternion& quat) {
    return Words({Bits(position.x), Bits(position.y), Bits(position.z), Bits(fov), Bits(quat.x), Bits(quat.y),
                  Bits(quat.z), Bits(quat.w)});
}

std::vector<u8> CsfSetCameraLookAt(const s_Vector3& eye, const s_Vector3& target, f32 fov) {
    const s_Vector3 back = Normal({eye.x - target.x, eye.y - target.y, eye.z - target.z, 0.0f});
    const s_Vector3 right = Normal({back.z, 0.0f, -back.x, 0.0f});
    const s_Vector3 up = Normal({back.y * right.z - back.z * right.y, back.z * right.x - back.x * right.z,
                                 back.x * right.y - back.y * right.x, 0.0f});
    return CsfSetCamera(eye, fov, ViewQuat(right, up, back));
}

std::vector<u8> CsfFadeIn(f32 time) {
    return Words({Bits(time)});
}

std::vector<u8> CsfFadeOut(f32 time, u32 rgba) {
    return Words({Bits(time), rgba});
}

std::vector<u8> CsfObject(u32 instance) {
    return Words({instance});
}

std::vector<u8> CsfObjectSetPos(u32 instance, u32 newInstance) {
    return Words({instance, newInstance});
}

std::vector<u8> CsfObjectPlayAnim(u32 instance, u32 anim, f32 timeScale) {
    return Words({instance, anim, Bits(timeScale)});
}

std::vector<u8> CsfObjectFade(u32 instance, f32 time) {
    return Words({instance, Bits(time)});
}

}  // namespace discbuild
