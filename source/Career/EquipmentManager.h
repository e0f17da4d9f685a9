// The pro shop's browser over the database items: one list per list number (1 balls,
// 2 shirts, 3 shoes, 4 wrist guards, hats and glasses), holding the items of the
// career bowler's gender (balls fit both), with a cursor that wraps.
#pragma once

#include "source/BowlingDb/BowlingDb.h"

// The size of the buffers GetAttrib1Str/GetAttrib2Str write ("+5 Hook Control").
constexpr u32 EQUIPMENT_ATTRIB_STR_SIZE = 32;

constexpr u8 EQUIPMENT_LIST_BALLS = 1;
constexpr u8 EQUIPMENT_LIST_SHIRTS = 2;
constexpr u8 EQUIPMENT_LIST_SHOES = 3;
constexpr u8 EQUIPMENT_LIST_ACCESSORIES = 4;

// A list entry: a copy of the database item. An empty entry (from an empty list) has
// index -1 and empty texts.
class Equipment {
public:
    Equipment();
    explicit Equipment(const s_DBItem& item);

    s32 GetIndex() const { return m_Index; }
    EquipType GetEquipType() const { return m_Item.e_EquipType; }
    s32 GetTextureID() const { return m_Item.m_TextureID; }
    u32 GetPrice() const { return m_Item.m_Price; }
    const char* GetName() const;
    const char* GetDescription() const;
    // The first and second bonus as text, empty when there is none; `buffer` holds
    // EQUIPMENT_ATTRIB_STR_SIZE bytes. Returns `buffer`.
    char* GetAttrib1Str(char* buffer) const;
    char* GetAttrib2Str(char* buffer) const;

    s_DBItem m_Item;
    s32 m_Index;  // the item index (m_Item.m_Index)
};

class CEquipmentManager {
public:
    CEquipmentManager();

    // Rebuilds the lists from the database for the career bowler's gender and selects
    // the first ball.
    void Init();
    // Selects list 1..4 and its first item; other values change nothing.
    void ChangeItemType(u8 list);
    // Moves to item n of the current list; n past the end changes nothing.
    void SetItem(u8 n);
    Equipment CurrentItem() const;
    Equipment NextItem();
    Equipment PreviousItem();
    // Orders the list that holds this type: equipped items, then owned, then the
    // rest, each group in database order. The cursor stays at its position.
    void SortEquipment(EquipType type);

private:
    static constexpr u32 LIST_COUNT = 4;
    u8 m_CurrentList = EQUIPMENT_LIST_BALLS;
    u32 m_CurrentItem = 0;
    // Rows of ItemsList.
    u32 m_Rows[LIST_COUNT][DB_ITEM_COUNT];
    u32 m_Count[LIST_COUNT];
};

extern CEquipmentManager* pEquipmentManager;  // made once by the main flow
