// Cut-scene objects: the script's own actors, one slot per placement, created,
// moved, animated and faded by the OBJECT commands, lit by the scene lights and
// shadowed onto the level through a collision cache that follows them. The player
// checks every slot and definition index before a command reaches here.
#include <cmath>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Collision.h"
#include "orblib47/source/CutScene.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawSort.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/ParticleList.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/Shadow.h"

const s_Vector3 OrbCutScenePolyCacheBounds[2] = {{-5.0f, -5.0f, -5.0f, 0.0f}, {5.0f, 5.0f, 5.0f, 0.0f}};

namespace {

constexpr u32 kLightTypes = 0x1f;

u32 Word(const s_cs_cmd_queue* entry, u32 offset) {
    u32 value = 0;
    ChunkReader(entry->data, u32(entry->cmd.size)).U32(offset, &value);
    return value;
}

f32 Float(const s_cs_cmd_queue* entry, u32 offset) {
    f32 value = 0.0f;
    ChunkReader(entry->data, u32(entry->cmd.size)).F32(offset, &value);
    return value;
}

s_cs_object* Slot(s_orb_cut_scene* cs, const s_cs_cmd_queue* entry) {
    return &cs->objectList[Word(entry, 0)];
}

const char* ModelName(const s_hmodel* hmodel) {
    return hmodel->model->dataEntry != nullptr ? hmodel->model->dataEntry->name : "";
}

s_Vector3 Position(const s_cs_object* object) {
    return {object->matrix.at(0, 3), object->matrix.at(1, 3), object->matrix.at(2, 3), 0.0f};
}

void ReleaseAnim(s_cs_object* object) {
    if (object->hanim != nullptr)
        HAnimFree(object->hanim);
    object->hanim = nullptr;
}

}  // namespace

s32 OrbCsCmdObjectCreate(s_orb_cut_scene* cs, s_cs_cmd_queue* entry, s_cs_cmd*) {
    const u32 index = Word(entry, 0);
    s_cs_object* object = &cs->objectList[index];
    const s_cs_instance* instance = &cs->instanceList[index];
    OrbCutSceneObjectFree(object);  // a second create must not leak the first actor
    object->hmodel = HModelLoad(cs->dataList[instance->dataId].name, 0);
    if (object->hmodel == nullptr)
        return 0;
    DEBUG_PROGRESS("%s\n", ModelName(object->hmodel));
    object->centerBone = u32(object->hmodel->rootBone);
    object->ambientLight = CS_AMBIENT_LIGHT_OBJECT;
    OrbCutSceneObjectSetPos(object, instance);
    OrbCutSceneObjectUpdateCenter(object);
    object->collision = PolyCollideCacheAlloc();
    if (object->collision != nullptr) {
        PolyCollideCacheSetup(object->collision, &OrbCutScenePolyCacheBounds[0],
                              &OrbCutScenePolyCacheBounds[1]);
        object->collision->position = {instance->pos.x, instance->pos.y, instance->pos.z, 0.0f};
        // The cache's position follows the object, so the shadow does too.
        object->shadow = ShadowAlloc(&object->collision->position, object->hmodel->model->radius,
                                     object->hmodel, object->hmodel->model, object->collision);
    }
    return 0;
}

s32 OrbCsCmdObjectDestroy(s_orb_cut_scene* cs, s_cs_cmd_queue* entry, s_cs_cmd*) {
    s_cs_object* object = Slot(cs, entry);
    if (object->hmodel != nullptr)
        DEBUG_PROGRESS("%s\n", ModelName(object->hmodel));
    OrbCutSceneObjectFree(object);
    return 0;
}

s32 OrbCsCmdObjectSetPos(s_orb_cut_scene* cs, s_cs_cmd_queue* entry, s_cs_cmd*) {
    OrbCutSceneObjectSetPos(Slot(cs, entry), &cs->instanceList[Word(entry, 4)]);
    return 0;
}

