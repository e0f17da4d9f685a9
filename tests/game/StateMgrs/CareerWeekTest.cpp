// A career played from power-on as a player would: a new bowler, the pro shop,
// saving on the way out; then a second run on the same storage that loads the
// bowler and finds everything.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>

#include "source/Career/CareerCharacter.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/StateMgrs/ShellRun.h"

namespace {

constexpr s32 kSettle = 40;  // frames the flows stay put before the next key

// Presses `keys` one at a time (a A, b B, 2 the 2 button, l r u d the cross),
// each once every flow's state has stayed the same for a while; a screen that
// takes a key without a change of state gets the next one a while later.
class SettledKeys {
public:
    explicit SettledKeys(std::string keys) : keys_(std::move(keys)) {}

    void Step() {
        const State& now = g_MainFlow.state;
        const bool same = std::equal(std::begin(now.m_value), std::end(now.m_value), std::begin(last_));
        waited_ = same ? waited_ + 1 : 0;
        std::copy(std::begin(now.m_value), std::end(now.m_value), std::begin(last_));
        if (waited_ == 0 || waited_ % kSettle != 0 || done())
            return;
        const char key = keys_[next_++];
        const char* name = key == 'a'   ? "a"
                           : key == 'b' ? "b"
                           : key == '2' ? "2"
                           : key == 'l' ? "left"
                           : key == 'r' ? "right"
                           : key == 'u' ? "up"
                                        : "down";
        ScriptFromNow(std::string("0 0 connect\n1 0 button ") + name + " down\n3 0 button " + name + " up\n");
    }
    bool done() const { return next_ >= keys_.size(); }

private:
    std::string keys_;
    size_t next_ = 0;
    s32 waited_ = 0;
    s32 last_[STATE_MAX_DEPTH] = {};
};

// What the test follows of the career bowler.
struct Bowler {
    std::string name;
    u32 money = 0;
    s32 spareOwned = 0;
    s_Character_Equipment equipment{};

    static Bowler Now(s32 item) {
        CCareerCharacter* career = CCareerCharacter::GetInstance();
        if (career == nullptr)
            return {};
        return {career->GetName(), career->GetMoney(), career->ItemPurchased(item), *career->GetEquipment()};
    }
    bool operator==(const Bowler& o) const {
        return name == o.name && money == o.money && spareOwned == o.spareOwned &&
               std::memcmp(&equipment, &o.equipment, sizeof(equipment)) == 0;
    }
};

void PrintTo(const Bowler& b, std::ostream* out) {
    *out << b.name << " $" << b.money << " spare " << b.spareOwned << " balls " << b.equipment.Ball1 << "/"
         << b.equipment.Ball2;
}

bool AtMainMenu() {
    return g_MainFlow.state.m_value[0] == 18 && g_ScreenTracker.m_CurrScreen == eScreen_List_MainMenu;
}

TEST(CareerWeekTest, ABowlerMadeShoppedForAndSavedIsThereInTheNextRun) {
    // Career; New Career; the look done (2), not saved now (No, then Yes); the
    // welcome and the league; the pro shop (four down): the next ball bought
    // (right, A, left to Yes, A), put on (A), the shop left (B); the career left
    // (B), saved first (A) into the first slot (A), over the save the first boot
    // made (left to Yes, A), and the saved message taken (A).
    SettledKeys keys(
        "daa"
        "2rara"
        "aa"
        "dddda"
        "ralaab"
        "baalaa");
    constexpr s32 kSpare = 1;
    Bowler saved, loaded;
    RunShell(kBootToMainMenu, 20000, [&] {
        if (VIGetRetraceCount() < 1300)
            return false;
        saved = Bowler::Now(kSpare);
        keys.Step();
        return keys.done() && AtMainMenu();
    });
    ASSERT_TRUE(keys.done());
    ASSERT_TRUE(AtMainMenu());

    // Career, Load Career, the first slot.
    SettledKeys load("dadaa");
    RunShell(
        kBootToMainMenu, 20000,
        [&] {
            if (VIGetRetraceCount() < 1300)
                return false;
            load.Step();
            if (g_ScreenTracker.m_CurrScreen != eScreen_List_Career_MainMenu)
                return false;
            loaded = Bowler::Now(kSpare);
            return true;
        },
        true);
    EXPECT_EQ(saved.spareOwned, 1);
    EXPECT_TRUE(saved.equipment.Ball1 == kSpare || saved.equipment.Ball2 == kSpare);
    EXPECT_EQ(loaded, saved);
}

}  // namespace
