// The pro shop's files share the bowler of player slot 0 (its look and its wrist
// guard) and the career bowler.
#pragma once

#include "source/Career/CareerCharacter.h"
#include "source/Players/Player.h"

inline CPlayerConstruction& ShopModel() {
    return g_Players[0].m_PlayerConstruction;
}

inline CWristGuardConstruction& ShopGuard() {
    return g_Players[0].m_GuardConstruction;
}

inline CCareerCharacter& ShopCareer() {
    return *CCareerCharacter::GetInstance();
}

// The texture of the item in an equipment slot, or `none` for an empty slot.
inline s32 ShopTextureOf(s32 item, s32 none) {
    const s_DBItem* dbItem = FindDbItem(item);
    return dbItem != nullptr ? dbItem->m_TextureID : none;
}
