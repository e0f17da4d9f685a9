// ".CSF" cut-scene files (docs/cutscenes.md): the header, the asset definitions,
// the object placements and the timed commands, big-endian, closed by END.
#pragma once

#include <string>
#include <vector>

#include "orblib47/source/OrbMath.h"

namespace discbuild {

constexpr u32 kCsfMagic = 0x43534631;  // "CSF1"

struct CsfDataDef {
    std::string name;  // at most 16 characters
    std::string ext;   // "TIM", "VHM", "VHA", "PAT", "SPR" or "SFX"
};

struct CsfInstance {
    s_Vector4 pos = {};
    s_Vector4 scale = {1.0f, 1.0f, 1.0f, 0.0f};
    s_Quaternion quat = {0.0f, 0.0f, 0.0f, 1.0f};
    u32 dataId = 0;  // the definition naming the model
};

struct CsfCommand {
    s32 type = 0;  // e_CS_CMD_TYPE
    f32 time = 0.0f;
    u32 parm = 0;
    std::vector<u8> payload;
};

struct CsfScript {
    std::vector<CsfDataDef> data;
    std::vector<CsfInstance> instances;
    std::vector<CsfCommand> commands;  // in time order, without the END
};

// The file, with an END at the last command's time. A name or tag too long, a
// placement naming no definition or commands out of time order throw
// std::invalid_argument.
std::vector<u8> CsfFile(const CsfScript& script);

// Payloads of the engine's commands.
std::vector<u8> CsfSetCamera(const s_Vector3& position, f32 fov, const s_Quaternion& quat);
// The camera at `eye` looking at `target` with the world's up kept up.
std::vector<u8> CsfSetCameraLookAt(const s_Vector3& eye, const s_Vector3& target, f32 fov);
std::vector<u8> CsfFadeIn(f32 time);
std::vector<u8> CsfFadeOut(f32 time, u32 rgba);
// OBJECT_CREATE and OBJECT_DESTROY.
std::vector<u8> CsfObject(u32 instance);
std::vector<u8> CsfObjectSetPos(u32 instance, u32 newInstance);
std::vector<u8> CsfObjectPlayAnim(u32 instance, u32 anim, f32 timeScale);
// OBJECT_FADE_IN and OBJECT_FADE_OUT.
std::vector<u8> CsfObjectFade(u32 instance, f32 time);

}  // namespace discbuild
