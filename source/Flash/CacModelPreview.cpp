// The create-a-bowler preview: the edited bowler idling, gliding between the
// whole body and the head close-up, and turned while a turn button is held.
#include "console/gx.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Flash/CacModelScreens.h"
#include "source/Flash/CacModelScreensInternal.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/ShellLights.h"

namespace {

// The pages' content band of the centred 640 x 448 stage: the close-up is cut
// there, not drawn over the menu's title and foot.
constexpr s32 kStageHeight = 448, kContentTop = 112, kContentBottom = 376;

void PlayIdle(CPlayerConstruction& model) {
    model.PlayAnim(model.m_CharacterAttributes.gender ? BOWLER_ANIM_IDLE_FEMALE : BOWLER_ANIM_IDLE_MALE, 1.0f,
                   0);
}

}  // namespace

void MenuCACDrawEvent(s32 handle, SFP_SCREEN_INFO_t*, char*) {
    if (CCacModelScreens* owner = FlashOwner<CCacModelScreens>(handle))
        owner->Draw();
}

void CCacModelScreens::UpdateAndResetBodyType() {
    CPlayerConstruction& model = CacModel();
    model.UpdateBodyTypeModel();
    PlayIdle(model);
}

void CCacModelScreens::SetNewBodyPos(const s_Vector3* target, f32 seconds) {
    m_vTarget = *target;
    m_vTargetStart = m_vCurrModelPos;
    m_fModelPosInterpTimer = m_fModelPosTime = seconds;
}

void CCacModelScreens::UpdateBodyPos() {
    if (m_fModelPosInterpTimer <= 0.0f)
        return;
    m_fModelPosInterpTimer -= RealDeltaTime;
    // The last step lands on the target, not a frame's movement past it.
    f32 fraction = 1.0f - m_fModelPosInterpTimer / m_fModelPosTime;
    fraction = fraction < 0.0f ? 0.0f : fraction > 1.0f ? 1.0f : fraction;
    m_vCurrModelPos.x = m_vTargetStart.x + (m_vTarget.x - m_vTargetStart.x) * fraction;
    m_vCurrModelPos.y = m_vTargetStart.y + (m_vTarget.y - m_vTargetStart.y) * fraction;
    m_vCurrModelPos.z = m_vTargetStart.z + (m_vTarget.z - m_vTargetStart.z) * fraction;
    if (m_fModelPosInterpTimer <= 0.0f)
        m_fModelPosInterpTimer = -1.0f;
}

void CCacModelScreens::Draw() {
    CPlayerConstruction& model = CacModel();
    s_hmodel* body = model.GetBodyTypeModel();
    if (body != nullptr && HAnimDone(body->layer[ANIM_LAYER_PRIMARY].hanim))
        PlayIdle(model);
    if (body != nullptr && m_bDrawModel) {
        // What the front end draws with, for CloseBG to put back.
        m_oldProjMode = DrawContext.projectionMode;
        m_oldCombineMode = DrawContext.combineMode;
        ShellPreviewBegin(eShellLightUsage_CreateACharacter);
        model.SetTranslation(m_vCurrModelPos.x, m_vCurrModelPos.y, m_vCurrModelPos.z);
        if (m_fRotation != 0.0f)
            model.SetRotationY(m_fRotation);
        const s32 stageTop = (DrawContext.screenSize.y - kStageHeight) / 2;
        GXSetScissor(0, u32(stageTop + kContentTop), u32(DrawContext.screenSize.x),
                     u32(kContentBottom - kContentTop));
        model.DrawFE();
        DrawLoadViewport();
    }
    m_Ticker.Update();
}
