// INTERIM: stand-ins for the career screens still to come (overview, attributes,
// statistics, pro shop, event select), with the names and calls the career flow
// uses. None has a movie: its handles stay -1, and the career flow takes a screen
// without its movie as backing out at once.
#pragma once

#include "orblib47/source/OrbTypes.h"

class EventManager;

class CCareerInterimScreen {
public:
    s32 LoadBG() { return 0; }
    s32 Load() { return 0; }
    void OpenBG() {}
    void Open() {}
    void CloseBG() {}
    void Close() {}
    void KillBG() {}
    void Kill() {}

    s32 m_iScreen = -1;
    s32 m_iScreenBG = -1;
};

class CCareerOverviewFlash : public CCareerInterimScreen {};
class CCareerAttributesFlash : public CCareerInterimScreen {};
class CCareerStatsFlash : public CCareerInterimScreen {};

class CCareerEventSelectFlash : public CCareerInterimScreen {
public:
    s32 Load(EventManager*) { return 0; }
    void Simulate() {}
    void SkipEvent() {}

    s32 bPausedInput = 0;
};

// The purchase the shop hands to the flow.
struct ProshopData {
    s32 m_Buy_popup;
    u32 m_Item_Index;
    s32 m_Item_Price;
};
inline ProshopData* gProshopData = nullptr;

class CCareerProshopFlash : public CCareerInterimScreen {
public:
    void RestoreEquippedItems(s32) {}
    s32 Changed() { return 0; }
    void UpdateEquipmentCount() {}
};
