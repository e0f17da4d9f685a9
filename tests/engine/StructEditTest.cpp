#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "orblib47/source/StructEdit.h"
#include "tests/engine/UIFixture.h"
#include "tests/game/PictureCompare.h"

namespace {

using StructEditTest = UIFixture;
using Bytes = std::vector<u8>;

template <class T, class... V>
Bytes Of(V... values) {
    const T typed[] = {T(values)...};
    Bytes bytes(sizeof(typed));
    std::memcpy(bytes.data(), typed, sizeof(typed));
    return bytes;
}

std::vector<e_struct_edit_event> Events;
void Record(e_struct_edit_event event) {
    Events.push_back(event);
}

const std::vector<std::string> kCloseByB = {"button b down", "button b up"};

// What a member's control shows: a check box's state, a drop-down list's choice,
// the texts of a line edit and of the components after it.
std::string Shown(s_ui_object* control) {
    if (control->type == UI_OBJ_CHECKBOX)
        return std::to_string(CheckBoxGet(reinterpret_cast<s_checkbox_obj*>(control)));
    if (control->type == UI_OBJ_MULTI_EDIT)
        return std::to_string(MultiEditGet(reinterpret_cast<s_multi_edit_obj*>(control)));
    std::string text = reinterpret_cast<s_line_edit_obj*>(control)->text;
    for (s_ui_object* c = control; (c = UIObjectFindId(control->parent, c->id + 1)) != nullptr;)
        text += std::string(" ") + reinterpret_cast<s_line_edit_obj*>(c)->text;
    return text;
}

// Types into the control as a user would, one word per component.
void Type(s_ui_object* control, const std::string& words) {
    std::istringstream in(words);
    std::string word;
    if (control->type == UI_OBJ_CHECKBOX) {
        CheckBoxSetCheck(reinterpret_cast<s_checkbox_obj*>(control), std::stoi(words));
        return;
    }
    if (control->type == UI_OBJ_MULTI_EDIT) {
        reinterpret_cast<s_multi_edit_obj*>(control)->value = std::stoi(words);
        return;
    }
    for (s_ui_object* c = control; c != nullptr && in >> word; c = UIObjectFindId(control->parent, c->id + 1))
        std::snprintf(reinterpret_cast<s_line_edit_obj*>(c)->text, LINE_EDIT_TEXT_SIZE, "%s", word.c_str());
}

TEST_F(StructEditTest, EachTypeShowsRefreshesAndWritesBackItsFieldInItsOwnWidth) {
    const struct {
        e_struct_type type;
        Bytes before;
        const char* shown;
        Bytes refreshed;
        const char* reshown;
        const char* typed;
        Bytes stored;
    } rows[] = {
        {TYPE_BOOLEAN, Of<u32>(7), "1", Of<u32>(0), "0", "1", Of<u32>(1)},
        {TYPE_FLOAT32, Of<f32>(1.5f), "1.5000", Of<f32>(-0.25f), "-0.2500", "2.125", Of<f32>(2.125f)},
        {TYPE_FLOAT32, Of<f32>(1.5f), "1.5000", Of<f32>(-0.25f), "-0.2500", "fast", Of<f32>(-0.25f)},
        {TYPE_SINT8, Of<s8>(-5), "-5", Of<s8>(100), "100", "-129", Of<s8>(127)},
        {TYPE_SINT16, Of<s16>(-300), "-300", Of<s16>(7), "7", "40000", Of<s16>(-25536)},
        {TYPE_SINT32, Of<s32>(-2000000000), "-2000000000", Of<s32>(3), "3", "-2147483648",
         Of<u32>(0x80000000u)},
        {TYPE_SINT32, Of<s32>(5), "5", Of<s32>(3), "3", "x1", Of<s32>(3)},
        {TYPE_UINT8, Of<u8>(200), "200", Of<u8>(1), "1", "300", Of<u8>(44)},
        {TYPE_UINT16, Of<u16>(65535), "65535", Of<u16>(2), "2", "65536", Of<u16>(0)},
        {TYPE_UINT32, Of<u32>(4000000000u), "4000000000", Of<u32>(3000000000u), "3000000000", "4294967295",
         Of<u32>(0xFFFFFFFFu)},
        {TYPE_ENUM, Of<u32>(2), "2", Of<u32>(0), "0", "1", Of<u32>(1)},
        {TYPE_VECTOR3, Of<f32>(1, 2, 3), "1.0000 2.0000 3.0000", Of<f32>(4, 5, 6), "4.0000 5.0000 6.0000",
         "7 y 9", Of<f32>(7, 5, 9)},
        {TYPE_VECTOR4, Of<f32>(1, 2, 3, 4), "1.0000 2.0000 3.0000 4.0000", Of<f32>(0, 0, 0, 1),
         "0.0000 0.0000 0.0000 1.0000", "0.5 0.25 -1 8", Of<f32>(0.5f, 0.25f, -1, 8)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "type " << row.type << " typed " << row.typed);
        const s_struct_var table[] = {
            {TYPE_STRUCT, 0, 0, "Lane", {1, 1, 0}},   {row.type, 0, 4, "Field", {2, 3, 1}},
            {TYPE_STRING, 0, 0, "Dry", {}},           {TYPE_STRING, 0, 0, "Medium", {}},
            {TYPE_STRING, 0, 0, "Flooded lanes", {}},
        };
        StructEditStartup(table, 5);
        u8 record[24];
        std::memset(record, 0xEE, sizeof(record));
        std::memcpy(record + 4, row.before.data(), row.before.size());
        Events.clear();
        s_window_obj* window = StructEditOpen(320, 224, 0, record, Record);
        ASSERT_NE(window, nullptr);

        f32 label = FontStringWidth("Field");
        if (row.type == TYPE_ENUM)
            label = FontStringWidth("Flooded lanes") + 20.0f;
        const bool number = row.type >= TYPE_FLOAT32 && row.type <= TYPE_UINT32;
        const bool vector = row.type == TYPE_VECTOR3 || row.type == TYPE_VECTOR4;
        const s32 lines = row.type == TYPE_VECTOR3 ? 3 : row.type == TYPE_VECTOR4 ? 4 : 1;
        EXPECT_EQ(window->obj.rect.w, (number || vector ? 24 : 0) + s32(label) + 170);
        EXPECT_EQ(window->obj.rect.h, lines * 26 + 30);
        EXPECT_EQ(window->obj.rect.x, 320 - window->obj.rect.w / 2);

        s_ui_object* control = StructEditStack[0].objects[0];
        EXPECT_EQ(Shown(control), row.shown);
        std::memcpy(record + 4, row.refreshed.data(), row.refreshed.size());
        StructEditRefreshControls();
        EXPECT_EQ(Shown(control), row.reshown);

        Type(control, row.typed);
        Play(kCloseByB);
        u8 expected[24];
        std::memset(expected, 0xEE, sizeof(expected));
        std::memcpy(expected + 4, row.stored.data(), row.stored.size());
        EXPECT_EQ(Bytes(record, record + 24), Bytes(expected, expected + 24));
        EXPECT_EQ(Events, std::vector<e_struct_edit_event>{STRUCT_EDIT_OKAY});
        EXPECT_EQ(StructEditStackDepth, 0);
        EXPECT_EQ(UIObjectList.next, nullptr);
    }
}

// A record whose "Inner" member is the same kind of record four bytes further on.
const s_struct_var kLevels[] = {
    {TYPE_STRUCT, 0, 0, "Level", {1, 2, 0}},
    {TYPE_FLOAT32, 0, 0, "Speed", {0, 0, 1}},
    {TYPE_STRUCT, 0, 4, "Inner", {1, 2, 0}},
};

TEST_F(StructEditTest, FourEditorsNestAFifthIsRefusedAndEachCloseWritesOnlyItsOwnMembers) {
    f32 speeds[8] = {};
    EXPECT_EQ(StructEditOpen(320, 224, 0, speeds, Record), nullptr);  // no table yet
    StructEditStartup(kLevels, 3);
    Events.clear();
    s_window_obj* window = StructEditOpen(320, 224, 0, speeds, Record);
    for (s32 depth = 1; depth <= 4; ++depth) {
        ASSERT_EQ(StructEditStackDepth, depth);
        const s_ui_object* edit = StructEditStack[depth - 1].objects[1];
        Play({PointAt(edit->rect, &window->obj.rect), "button 1 down", "button 1 up"});
    }
    EXPECT_EQ(StructEditStackDepth, 4);
    EXPECT_TRUE(report().contains("StructEditOpen: 4 editors are open already"));
    s32 windows = 0;
    for (const s_ui_object* o = UIObjectList.next; o != nullptr; o = o->next)
        windows += o->type == UI_OBJ_WINDOW;
    EXPECT_EQ(windows, 4);

    for (s32 depth = 4; depth >= 1; --depth) {
        Type(StructEditStack[depth - 1].objects[0], std::to_string(10 + depth));
        Play(kCloseByB);
        EXPECT_EQ(StructEditStackDepth, depth - 1);
        EXPECT_EQ(Events.size(), size_t(5 - depth));
        for (s32 level = 0; level < 4; ++level)
            EXPECT_EQ(speeds[level], level + 1 >= depth ? f32(11 + level) : 0.0f) << depth << " " << level;
    }
    EXPECT_EQ(Events, std::vector<e_struct_edit_event>(4, STRUCT_EDIT_OKAY));
}

struct Spun {
    f32 pos[3];
    f32 speed;
    u8 count;
};

TEST_F(StructEditTest, SpinButtonsStepTheirOwnRowAndTellTheCallback) {
    const s_struct_var table[] = {
        {TYPE_STRUCT, 0, 0, "Ball", {1, 3, 0}},
        {TYPE_VECTOR3, 0, offsetof(Spun, pos), "Position", {0, 0, 1}},
        {TYPE_FLOAT32, 0, offsetof(Spun, speed), "Speed", {0, 0, 0.5f}},
        {TYPE_UINT8, 0, offsetof(Spun, count), "Count", {0, 0, 1}},
    };
    StructEditStartup(table, 4);
    Spun record{{1, 2, 3}, 1.0f, 0};
    Events.clear();
    s_window_obj* window = StructEditOpen(320, 224, 0, &record, Record);
    auto edit = [](s32 member) {
        return reinterpret_cast<s_line_edit_obj*>(StructEditStack[0].objects[member]);
    };
    const s_Irect16* at = &window->obj.rect;
    Play({PointAt(edit(1)->downRect, at), "button 1 down", "button 1 up", PointAt(edit(2)->downRect, at),
          "button 1 down", "button 1 up", PointAt(edit(0)->upRect, at), "button 1 down", "button 1 up"});
    EXPECT_EQ(record.speed, 0.5f);
    EXPECT_STREQ(edit(1)->text, "0.5000");
    EXPECT_EQ(record.count, 255);  // wraps in its own width
    EXPECT_STREQ(edit(2)->text, "255");
    EXPECT_EQ(record.pos[0], 1.0f);  // a vector's components step nothing
    EXPECT_EQ(Events, std::vector<e_struct_edit_event>(2, STRUCT_EDIT_APPLY));
}

TEST_F(StructEditTest, ThirteenRowsScrollOnlyControlsWhollyInsideAreActiveAndFlaggedRowsShow) {
    std::vector<s_struct_var> table = {{TYPE_STRUCT, 0, 0, "Pins", {1, 13, 0}}};
    for (u16 k = 0; k < 13; ++k)
        table.push_back({TYPE_FLOAT32, 0, u16(4 * k), "Mass", {0, 0, 1}});
    StructEditStartup(table.data(), 14);
    f32 masses[13] = {};
    s_window_obj* window = StructEditOpen(320, 224, 0, masses, nullptr);
    EXPECT_EQ(window->obj.rect.h, 342);
    EXPECT_EQ(window->obj.rect.w, 24 + s32(FontStringWidth("Mass")) + 170 + 24);
    auto active = [] {
        std::string flags;
        for (s32 k = 0; k < 13; ++k)
            flags += (StructEditStack[0].objects[k]->flags & UI_OBJ_FLAG_ACTIVE) != 0 ? '1' : '0';
        return flags;
    };
    EXPECT_EQ(active(), "1111111111110");
    EXPECT_EQ(StructEditStack[0].objects[12]->rect.y, 26 + 12 * 26);
    ScrollbarSetValue(StructEditStack[0].scrollbarObj, 1.0f);
    EventWait(1);
    EXPECT_EQ(active(), "0111111111111");
    EXPECT_EQ(StructEditStack[0].objects[12]->rect.y, 26 + 11 * 26);
    for (size_t k = 1; k < table.size(); k += 2)
        table[k].flags = STRUCT_VAR_VISIBLE;
    StructEditUpdateVisibility();
    EXPECT_EQ(active(), "1010101010101");
}

TEST_F(StructEditTest, ABitSetOfFiveShowsTwoColumnsAndWritesOnlyItsCheckedBits) {
    const s_struct_var table[] = {
        {TYPE_STRUCT, 0, 0, "Lane", {1, 1, 0}}, {TYPE_BIT_ARRAY, 0, 0, "Pins up", {2, 5, 0}},
        {TYPE_STRING, 0, 0, "1", {0}},          {TYPE_STRING, 0, 0, "2", {1}},
        {TYPE_STRING, 0, 0, "3", {2}},          {TYPE_STRING, 0, 0, "7", {6}},
        {TYPE_STRING, 0, 0, "10", {9}},
    };
    StructEditStartup(table, 7);
    u32 pins = 0x80000005u;  // bit 31 has no box
    s_window_obj* editor = StructEditOpen(320, 224, 0, &pins, nullptr);
    auto* edit = reinterpret_cast<s_button_obj*>(StructEditStack[0].objects[0]);
    Play({PointAt(edit->obj.rect, &editor->obj.rect), "button 1 down", "button 1 up"});
    auto* dialog = reinterpret_cast<s_window_obj*>(UIObjectList.next);
    ASSERT_NE(dialog, editor);
    std::string layout;
    for (s32 bit : {0, 1, 2, 6, 9}) {
        auto* box = reinterpret_cast<s_checkbox_obj*>(UIObjectFindId(&dialog->obj, bit));
        layout += (box->obj.rect.x == 10                            ? "L"
                   : box->obj.rect.x == dialog->obj.rect.w / 2 + 10 ? "R"
                                                                    : "?") +
                  std::to_string((box->obj.rect.y - 26) / 26) + std::to_string(CheckBoxGet(box)) + " ";
    }
    EXPECT_EQ(layout, "L01 L10 L21 R00 R10 ");
    CheckBoxSetCheck(reinterpret_cast<s_checkbox_obj*>(UIObjectFindId(&dialog->obj, 9)), 1);
    Play(kCloseByB);
    EXPECT_EQ(pins, 0x205u);
    EXPECT_EQ(UIObjectList.next, &editor->obj);
}

struct Shot {
    u32 hook;
    f32 speed;
    s32 board;
    u32 oil;
    f32 spin[3];
    u32 color;
    u32 pins;
    f32 inner;
};

TEST_F(StructEditTest, AnEditorOfEveryKindOfRowMatchesTheKeptPicture) {
    MouseDisable();  // no cursor in the picture
    const s_struct_var table[] = {
        {TYPE_STRUCT, 0, 0, "Shot", {1, 9, 0}},
        {TYPE_BOOLEAN, 0, offsetof(Shot, hook), "Hook", {}},
        {TYPE_FLOAT32, 0, offsetof(Shot, speed), "Speed", {0, 0, 0.1f}},
        {TYPE_SINT32, 0, offsetof(Shot, board), "Board", {0, 0, 1}},
        {TYPE_ENUM, 0, offsetof(Shot, oil), "Oil", {10, 3, 0}},
        {TYPE_VECTOR3, 0, offsetof(Shot, spin), "Spin", {0, 0, 1}},
        {TYPE_RGBA, 0, offsetof(Shot, color), "Colour", {}},
        {TYPE_BIT_ARRAY, 0, offsetof(Shot, pins), "Pins", {13, 2, 0}},
        {TYPE_STRING, 0, 0, "", {}},
        {TYPE_STRUCT, 0, offsetof(Shot, inner), "Release", {15, 1, 0}},
        {TYPE_STRING, 0, 0, "Dry", {}},
        {TYPE_STRING, 0, 0, "Medium", {}},
        {TYPE_STRING, 0, 0, "Flooded", {}},
        {TYPE_STRING, 0, 0, "Head pin", {0}},
        {TYPE_STRING, 0, 0, "Corner pins", {1}},
        {TYPE_FLOAT32, 0, 0, "Loft", {0, 0, 1}},
    };
    StructEditStartup(table, 16);
    Shot shot{1, 7.25f, -12, 1, {0.5f, 0.0f, -1.0f}, 0xC02020FFu, 1, 0.0f};
    StructEditOpen(320, 224, 0, &shot, nullptr);
    EventWait(12);  // past the black frames after start-up
    ExpectLooksAsKept("struct_edit");
}

}  // namespace
