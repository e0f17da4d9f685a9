// The compiler refuses every fault of the text tables with the file and line.
#include <stdexcept>
#include <string>

#include "tests/game/BowlingDb/DbTestTables.h"

namespace {

struct Fault {
    const char* file;
    const char* from;  // the text changed; null: the file removed
    const char* to;
    const char* error;
};

// Faults of the sample tables' text; line numbers count comments and the column line.
const Fault kFaults[] = {
    {"items.txt", "m_Price", "m_Cost", "items.txt:2: unknown column \"m_Cost\""},
    {"cacshirts.txt", "gender | m_bCAConly\n0      | 1\n1      | 1\n0      | 0\n1      | 0", "gender\n0",
     "cacshirts.txt:1: missing column \"m_bCAConly\""},
    {"cacshoes.txt", "gender | m_bCAConly", "gender | gender",
     "cacshoes.txt:1: empty or repeated column \"gender\""},
    {"rivals.txt", "3    | 4                        | -2", "3 | 4", "rivals.txt:2: 2 fields, want 3"},
    {"tournaments.txt", "| 50    | 1000", "| 5O    | 1000", "tournaments.txt:3: BuyIn: bad number \"5O\""},
    {"qpbowlers.txt", "| Lane       | 0       | 60", "| Lane       | 0       | 101",
     "qpbowlers.txt:2: m_uStrength: 101 out of range 0..100"},
    {"items.txt", "| ball        | hook", "| bat         | hook",
     "items.txt:4: e_EquipType: unknown value \"bat\""},
    {"items.txt", "| 21      |", "| 20      |", "items.txt:8: m_Index: 20 repeated"},
    {"rivals.txt", "9    | 8", "99   | 8", "rivals.txt:3: m_ID: 99 is no bowler"},
    {"seasons.txt", "5 | 4 | 1 | 2", "5 | 4 | 1 | 3", "seasons.txt:3: TournID: 3 is no tournament"},
    {"seasons.txt", "5 | 4 | 2 | 2", "5 | 4 | 1 | 2", "seasons.txt:4: week 1 of league 5 season 4 repeated"},
    {"seasons.txt", "1 | 0 | 9 | 1\n", "", "seasons.txt: league 1 has 35 weeks, want 36"},
    {"seasons.txt", "5 | 4 | 2 | 2\n", "", "seasons.txt: league 5 has 5 weeks, want 6"},
    {"seasons.txt", "1 | 2 | 3 | 1", "1 | 2 | 10 | 1", "seasons.txt:"},
    {"balls.txt", "1       | Sanded", "10      | Sanded", "balls.txt:3: m_Index: item 10 is no ball"},
    {"balls.txt", "1       | Sanded", "0       | Sanded", "balls.txt:3: m_Index: 0 repeated"},
    {"balls.txt", "| 0.18 ", "| 1.5  ", "balls.txt:3: m_Friction: 1.5 out of range"},
    {"leagues.txt", "Pro Tour    | 500          | 200        | 300        | 70     | 100\n", "",
     "leagues.txt: 4 leagues, want 5"},
    {"leagues.txt", "| 120        | 170 ", "| 180        | 170 ",
     "leagues.txt:3: maxAverage: 170 out of range"},
    {"oilpatterns.txt", "| 9             | 3          | 10", "| 9             | 3          | 41",
     "oilpatterns.txt:2: taper_feet: 41 out of range"},
    {"oilpatterns.txt", "| 32.5 ", "| 0    ", "oilpatterns.txt:3: m_Length: want more than 0"},
    {"shelllightdefs.txt", "2     | 0 ", "1     | 0 ",
     "shelllightdefs.txt:4: Usage: 1 has no row in shelllights.txt"},
    {"shelllightdefs.txt", "0     | 1     | 0.3", "0     | 0     | 0.3",
     "shelllightdefs.txt:3: light: 0 repeated"},
    {"shelllightdefs.txt", "0 -1 0.5 0 ", "0 -1 0.5 ", "shelllightdefs.txt:2: direction: want four numbers"},
    {"caccounts.txt", "uMalePantsTexCount    | 3\n", "", "caccounts.txt: no uMalePantsTexCount"},
    {"caccounts.txt", "uMalePantsTexCount ", "uFemalePantsTexCount",
     "caccounts.txt:8: name: uFemalePantsTexCount repeated"},
    {"balls.txt", "1       | Sanded", "# 1     | Sanded", "items.txt:4: ball item 1 has no row in balls.txt"},
    {"rivals.txt", nullptr, nullptr, "rivals.txt: cannot read"},
};

TEST(BowlingDbCompileTest, TextFaultsNameTheirFileAndLine) {
    for (const Fault& fault : kFaults) {
        DbTestTables tables;
        if (fault.from == nullptr)
            tables.Remove(fault.file);
        else
            tables.Edit(fault.file, fault.from, fault.to);
        try {
            tables.Compile();
            ADD_FAILURE() << "accepted: " << fault.error;
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(std::string(error.what()).rfind(fault.error, 0), 0u) << error.what();
        }
    }
}

// The same tables give the same bytes; the text's row order of seasons does not matter.
TEST(BowlingDbCompileTest, OutputIsStable) {
    DbTestTables tables;
    const std::vector<u8> first = tables.Compile();
    tables.Edit("seasons.txt", "5 | 4 | 1 | 2\n", "");
    tables.Edit("seasons.txt", "4 | 0 | 1 | 1\n", "4 | 0 | 1 | 1\n5 | 4 | 1 | 2\n");
    EXPECT_EQ(tables.Compile(), first);
}

}  // namespace
