// The quick-play set-up's bowlers: their models, the turntable that brings the
// selected one to the front, and their drawing.
#include <cmath>

#include "orblib47/source/NGC/FrameClock.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/QuickPlayFlash.h"
#include "source/Flash/ShellLights.h"
#include "source/Players/Player.h"

namespace {

eQPModelPos Step(eQPModelPos pos, s32 right) {
    return eQPModelPos((pos + (right ? 3 : 1)) % 4);
}

s_Vector3 Lerp(const s_Vector3& a, const s_Vector3& b, f32 t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t, 0};
}

}  // namespace

void QuickPlayDrawEvent(s32 handle, SFP_SCREEN_INFO_t*, char*) {
    if (CQuickPlayFlash* owner = FlashOwner<CQuickPlayFlash>(handle))
        owner->Draw();
}

void CQuickPlayFlash::PlayHandedAnim(s32 slot) {
    CPlayerConstruction& model = g_Players[slot].m_PlayerConstruction;
    const s32 left = model.m_CharacterAttributes.hand != 0;
    u32 anim = left ? BOWLER_ANIM_HOLD_MALE_LEFT : BOWLER_ANIM_HOLD_MALE_RIGHT;
    if (model.m_CharacterAttributes.gender != 0)
        anim = left ? BOWLER_ANIM_HOLD_FEMALE_LEFT : BOWLER_ANIM_HOLD_FEMALE_RIGHT;
    model.PlayAnim(anim, 1.0f, 0xC000);
}

void CQuickPlayFlash::UpdateModel(s32 row) {
    if (m_iButtonIndices[row] == QP_BOWLER_NOBODY) {
        m_bDisplayModel[row] = 0;
        return;
    }
    const s_DBQPBowler* entry = Entry(row);
    CPlayer& player = g_Players[row];
    CPlayerConstruction& model = player.m_PlayerConstruction;
    if (entry != nullptr) {
        model.SetAttributes(entry);
        model.m_CharacterAttributes.hand = entry->m_uHand != 0;
        player.SetName(entry->m_FirstName);
    }
    model.UpdateBodyTypeModel();
    PlayHandedAnim(row);
    m_bDisplayModel[row] = 1;
    if (m_bModelRotated[row] == 0) {
        model.SetRotationY(-36.0f);
        model.SetRotationX(9.0f);
        model.SetRotationZ(-5.0f);
        m_bModelRotated[row] = 1;
    }
    SetBowlerStatText(row);
}

eQPModelPos CQuickPlayFlash::GetAbsolutePos(s32 row) const {
    constexpr eQPModelPos kPosOfRow[QP_NUM_SLOTS] = {ePos_Front, ePos_Right, ePos_Back, ePos_Left};
    if (row >= QP_NUM_SLOTS)
        return m_TargetIdlePos;
    return m_bDisplayModel[row] ? kPosOfRow[row] : ePos_Front;
}

eQPModelPos CQuickPlayFlash::GetNextPosition(eQPModelPos from, eQPModelPos to) {
    const s32 forward = (to - from + 4) % 4;  // places in direction 0
    if (forward != 2)
        m_bRight = forward > 2;
    return Step(from, m_bRight);
}

void CQuickPlayFlash::UpdateModelPos() {
    const f32 step = 0.075f * RealDeltaTime * 60.0f;
    const s_Vector3& home = m_vIdleModelPos[m_CurrIdlePos];
    if (m_CurrIdlePos == m_TargetIdlePos && std::fabs(m_vCurrModelPos[0].x - home.x) < 0.01f &&
        std::fabs(m_vCurrModelPos[0].y - home.y) < 0.01f &&
        std::fabs(m_vCurrModelPos[0].z - home.z) < 0.01f) {
        m_fCurrentMoved = 0.0f;
        return;
    }
    m_fCurrentMoved = std::min(m_fCurrentMoved + step, 1.0f);
    const bool returning = m_CurrIdlePos == m_TargetIdlePos;
    for (s32 i = 0; i < QP_NUM_SLOTS; ++i) {
        const eQPModelPos p = eQPModelPos((m_CurrIdlePos + i) % 4);
        const eQPModelPos t = eQPModelPos((m_TargetIdlePos + i) % 4);
        if (p != t) {
            const eQPModelPos n = GetNextPosition(p, t);
            m_vCurrModelPos[i] = Lerp(m_vIdleModelPos[p], m_vIdleModelPos[n], m_fCurrentMoved);
        } else {
            const eQPModelPos n = Step(p, m_bRight);
            m_vCurrModelPos[i] = Lerp(m_vIdleModelPos[n], m_vIdleModelPos[p], m_fCurrentMoved);
        }
    }
    if (m_fCurrentMoved >= 1.0f) {
        m_fCurrentMoved = 0.0f;
        // A return ends where it started: the models are back on their places.
        if (!returning)
            m_CurrIdlePos = Step(m_CurrIdlePos, m_bRight);
    }
}

void CQuickPlayFlash::Draw() {
    ShellPreviewBegin(eShellLightUsage_SelectBowler);
    for (s32 slot = 0; slot < QP_NUM_SLOTS; ++slot) {
        if (m_bDisplayModel[slot] == 0)
            continue;
        CPlayer& player = g_Players[slot];
        const s_Vector3& at = m_vCurrModelPos[slot];
        player.m_PlayerConstruction.SetTranslation(at.x, at.y, at.z);
        player.m_PlayerConstruction.DrawFE();
        s_Matrix4 hand;
        player.getPlayerBallTransform(&hand);
        m_BallConstruction[slot].SetBallPosition(hand.at(0, 3), hand.at(1, 3), hand.at(2, 3));
        m_BallConstruction[slot].Draw();
    }
    m_Ticker.Update();
}
