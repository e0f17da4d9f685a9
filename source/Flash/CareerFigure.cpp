#include "source/Flash/CareerFigure.h"

#include "orblib47/source/Anim.h"
#include "source/Camera.h"
#include "source/Career/CareerCharacter.h"
#include "source/Players/Player.h"

namespace {

u32 IdleAnim(const CPlayerConstruction& model) {
    return model.m_CharacterAttributes.gender != 0 ? BOWLER_ANIM_IDLE_FEMALE : BOWLER_ANIM_IDLE_MALE;
}

}  // namespace

void CareerFigureCamera(CCamera& camera) {
    camera.SetAutoCameraMode(E_CAMERA_MODE_INVALID);
    const s_Vector3 lookAt{0, 0.2f, -1, 0}, position{0, 0.2f, 1.0f, 0};
    camera.SetLookAt(&lookAt);
    camera.SetPosition(&position);
    camera.m_fov = 45.0f;
    camera.Update();
}

void CareerFigureBuild(const s_Vector3& pos, f32 rotationY) {
    CPlayer& player = g_Players[0];
    CPlayerConstruction& model = player.m_PlayerConstruction;
    model.UpdateBodyTypeModel();
    model.PlayAnim(IdleAnim(model), 1.0f, 0);
    model.AnimInit(pos.x, pos.y, pos.z);
    model.SetRotationY(rotationY);
    model.SetRotationZ(9.0f);
    model.SetRotationX(-3.0f);
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    const s32 guard = career != nullptr ? career->GetEquipment()->Acc1 : -1;
    const s_DBItem* item = guard != -1 && career->ItemEquiped(guard) ? FindDbItem(guard) : nullptr;
    player.m_GuardConstruction.UpdateGuardModel(item != nullptr ? item->m_TextureID : -1);
}

void CareerFigureDraw(const s_Vector3& pos) {
    CPlayer& player = g_Players[0];
    CPlayerConstruction& model = player.m_PlayerConstruction;
    s_hmodel* body = model.GetBodyTypeModel();
    if (body == nullptr)
        return;
    if (HAnimDone(body->layer[0].hanim))
        model.PlayAnim(IdleAnim(model), 1.0f, 0);
    model.SetTranslation(pos.x, pos.y, pos.z);
    model.DrawFE();
    player.m_GuardConstruction.Draw(body);
}

void CareerFigureFree() {
    g_Players[0].m_PlayerConstruction.FreeAll();
    g_Players[0].m_GuardConstruction.Reset();
}
