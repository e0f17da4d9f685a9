// Which lights cast a record's shadows: up to two flagged lights, or on the
// single-light path the first non-positional light, followed smoothly.
#include "orblib47/source/Shadow.h"
#include "orblib47/source/TextureProject.h"

namespace {

constexpr f32 kInterpSpeed = 0.3f;
// The single-light path never projects flatter than 30 degrees below the horizon.
constexpr f32 kMaxLightY = -0.866f;

}  // namespace

const s_draw_light DefaultShadowLight = {
    .diffuse = {0.8f, 0.8f, 0.8f, 0.0f},
    .specular = {},
    .position = {},
    .direction = {0.0f, -1.0f, 0.0f, 0.0f},
    .flags = u_light_flags::light_diffuse | u_light_flags::light_directional,
    .distance = 0.0f,
    .intensity = 0.5f,
    .angle = 0.0f,
    .shadowFlags = 0,
    .shadowIntensity = 0.5f,
};

f32 ShadowGetInterpSpeed() {
    return kInterpSpeed;
}

s_draw_light ShadowChooseLight(const s_draw_light* lights, s32 lightcount) {
    s_draw_light light = DefaultShadowLight;
    for (s32 i = 0; i < lightcount; ++i)
        if ((lights[i].flags & u_light_flags::light_positional) == 0) {
            light = lights[i];
            break;
        }
    if (light.direction.y > kMaxLightY)
        light.direction.y = kMaxLightY;
    light.intensity = 1.0f;
    return light;
}

s_textproj_parms* ShadowProcess(s_shadow* p, const s_draw_light* lights, s32 lightcount, s32 createDL) {
    const s_draw_light target = ShadowChooseLight(lights, lightcount);
    const f32 speed = ShadowGetInterpSpeed();
    const s_Vector3 direction = {target.direction.x, target.direction.y, target.direction.z, 0.0f};
    Vect3Interpolate(&p->lightDirection, &p->lightDirection, &direction, speed);
    Vect4Interpolate(&p->lightDiffuse, &p->lightDiffuse, &target.diffuse, speed);
    p->lightIntensity = Float32Interpolate(p->lightIntensity, target.intensity, speed);

    s_draw_light smoothed = {};
    smoothed.diffuse = p->lightDiffuse;
    smoothed.direction = {p->lightDirection.x, p->lightDirection.y, p->lightDirection.z, 0.0f};
    smoothed.flags = u_light_flags::light_directional;
    smoothed.intensity = p->lightIntensity;
    smoothed.shadowIntensity = target.shadowIntensity;

    s_textproj_parms* parms = TextureProjectStart(createDL, 1);
    ShadowDraw(p, parms, &smoothed);
    TextureProjectEnd();
    return parms;
}

void ShadowRender(s_shadow* p, const s_draw_light* lights, s32 lightcount) {
    if (p != nullptr)
        ShadowProcess(p, lights, lightcount, 0);
}

void ShadowRenderMulti(s_shadow* p, const s_draw_light* lights, s32 lightcount) {
    s_textproj_parms* parms = TextureProjectStart(0, 1);
    const s32 wanted = lightcount < SHADOW_MAX_LIGHTS ? lightcount : SHADOW_MAX_LIGHTS;
    s32 drawn = 0;
    for (s32 i = 0; i < lightcount && drawn < wanted; ++i) {
        const u32 mode = lights[i].shadowFlags;
        if (mode & u_draw_shadow_flags::projected_shadow)
            ShadowDraw(p, parms, &lights[i]);
        else if (mode & u_draw_shadow_flags::blob_shadow)
            ShadowDrawBlob(p, &lights[i]);
        else
            continue;
        ++drawn;
    }
    TextureProjectEnd();
}
