#include "source/Career/EquipmentManager.h"

#include <algorithm>

#include "source/Career/CareerCharacter.h"

CEquipmentManager* pEquipmentManager = nullptr;

namespace {

u8 ListOf(EquipType type) {
    switch (type) {
        case EQUIP_TYPE_BALL:
            return EQUIPMENT_LIST_BALLS;
        case EQUIP_TYPE_SHIRT:
            return EQUIPMENT_LIST_SHIRTS;
        case EQUIP_TYPE_SHOES:
            return EQUIPMENT_LIST_SHOES;
        case EQUIP_TYPE_ACC:
        case EQUIP_TYPE_HAT:
        case EQUIP_TYPE_GLASSES:
            return EQUIPMENT_LIST_ACCESSORIES;
        default:
            return 0;
    }
}

// 0 equipped, 1 owned, 2 neither.
u32 OwnershipRank(const s_DBItem& item) {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (career == nullptr)
        return 2;
    if (career->ItemEquiped(item.m_Index))
        return 0;
    return career->ItemPurchased(item.m_Index) ? 1 : 2;
}

}  // namespace

CEquipmentManager::CEquipmentManager() : m_Rows{}, m_Count{} {}

void CEquipmentManager::Init() {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    u32 male = (career == nullptr || career->GetCareerAttributes().gender == 0) ? 1 : 0;
    std::fill(std::begin(m_Count), std::end(m_Count), 0u);
    for (u32 row = 0; ItemsList != nullptr && row < uDBItemCount; ++row) {
        const s_DBItem& item = ItemsList[row];
        u8 list = ListOf(item.e_EquipType);
        if (list == 0 || (list != EQUIPMENT_LIST_BALLS && item.m_Male != male))
            continue;
        u32& count = m_Count[list - 1];
        if (count < DB_ITEM_COUNT)
            m_Rows[list - 1][count++] = row;
    }
    m_CurrentList = EQUIPMENT_LIST_BALLS;
    m_CurrentItem = 0;
}

void CEquipmentManager::ChangeItemType(u8 list) {
    if (list < EQUIPMENT_LIST_BALLS || list > EQUIPMENT_LIST_ACCESSORIES)
        return;
    m_CurrentList = list;
    m_CurrentItem = 0;
}

void CEquipmentManager::SetItem(u8 n) {
    if (n < m_Count[m_CurrentList - 1])
        m_CurrentItem = n;
}

Equipment CEquipmentManager::CurrentItem() const {
    u32 list = m_CurrentList - 1;
    if (m_CurrentItem >= m_Count[list] || ItemsList == nullptr)
        return Equipment();
    return Equipment(ItemsList[m_Rows[list][m_CurrentItem]]);
}

Equipment CEquipmentManager::NextItem() {
    u32 count = m_Count[m_CurrentList - 1];
    if (count != 0)
        m_CurrentItem = (m_CurrentItem + 1) % count;
    return CurrentItem();
}

Equipment CEquipmentManager::PreviousItem() {
    u32 count = m_Count[m_CurrentList - 1];
    if (count != 0)
        m_CurrentItem = (m_CurrentItem + count - 1) % count;
    return CurrentItem();
}

void CEquipmentManager::SortEquipment(EquipType type) {
    u8 list = ListOf(type);
    if (list == 0 || ItemsList == nullptr)
        return;
    u32* rows = m_Rows[list - 1];
    std::sort(rows, rows + m_Count[list - 1], [](u32 a, u32 b) {
        u32 rankA = OwnershipRank(ItemsList[a]);
        u32 rankB = OwnershipRank(ItemsList[b]);
        return rankA != rankB ? rankA < rankB : a < b;
    });
}
