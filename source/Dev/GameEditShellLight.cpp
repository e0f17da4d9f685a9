#include <cmath>
#include <cstddef>

#include "orblib47/source/OrbThread.h"
#include "orblib47/source/StructEdit.h"
#include "orblib47/source/UIObject.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Dev/GameEdit.h"

ShellLightEditVars EditShellLight{};

namespace {

using Vars = ShellLightEditVars;
constexpr u16 kShown = STRUCT_VAR_VISIBLE;

// Rows 0..9 are the record and its members, 10..17 the choices' labels. The flags
// of the light's own rows follow the light chosen.
s_struct_var EditShellLightsVars[] = {
    {TYPE_STRUCT, kShown, 0, "Shell Lights", {1, 9, 0}},
    {TYPE_ENUM, kShown, offsetof(Vars, usage), "Shell Screen", {10, 3, 0}},
    {TYPE_ENUM, kShown, offsetof(Vars, lightId), "Light", {13, 5, 0}},
    {TYPE_RGBA, kShown, offsetof(Vars, color), "Color", {0, 0, 0}},
    {TYPE_RGBA, kShown, offsetof(Vars, specularColor), "Specular Color", {0, 0, 0}},
    {TYPE_FLOAT32, kShown, offsetof(Vars, directionX), "Direction.X", {0, 0, 0.1f}},
    {TYPE_FLOAT32, kShown, offsetof(Vars, directionY), "Direction.Y", {0, 0, 0.1f}},
    {TYPE_FLOAT32, kShown, offsetof(Vars, directionZ), "Direction.Z", {0, 0, 0.1f}},
    {TYPE_BOOLEAN, kShown, offsetof(Vars, specularEnabled), "Specular Color Enabled", {0, 0, 0}},
    {TYPE_BOOLEAN, kShown, offsetof(Vars, isEnabled), "Light Enabled", {0, 0, 0}},
    {TYPE_STRING, 0, 0, "Select Bowler", {0, 0, 0}},
    {TYPE_STRING, 0, 0, "Create-a-Character", {0, 0, 0}},
    {TYPE_STRING, 0, 0, "Pro Shop", {0, 0, 0}},
    {TYPE_STRING, 0, 0, "Ambient", {0, 0, 0}},
    {TYPE_STRING, 0, 0, "Directional 1", {0, 0, 0}},
    {TYPE_STRING, 0, 0, "Directional 2", {0, 0, 0}},
    {TYPE_STRING, 0, 0, "Directional 3", {0, 0, 0}},
    {TYPE_STRING, 0, 0, "Directional 4", {0, 0, 0}},
};
constexpr s32 kNumVars = s32(sizeof(EditShellLightsVars) / sizeof(EditShellLightsVars[0]));
constexpr s32 kSpecularColorRow = 4, kDirectionRow = 5, kSpecularEnabledRow = 8, kLightEnabledRow = 9;

void Show(s32 row, bool shown) {
    if (shown)
        EditShellLightsVars[row].flags |= kShown;
    else
        EditShellLightsVars[row].flags &= u16(~kShown);
}

// The chosen directional light of the set; null for the ambient.
s_ShellLightDef* Directional(s_ShellLight* set) {
    const u32 n = EditShellLight.lightId;
    return n >= 1 && n <= SHELL_LIGHT_MAX ? &set->Lights[n - 1] : nullptr;
}

// A light channel 0..1 as a byte, wrapped into its eight bits.
u32 ChannelByte(f32 channel) {
    const f32 scaled = 255.0f * channel;
    if (!std::isfinite(scaled))
        return 0;
    // The remainder keeps the conversion defined for any value the database holds;
    // the mask keeps the byte in its own channel.
    return u32(s32(std::fmod(scaled, 256.0f))) & 0xFFu;
}

u32 PackColor(const s_Vector4& c) {
    return (ChannelByte(c.x) << 24) | (ChannelByte(c.y) << 16) | (ChannelByte(c.z) << 8) | 0xFFu;
}

void UnpackColor(u32 rgba, s_Vector4* c) {
    c->x = f32((rgba >> 24) & 0xFFu) / 255.0f;
    c->y = f32((rgba >> 16) & 0xFFu) / 255.0f;
    c->z = f32((rgba >> 8) & 0xFFu) / 255.0f;
}

void EditShellLightCallback(e_struct_edit_event event) {
    if (event != STRUCT_EDIT_OKAY)
        return;
    if (EditShellLight.updateThread != nullptr)
        ThreadKill(EditShellLight.updateThread);
    EditShellLight.updateThread = nullptr;
    UIFadeOutEnable(1);
}

}  // namespace

