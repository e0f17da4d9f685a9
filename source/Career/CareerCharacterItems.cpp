// What the career bowler owns and wears, and the bonuses of what is worn.
#include <algorithm>

#include "source/Career/CareerCharacter.h"

namespace {

bool ItemInRange(s32 item) {
    return item >= 0 && u32(item) < DB_ITEM_COUNT;
}

// The equipment slots in their record order.
s32* EquipmentSlots(s_Character_Equipment& e, u32 i) {
    s32* slots[] = {&e.Ball1, &e.Ball2, &e.Shirt, &e.Shoe, &e.Acc1, &e.Hat, &e.Glasses};
    return slots[i];
}
constexpr u32 EQUIPMENT_SLOT_COUNT = 7;

}  // namespace

const s_DBItem* FindDbItem(s32 index) {
    if (ItemsList == nullptr || index < 0)
        return nullptr;
    for (u32 i = 0; i < uDBItemCount; ++i)
        if (ItemsList[i].m_Index == index)
            return &ItemsList[i];
    return nullptr;
}

s32 CCareerCharacter::ItemPurchased(s32 item) {
    return ItemInRange(item) && Current().m_ItemOwned[item] != 0;
}

s32 CCareerCharacter::ItemEquiped(s32 item) {
    if (!ItemInRange(item))
        return 0;
    s_Character_Equipment& e = Current().m_Equipment;
    for (u32 i = 0; i < EQUIPMENT_SLOT_COUNT; ++i)
        if (*EquipmentSlots(e, i) == item)
            return 1;
    return 0;
}

s32 CCareerCharacter::ItemBuy(s32 item) {
    if (!HasSlot() || FindDbItem(item) == nullptr || !ItemInRange(item) || ItemPurchased(item))
        return 0;
    Current().m_ItemOwned[item] = 1;
    return 1;
}

// A ball goes into Ball1 when it is empty, else into Ball2 (replacing what is there);
// every other type has its own slot, whose previous item stays owned.
s32 CCareerCharacter::EquipItem(s32 item) {
    const s_DBItem* dbItem = FindDbItem(item);
    if (dbItem == nullptr || !ItemPurchased(item))
        return 0;
    if (ItemEquiped(item))
        return 1;
    s_Character_Equipment& e = Current().m_Equipment;
    switch (dbItem->e_EquipType) {
        case EQUIP_TYPE_BALL:
            (e.Ball1 == -1 ? e.Ball1 : e.Ball2) = item;
            break;
        case EQUIP_TYPE_SHIRT:
            e.Shirt = item;
            break;
        case EQUIP_TYPE_SHOES:
            e.Shoe = item;
            break;
        case EQUIP_TYPE_ACC:
            e.Acc1 = item;
            break;
        case EQUIP_TYPE_HAT:
            e.Hat = item;
            break;
        case EQUIP_TYPE_GLASSES:
            e.Glasses = item;
            break;
        default:
            return 0;
    }
    return 1;
}

s32 CCareerCharacter::UnEquipItem(s32 item) {
    if (!ItemEquiped(item))
        return 0;
    s_Character_Equipment& e = Current().m_Equipment;
    for (u32 i = 0; i < EQUIPMENT_SLOT_COUNT; ++i)
        if (*EquipmentSlots(e, i) == item)
            *EquipmentSlots(e, i) = -1;
    return 1;
}

// An item worn in two slots counts once.
s32 CCareerCharacter::ItemBonus(e_DBAttrib attrib) {
    s_Character_Equipment& e = Current().m_Equipment;
    s32 total = 0;
    for (u32 i = 0; i < EQUIPMENT_SLOT_COUNT; ++i) {
        s32 item = *EquipmentSlots(e, i);
        bool seen = false;
        for (u32 j = 0; j < i; ++j)
            seen |= *EquipmentSlots(e, j) == item;
        const s_DBItem* dbItem = seen ? nullptr : FindDbItem(item);
        if (dbItem == nullptr)
            continue;
        for (const s_DBItemBonus& bonus : dbItem->m_Bonus)
            if (bonus.m_Attrib == attrib)
                total += bonus.m_Amount;
    }
    return total;
}

u32 CCareerCharacter::ModSkill(u32 skill, e_DBAttrib attrib) {
    return u32(std::clamp<s64>(s64(skill) + ItemBonus(attrib), 0, CAREER_SKILL_MAX));
}

u32 CCareerCharacter::GetModArmStrength() {
    return ModSkill(GetStats().m_ArmStrength, DB_ATTRIB_ARM_STRENGTH);
}
u32 CCareerCharacter::GetModAccuracy() {
    return ModSkill(GetStats().m_Accuracy, DB_ATTRIB_ACCURACY);
}
u32 CCareerCharacter::GetModHookControl() {
    return ModSkill(GetStats().m_HookControl, DB_ATTRIB_HOOK_CONTROL);
}
u32 CCareerCharacter::GetModStamina() {
    return ModSkill(GetStats().m_Stamina, DB_ATTRIB_STAMINA);
}
s32 CCareerCharacter::GetModReputation() {
    return s32(
        std::clamp<s64>(s64(GetReputation()) + ItemBonus(DB_ATTRIB_REPUTATION), 0, CAREER_REPUTATION_MAX));
}