s32 OrbCsCmdObjectPlayAnim(s_orb_cut_scene* cs, s_cs_cmd_queue* entry, s_cs_cmd*) {
    s_cs_object* object = Slot(cs, entry);
    ReleaseAnim(object);
    if (object->hmodel == nullptr)
        return 0;
    const s_cs_data_def& def = cs->dataList[Word(entry, 4)];
    DEBUG_PROGRESS("%s - %s\n", ModelName(object->hmodel), def.name);
    object->hanim = HAnimLoad(def.name, nullptr, 0, 0);
    if (object->hanim == nullptr)
        return 0;
    HModelPlayAnimFromBankAndId(object->hmodel, object->hanim, 0, Float(entry, 8), 0, 0);
    HModelSetAnimEventFunc(object->hmodel, cs->eventHandler, object);
    object->hmodel->lastTime = 0.0f;
    HModelUpdateMatrix(object->hmodel, &object->matrix);
    return 0;
}

s32 OrbCsCmdObjectStopAnim(s_orb_cut_scene* cs, s_cs_cmd_queue*, s_cs_cmd* cmd) {
    s_cs_object* object = &cs->objectList[cmd->parm];
    if (object->hmodel != nullptr)
        HModelStopAnim(object->hmodel);
    ReleaseAnim(object);
    return 0;
}

s32 OrbCsCmdObjectFadeIn(s_orb_cut_scene* cs, s_cs_cmd_queue* entry, s_cs_cmd*) {
    OrbCutSceneObjectFade(&Slot(cs, entry)->fadeParms, FADE_IN, Float(entry, 4));
    return 0;
}

s32 OrbCsCmdObjectFadeOut(s_orb_cut_scene* cs, s_cs_cmd_queue* entry, s_cs_cmd*) {
    OrbCutSceneObjectFade(&Slot(cs, entry)->fadeParms, FADE_OUT, Float(entry, 4));
    return 0;
}

void OrbCutSceneObjectSetPos(s_cs_object* object, const s_cs_instance* instance) {
    if (object->hmodel == nullptr)
        return;
    object->matrix = {};
    QuatToMatrix4(&object->matrix, &instance->quat);
    object->matrix.at(0, 3) = instance->pos.x;
    object->matrix.at(1, 3) = instance->pos.y;
    object->matrix.at(2, 3) = instance->pos.z;
    object->matrix.at(3, 3) = 1.0f;
}

void OrbCutSceneObjectUpdateCenter(s_cs_object* object) {
    const s_hmodel* hmodel = object->hmodel;
    if (hmodel == nullptr)
        return;
    s_Matrix4 m = object->matrix;
    const s_hmatrix* bones = hmodel->hmatrix;
    if (bones != nullptr && object->centerBone < u32(bones->numBones))
        Matrix4MultMatrix4x4(&m, &bones->boneList[object->centerBone].localMatrix, &object->matrix);
    const s_Vector3 offset = {hmodel->model->centerOffset.x, hmodel->model->centerOffset.y,
                              hmodel->model->centerOffset.z, 0.0f};
    Matrix4MultPoints(&m, &object->centerPos, &offset, 1);
}

void OrbCutSceneObjectUpdate(s_cs_object* object) {
    if (object->hmodel == nullptr)
        return;
    if (!GamePaused()) {
        OrbCutSceneFadeParmsUpdate(&object->fadeParms);
        HModelUpdateMatrix(object->hmodel, &object->matrix);
    }
    const s_Vector3 position = Position(object);
    DrawSortAddDataOffset(object, OrbCutSceneObjectDraw, &position, nullptr, 0,
                          object->hmodel->model->radius);
    if (object->collision != nullptr)
        PolyCollideCache(object->collision, &position, OrbCutScenePolyCacheBounds);
}