void EditShellLightInit() {
    s_ShellLight* set = GetShellLight(EditShellLight.usage);
    if (set == nullptr)
        return;
    if (const s_ShellLightDef* light = Directional(set)) {
        const u32 index = EditShellLight.lightId - 1;
        EditShellLight.color = PackColor(light->diffuse);
        EditShellLight.specularColor = PackColor(light->specular);
        EditShellLight.specularEnabled = (light->flags & SHELL_LIGHT_SPECULAR) != 0 ? 1 : 0;
        EditShellLight.isEnabled = index < set->Count ? 1 : 0;
        EditShellLight.directionX = light->direction.x;
        EditShellLight.directionY = light->direction.y;
        EditShellLight.directionZ = light->direction.z;
        // Before the window opens its controls are built from the record.
        if (EditShellLight.win != nullptr)
            StructEditRefreshControls();
    } else {
        EditShellLight.color = set->Ambient;  // colours are kept in the record, not in controls
    }
    if (EditShellLight.win != nullptr)
        EditShellLightUpdateVisibility();
}

void EditShellLightUpdate() {
    s_ShellLight* set = GetShellLight(EditShellLight.usage);
    if (set == nullptr)
        return;
    s_ShellLightDef* light = Directional(set);
    if (light == nullptr) {
        set->Ambient = EditShellLight.color;
        return;
    }
    UnpackColor(EditShellLight.color, &light->diffuse);
    UnpackColor(EditShellLight.specularColor, &light->specular);
    light->direction.x = EditShellLight.directionX;
    light->direction.y = EditShellLight.directionY;
    light->direction.z = EditShellLight.directionZ;
    if (EditShellLight.specularEnabled)
        light->flags |= SHELL_LIGHT_SPECULAR;
    else
        light->flags &= ~SHELL_LIGHT_SPECULAR;
    // The lights in use are a prefix of the set.
    const u32 n = EditShellLight.lightId;
    if (EditShellLight.isEnabled && n - 1 >= set->Count)
        set->Count = n;
    else if (!EditShellLight.isEnabled && set->Count > n - 1)
        set->Count = n - 1;
}

void EditShellLightUpdateVisibility() {
    const bool directional = EditShellLight.lightId != 0;
    const bool first = EditShellLight.lightId == 1;
    for (s32 row = kDirectionRow; row < kDirectionRow + 3; ++row)
        Show(row, directional);
    Show(kLightEnabledRow, directional);
    Show(kSpecularColorRow, first);
    Show(kSpecularEnabledRow, first);
    StructEditUpdateVisibility();
}

void EditShellLightsThread(s_thread*, void*) {
    StructEditUpdate();
    if (EditShellLight.usage == EditShellLight.lastUsage &&
        EditShellLight.lightId == EditShellLight.lastLightId) {
        EditShellLightUpdate();
        return;
    }
    EditShellLightInit();
    EditShellLight.lastUsage = EditShellLight.usage;
    EditShellLight.lastLightId = EditShellLight.lightId;
}

s32 EditShellLightsMenuFunc(s_menu_item*) {
    if (EditShellLight.updateThread != nullptr)
        ThreadKill(EditShellLight.updateThread);
    EditShellLight = {};
    EditShellLight.updateThread =
        ThreadInsertPriorityDebug("EditShellLightsThread", nullptr, nullptr, EditShellLightsThread, nullptr,
                                  EDIT_SHELL_LIGHTS_THREAD_PRIORITY);
    EditShellLightInit();
    EditShellLight.win =
        GameEditOpenEditor(EditShellLightsVars, kNumVars, &EditShellLight, EditShellLightCallback);
    if (EditShellLight.win == nullptr) {
        EditShellLightCallback(STRUCT_EDIT_OKAY);  // no editor to feed
        return 1;
    }
    EditShellLightUpdateVisibility();
    return 1;
}
