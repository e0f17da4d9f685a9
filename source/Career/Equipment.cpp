#include <cstdio>

#include "source/Career/EquipmentManager.h"

namespace {

const char* AttribName(e_DBAttrib attrib) {
    switch (attrib) {
        case DB_ATTRIB_ARM_STRENGTH:
            return "Arm Strength";
        case DB_ATTRIB_ACCURACY:
            return "Accuracy";
        case DB_ATTRIB_HOOK_CONTROL:
            return "Hook Control";
        case DB_ATTRIB_STAMINA:
            return "Stamina";
        case DB_ATTRIB_REPUTATION:
            return "Reputation";
        default:
            return nullptr;
    }
}

char* BonusText(const s_DBItemBonus& bonus, char* buffer) {
    const char* name = AttribName(bonus.m_Attrib);
    if (name == nullptr || bonus.m_Amount == 0)
        buffer[0] = 0;
    else
        std::snprintf(buffer, EQUIPMENT_ATTRIB_STR_SIZE, "%+d %s", bonus.m_Amount, name);
    return buffer;
}

}  // namespace

Equipment::Equipment() : m_Item{}, m_Index(-1) {
    m_Item.m_Index = -1;
}

Equipment::Equipment(const s_DBItem& item) : m_Item(item), m_Index(item.m_Index) {}

const char* Equipment::GetName() const {
    return m_Item.m_Name != nullptr ? m_Item.m_Name : "";
}

const char* Equipment::GetDescription() const {
    return m_Item.m_Description != nullptr ? m_Item.m_Description : "";
}

char* Equipment::GetAttrib1Str(char* buffer) const {
    return BonusText(m_Item.m_Bonus[0], buffer);
}

char* Equipment::GetAttrib2Str(char* buffer) const {
    return BonusText(m_Item.m_Bonus[1], buffer);
}