void OrbCutSceneObjectDraw(void* record) {
    auto* object = static_cast<s_cs_object*>(record);
    if (object->hmodel == nullptr)
        return;
    DrawSetProjection(DC_PROJ_3D);
    const u32 ambient = DrawSetAmbientLight(object->ambient);
    const s32 lit = DrawEnableLight(1);
    DrawSetFlatColor(0xffffffff);
    OrbCutSceneObjectUpdateCenter(object);
    scene_light* lights[SCENE_LIGHT_MAX_LOCAL];
    SceneLightsSetDrawLights(lights, SceneLightsGetLocal(lights, &object->centerPos, kLightTypes),
                             SCENE_LIGHT_LOAD_POINT_AS_DIR);
    const s_fade_parms& fade = object->fadeParms;
    if (fade.mode == FADE_FADED_IN) {
        HModelDraw(object->hmodel);
        if (object->shadow != nullptr)
            ShadowRender(object->shadow, DrawContext.lights, DrawContext.numLights);
    } else if (fade.mode != FADE_FADED_OUT) {
        // Locked, so that the model's opaque materials neither stop the blend nor
        // write depth behind which the rest of the fading model would vanish.
        const s32 write = DrawSetZBufferWrite(0);
        const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_ALPHA);
        const s32 writeLocked = DrawLockZBufferWrite(1);
        const s32 combineLocked = DrawLockCombineMode(1);
        DrawSetFlatColor(0xffffff00u | u32(255.0f * fade.alpha));
        HModelDraw(object->hmodel);
        DrawLockCombineMode(combineLocked);
        DrawLockZBufferWrite(writeLocked);
        DrawSetCombineMode(combine);
        DrawSetZBufferWrite(write);
    }
    DrawEnableLight(lit);
    DrawSetAmbientLight(ambient);
}

void OrbCutSceneObjectFree(s_cs_object* object) {
    if (object->hmodel != nullptr)
        HModelFree(object->hmodel);
    object->hmodel = nullptr;
    // The object's particles go with it rather than run out.
    ParticleListFree(object->parList, PARTLIST_KILL);
    object->parList = nullptr;
    ReleaseAnim(object);
    if (object->shadow != nullptr)
        ShadowFree(object->shadow);
    object->shadow = nullptr;
    if (object->collision != nullptr)
        PolyCollideCacheFree(object->collision);
    object->collision = nullptr;
}

void OrbCutSceneObjectFade(s_fade_parms* fade, s32 type, f32 time) {
    if (type == FADE_IN) {
        if (fade->mode == FADE_FADING_IN || fade->mode == FADE_FADED_IN)
            return;
        fade->time = fade->timer = time;
        fade->mode = FADE_FADING_IN;
        if (time <= 0.0f) {
            fade->mode = FADE_FADED_IN;
            fade->alpha = 1.0f;
            fade->timer = 0.0f;
        }
        return;
    }
    if (fade->mode == FADE_FADING_OUT || fade->mode == FADE_FADED_OUT)
        return;
    fade->time = fade->timer = time;
    fade->mode = FADE_FADING_OUT;
    if (time <= 0.0f) {
        fade->alpha = 0.0f;
        fade->timer = 0.0f;
        fade->time = 1e-05f;  // the next update completes it
    }
}

void OrbCutSceneFadeParmsUpdate(s_fade_parms* fade) {
    if (fade->mode != FADE_FADING_IN && fade->mode != FADE_FADING_OUT)
        return;
    fade->timer -= DeltaTime;
    const f32 r = fade->timer / fade->time;
    const f32 ease = (1.0f + std::sin(3.1416015625f * r - 1.57080078125f)) * 0.5f;
    if (fade->mode == FADE_FADING_IN) {
        fade->alpha = 1.0f - ease;
        if (fade->timer <= 0.0f || fade->alpha >= 1.0f)
            *fade = {FADE_FADED_IN, fade->distance, fade->time, 0.0f, 1.0f};
    } else {
        fade->alpha = ease;
        if (fade->timer <= 0.0f || fade->alpha <= 0.0f)
            *fade = {FADE_FADED_OUT, fade->distance, fade->time, 0.0f, 0.0f};
    }
}
