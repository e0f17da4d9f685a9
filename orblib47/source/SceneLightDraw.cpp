// Loading the chosen scene lights into the draw lights.
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/Texture.h"

namespace {

constexpr f32 kMaxBarY = -0.866f;  // bar light comes from at least 60 degrees above

s_Vector4 Scaled(const s_Vector4& c, f32 s) {
    return {c.x * s, c.y * s, c.z * s, c.w * s};
}

s_Vector4 Vec4Of(const s_Vector3& v) {
    return {v.x, v.y, v.z, 0.0f};
}

void ScaleRgb(s_Vector4& c, f32 s) {
    c.x *= s;
    c.y *= s;
    c.z *= s;
}

// The fade factor once the light is past its attenuation distance; 1 (no fade)
// nearer, and when the light has no fade range (radius at most attenuation).
bool Fades(const scene_light& light, f32* factor) {
    const f32 range = light.radius - light.attenuation;
    if (light.distance < light.attenuation || range <= 0.0f)
        return false;
    *factor = light.intensity * (1.0f - (light.distance - light.attenuation) / range);
    return true;
}

s_Vector4 TexelTint(const s_texture* texture, f32 v) {
    const u32 rgba = TextureGetTexel(texture, 0.0f, v);
    constexpr f32 k = 1.0f / 255.0f;
    return {f32(rgba >> 24) * k, f32((rgba >> 16) & 0xFF) * k, f32((rgba >> 8) & 0xFF) * k,
            f32(rgba & 0xFF) * k};
}

s_Vector4 Tinted(const s_Vector4& c, const s_Vector4& tint) {
    return {c.x * tint.x, c.y * tint.y, c.z * tint.z, c.w * tint.w};
}

// Keeps the light at least as steep as kMaxBarY while staying a unit vector.
void ClampBarDirection(s_Vector4& d) {
    if (d.y <= kMaxBarY)
        return;
    const f32 across = d.x * d.x + d.z * d.z;
    d.y = kMaxBarY;
    if (across == 0.0f) {
        d.y = -1.0f;
        return;
    }
    const f32 s = f32(OrbSqrt((1.0 - double(kMaxBarY) * kMaxBarY) / across));
    d.x *= s;
    d.z *= s;
}

s_draw_light ToDrawLight(const scene_light& light, u32 flags) {
    s_draw_light dl{};
    if (light.flags & SCENE_LIGHT_FLAG_ATTENUATE) {
        dl.diffuse = Scaled(light.diffuse, light.intensity);
        dl.specular = Scaled(light.specular, light.intensity);
    } else {
        dl.diffuse = light.diffuse;
        dl.specular = light.specular;
    }
    dl.intensity = light.intensity;
    dl.shadowFlags = light.shadowFlags;
    dl.shadowIntensity = light.shadowIntensity;
    constexpr u32 kDirectional = u_light_flags::light_directional | u_light_flags::light_diffuse;
    f32 fade = 1.0f;
    switch (light.type) {
        case SCENE_LIGHT_PSEUDO_POINT:
            dl.direction = Vec4Of(light.direction);
            dl.flags = kDirectional;
            if (Fades(light, &fade)) {
                dl.intensity = fade;
                dl.diffuse = {light.diffuse.x * fade, light.diffuse.y * fade, light.diffuse.z * fade,
                              dl.diffuse.w};
            }
            break;
        case SCENE_LIGHT_BAR:
            dl.direction = Vec4Of(light.direction);
            if (light.texture != nullptr) {
                const s_Vector4 tint = TexelTint(light.texture, light.barPosRatio);
                dl.diffuse = Tinted(light.diffuse, tint);
                dl.specular = Tinted(light.specular, tint);
            }
            dl.flags = kDirectional;
            if (Fades(light, &fade)) {
                dl.intensity = fade;
                ScaleRgb(dl.diffuse, fade);
            }
            ClampBarDirection(dl.direction);
            break;
        case SCENE_LIGHT_DIR:
            dl.direction = Vec4Of(light.direction);
            dl.flags = kDirectional;
            break;
        case SCENE_LIGHT_POINT:
            if (flags & SCENE_LIGHT_LOAD_POINT_AS_DIR) {
                // Without an attenuation there is no distance scaling.
                const f32 falloff = light.distance * light.attenuation;
                if (falloff != 0.0f)
                    ScaleRgb(dl.diffuse, 1.0f / falloff);
                dl.direction = Vec4Of(light.direction);
                dl.flags = kDirectional;
            } else {
                dl.position = Vec4Of(light.position);
                dl.intensity = light.attenuation;
                dl.flags = u_light_flags::light_positional | u_light_flags::light_diffuse;
            }
            break;
        case SCENE_LIGHT_SPOT:
            dl.direction = Vec4Of(light.direction);
            dl.position = Vec4Of(light.position);
            dl.flags = kDirectional | u_light_flags::light_positional;
            break;
    }
    return dl;
}

}  // namespace

void SceneLightsSetDrawLights(scene_light* const* slights, s32 count, u32 flags) {
    DrawResetLights();
    for (s32 i = 0; i < count; ++i) {
        const s_draw_light dl = ToDrawLight(*slights[i], flags);
        DrawAddLight(&dl);
    }
}
