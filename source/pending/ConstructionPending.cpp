// Stand-ins until the bowler model lands; the owner deletes this file.
#include "source/Career/ItemConstruction.h"
#include "source/Career/PlayerConstruction.h"

bool PlayerPartsLoad() {
    return false;
}
void PlayerPartsFree() {}
void CPlayerConstruction::UpdateBodyTypeModel() {}
void CPlayerConstruction::UpdateHairModel() {}
void CPlayerConstruction::UpdateFacialHairModel() {}
void CPlayerConstruction::UpdateGlassesModel() {}
void CPlayerConstruction::UpdateHatModel() {}
void CPlayerConstruction::UpdateHairTexture() {}
void CPlayerConstruction::SwapShirtTexture() {}
void CPlayerConstruction::SwapShoesTexture() {}
void CPlayerConstruction::SwapHatTexture() {}
void CPlayerConstruction::UpdateModelTextures(s32) {}
void CPlayerConstruction::PlayAnim(u32, f32, u32) {}
void CPlayerConstruction::AnimInit(f32, f32, f32) {}
void CPlayerConstruction::SetTranslation(f32, f32, f32) {}
void CPlayerConstruction::SetRotationX(f32) {}
void CPlayerConstruction::SetRotationY(f32) {}
void CPlayerConstruction::SetRotationZ(f32) {}
void CPlayerConstruction::DrawFE() {}
void CPlayerConstruction::FreeAll() {}
void CWristGuardConstruction::UpdateGuardModel(s32) {}
void CWristGuardConstruction::Draw(s_hmodel*) {}
void CWristGuardConstruction::SetScale(f32) {}
void CWristGuardConstruction::Reset() {}
void CBallConstruction::UpdateBallTexture(s32, s32) {}
void CBallConstruction::SetBallPosition(f32, f32, f32) {}
void CBallConstruction::SetScale(f32) {}
void CBallConstruction::Draw() {}
void CBallConstruction::Reset() {}
void CTrophyConstruction::UpdateTrophy(s32) {}
void CTrophyConstruction::SetTrophyPosition(f32, f32, f32) {}
void CTrophyConstruction::SetRotationX(f32) {}
void CTrophyConstruction::Draw() {}
void CTrophyConstruction::Reset() {}
