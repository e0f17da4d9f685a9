// The shipped database tables (data/db) hang together: every reference points at
// a record that exists, the counts the career and the front end rely on hold, and
// the world makes sense to a bowler (dearer balls hook more, leagues get harder).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "source/Physics/PhysicsTypes.h"

namespace {

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

std::vector<std::string> Split(const std::string& line, char sep) {
    std::vector<std::string> out;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, sep))
        out.push_back(Trim(field));
    if (!line.empty() && line.back() == sep)
        out.push_back("");
    return out;
}

// One text table: the column line, then one record a line; '#' lines are comments.
struct DbTable {
    std::string file;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;

    size_t Column(const std::string& name) const {
        const auto it = std::find(columns.begin(), columns.end(), name);
        EXPECT_NE(it, columns.end()) << file << ": no column " << name;
        return it == columns.end() ? 0 : size_t(it - columns.begin());
    }
    const std::string& Text(size_t row, const std::string& name) const { return rows[row][Column(name)]; }
    long long Int(size_t row, const std::string& name) const {
        const std::string& s = Text(row, name);
        size_t used = 0;
        long long v = 0;
        try {
            v = std::stoll(s, &used, 0);
        } catch (...) {
        }
        EXPECT_TRUE(!s.empty() && used == s.size()) << file << " row " << row << " " << name << ": " << s;
        return v;
    }
    double Float(size_t row, const std::string& name) const {
        const std::string& s = Text(row, name);
        size_t used = 0;
        double v = 0;
        try {
            v = std::stod(s, &used);
        } catch (...) {
        }
        EXPECT_TRUE(!s.empty() && used == s.size()) << file << " row " << row << " " << name << ": " << s;
        return v;
    }
    std::vector<double> Vector(size_t row, const std::string& name) const {
        std::vector<double> v;
        std::stringstream in(Text(row, name));
        double x;
        while (in >> x)
            v.push_back(x);
        return v;
    }
};

const DbTable& Table(const std::string& name) {
    static std::map<std::string, DbTable> cache;
    const auto found = cache.find(name);
    if (found != cache.end())
        return found->second;
    DbTable& t = cache[name];
    t.file = name;
    std::ifstream in(std::string(BOWLING_DB_CONTENT_DIR) + "/" + name);
    EXPECT_TRUE(in.good()) << name << " is missing";
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        std::vector<std::string> fields = Split(line, '|');
        if (t.columns.empty()) {
            t.columns = fields;
            EXPECT_EQ(std::set<std::string>(fields.begin(), fields.end()).size(), fields.size())
                << name << ": a column is named twice";
            continue;
        }
        EXPECT_EQ(fields.size(), t.columns.size()) << name << ":" << lineNo << ": wrong field count";
        fields.resize(t.columns.size());
        t.rows.push_back(fields);
    }
    return t;
}

struct Item {
    int index;
    std::string type;
    int male;
    int texture;
    int subType;
    long long price;
};

std::vector<Item> Items() {
    const DbTable& t = Table("items.txt");
    std::vector<Item> items;
    for (size_t r = 0; r < t.rows.size(); ++r)
        items.push_back({int(t.Int(r, "m_Index")), t.Text(r, "e_EquipType"), int(t.Int(r, "m_Male")),
                         int(t.Int(r, "m_TextureID")), int(t.Int(r, "m_SubType")), t.Int(r, "m_Price")});
    return items;
}

std::set<int> BallIndices() {
    std::set<int> balls;
    for (const Item& item : Items())
        if (item.type == "ball")
            balls.insert(item.index);
    return balls;
}

// m_bCAConly flags of one gender's create-a-bowler list, in list order.
std::vector<int> CacList(const std::string& file, int gender) {
    const DbTable& t = Table(file);
    std::vector<int> flags;
    for (size_t r = 0; r < t.rows.size(); ++r)
        if (t.Int(r, "gender") == gender)
            flags.push_back(int(t.Int(r, "m_bCAConly")));
    return flags;
}

long long CacCount(const std::string& name) {
    const DbTable& t = Table("caccounts.txt");
    for (size_t r = 0; r < t.rows.size(); ++r)
        if (t.Text(r, "name") == name)
            return t.Int(r, "value");
    ADD_FAILURE() << "caccounts.txt has no " << name;
    return 0;
}

const char* const kTables[] = {"items.txt",       "balls.txt",       "qpbowlers.txt",      "bowlers.txt",
                               "rivals.txt",      "tournaments.txt", "seasons.txt",        "leagues.txt",
                               "oilpatterns.txt", "shelllights.txt", "shelllightdefs.txt", "cacshirts.txt",
                               "cacshoes.txt",    "cacglasses.txt",  "caccounts.txt"};

TEST(DbContentTest, EveryTableHasColumnsAndRecords) {
    for (const char* name : kTables) {
        const DbTable& t = Table(name);
        EXPECT_FALSE(t.columns.empty()) << name;
        EXPECT_FALSE(t.rows.empty()) << name;
        for (const auto& row : t.rows)
            for (const std::string& field : row)
                EXPECT_EQ(field.find('|'), std::string::npos) << name;
    }
}

TEST(DbContentTest, ItemsCoverEveryIndexOnceWithTheHouseBallFirst) {
    const std::vector<Item> items = Items();
    ASSERT_EQ(items.size(), 175u);
    std::set<int> indices;
    for (const Item& item : items)
        indices.insert(item.index);
    EXPECT_EQ(indices.size(), 175u);
    EXPECT_EQ(*indices.begin(), 0);
    EXPECT_EQ(*indices.rbegin(), 174);

    const DbTable& t = Table("items.txt");
    for (size_t r = 0; r < t.rows.size(); ++r) {
        if (t.Int(r, "m_Index") != 0)
            continue;
        EXPECT_EQ(t.Text(r, "m_Name"), "House Ball");
        EXPECT_EQ(t.Text(r, "e_EquipType"), "ball");
        EXPECT_EQ(t.Int(r, "m_Price"), 0);
    }
}

TEST(DbContentTest, ItemsAreDescribedPricedAndGiveSmallBonuses) {
    const DbTable& t = Table("items.txt");
    const std::set<std::string> attribs = {"arm", "accuracy", "hook", "stamina", "reputation"};
    for (size_t r = 0; r < t.rows.size(); ++r) {
        SCOPED_TRACE(t.Text(r, "m_Name"));
        EXPECT_FALSE(t.Text(r, "m_Name").empty());
        EXPECT_FALSE(t.Text(r, "m_Description").empty());
        EXPECT_GE(t.Int(r, "m_Price"), 0);
        EXPECT_LE(t.Int(r, "m_Price"), 5000);
        for (const auto& [bonus, amountColumn] :
             {std::pair{"bonus1", "amount1"}, std::pair{"bonus2", "amount2"}}) {
            const std::string what = t.Text(r, bonus);
            const long long amount = t.Int(r, amountColumn);
            if (what == "none") {
                EXPECT_EQ(amount, 0);
            } else {
                EXPECT_TRUE(attribs.count(what)) << what;
                EXPECT_GE(amount, 1);
                EXPECT_LE(amount, 10);
            }
        }
    }
}

TEST(DbContentTest, BallsComeFirstAndEachHasARollProfile) {
    const std::set<int> balls = BallIndices();
    ASSERT_FALSE(balls.empty());
    EXPECT_EQ(*balls.rbegin(), int(balls.size()) - 1) << "ball items must take the first indices";

    const DbTable& t = Table("balls.txt");
    std::set<int> rows;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const int index = int(t.Int(r, "m_Index"));
        SCOPED_TRACE(index);
        EXPECT_TRUE(rows.insert(index).second) << "two rows for one ball";
        EXPECT_TRUE(balls.count(index)) << "a row for an item that is no ball";
        for (const char* text : {"m_FactoryFinish", "m_CoverStock", "m_Core", "m_Oil"})
            EXPECT_FALSE(t.Text(r, text).empty()) << text;
        EXPECT_GE(t.Float(r, "m_Friction"), 0.04);
        EXPECT_LE(t.Float(r, "m_Friction"), 0.2);
        // Within what the physics takes unclamped: a radius of gyration in (R / 10, R],
        // an absorb rate of 0..10.
        EXPECT_GT(t.Float(r, "m_RadiusOfGyration"), 0.1 * PHYS_BALL_RADIUS);
        EXPECT_LE(t.Float(r, "m_RadiusOfGyration"), PHYS_BALL_RADIUS);
        EXPECT_LE(t.Int(r, "m_AbsorbRate"), 10);
    }
    EXPECT_EQ(rows, balls);
    for (const Item& item : Items())
        if (item.type == "ball") {
            EXPECT_EQ(item.male, 1);
            EXPECT_GE(item.subType, 0);
            EXPECT_LE(item.subType, 7) << "no such ball card";
        }
}

TEST(DbContentTest, DearerBallsNeverHookLess) {
    struct Ball {
        long long price;
        double friction, rg;
        long long flare;
    };
    std::map<int, long long> prices;
    for (const Item& item : Items())
        if (item.type == "ball")
            prices[item.index] = item.price;
    const DbTable& t = Table("balls.txt");
    std::vector<Ball> balls;
    for (size_t r = 0; r < t.rows.size(); ++r)
        balls.push_back({prices[int(t.Int(r, "m_Index"))], t.Float(r, "m_Friction"),
                         t.Float(r, "m_RadiusOfGyration"), t.Int(r, "m_Flare")});
    std::sort(balls.begin(), balls.end(), [](const Ball& a, const Ball& b) { return a.price < b.price; });
    for (size_t i = 1; i < balls.size(); ++i) {
        SCOPED_TRACE(balls[i].price);
        EXPECT_LT(balls[i - 1].price, balls[i].price) << "two balls at one price";
        EXPECT_LE(balls[i - 1].friction, balls[i].friction);
        EXPECT_GE(balls[i - 1].rg, balls[i].rg);
        EXPECT_LE(balls[i - 1].flare, balls[i].flare);
    }
}

TEST(DbContentTest, EachGenderHasAtLeastTwoOfEveryWearable) {
    std::map<std::pair<std::string, int>, int> counts;
    for (const Item& item : Items())
        if (item.type != "ball")
            ++counts[{item.type, item.male}];
    for (const char* type : {"shirt", "shoes", "acc", "hat", "glasses"})
        for (int male : {0, 1})
            EXPECT_GE((counts[{type, male}]), 2) << type << (male ? " for men" : " for women");
}

TEST(DbContentTest, ShopLooksAreEntriesOfTheCreateABowlerLists) {
    const struct {
        const char* type;
        const char* list;
    } kinds[] = {{"shirt", "cacshirts.txt"}, {"shoes", "cacshoes.txt"}, {"glasses", "cacglasses.txt"}};
    const std::vector<Item> items = Items();
    for (const auto& kind : kinds)
        for (int gender : {0, 1}) {
            SCOPED_TRACE(std::string(kind.list) + (gender ? " women" : " men"));
            const std::vector<int> flags = CacList(kind.list, gender);
            EXPECT_TRUE(std::count(flags.begin(), flags.end(), 1) > 0) << "nothing to choose when creating";
            std::set<int> sold;
            for (const Item& item : items)
                if (item.type == kind.type && item.male == (gender == 0 ? 1 : 0)) {
                    EXPECT_GE(item.texture, 0);
                    EXPECT_LT(item.texture, int(flags.size())) << "item " << item.index;
                    sold.insert(item.texture);
                }
            for (size_t i = 0; i < flags.size(); ++i)
                if (flags[i] == 0) {
                    EXPECT_TRUE(sold.count(int(i))) << "shop-only look " << i << " is sold by no item";
                }
        }
}

// The look of a list bowler must be one the create-a-bowler lists can build.
void ExpectBuildableLook(const DbTable& t, size_t r) {
    const long long gender = t.Int(r, "m_uGender");
    ASSERT_TRUE(gender == 0 || gender == 1);
    const bool man = gender == 0;
    EXPECT_LE(t.Int(r, "m_uFaceType"), 3);
    EXPECT_LT(t.Int(r, "m_uHairStyle"), CacCount(man ? "uMaleHairModelCount" : "uFemaleHairModelCount"));
    EXPECT_LT(t.Int(r, "m_uHairColor"), CacCount(man ? "uMaleHairTexCount" : "uFemaleHairTexCount"));
    const long long facialHair = t.Int(r, "m_iFacialHair");
    EXPECT_GE(facialHair, -1);
    EXPECT_LT(facialHair, man ? CacCount("uFacialHairModelCount") / 8 : 0);
    EXPECT_LT(t.Int(r, "m_uPants"), CacCount(man ? "uMalePantsTexCount" : "uFemalePantsTexCount"));
    EXPECT_LT(t.Int(r, "m_uShoes"), static_cast<long long>(CacList("cacshoes.txt", int(gender)).size()));
    const long long glasses = t.Int(r, "m_iGlasses");
    EXPECT_GE(glasses, -1);
    EXPECT_LT(glasses, static_cast<long long>(CacList("cacglasses.txt", int(gender)).size()));

    bool hatFound = t.Int(r, "m_iHat") == -1;
    bool shirtFound = false;
    for (const Item& item : Items()) {
        if (item.male != (man ? 1 : 0))
            continue;
        hatFound |= item.type == "hat" && item.texture == t.Int(r, "m_iHat");
        shirtFound |= item.type == "shirt" && item.texture == t.Int(r, "m_uShirtColor") &&
                      item.subType == t.Int(r, "m_uShirtType");
    }
    EXPECT_TRUE(hatFound) << "no such hat";
    EXPECT_TRUE(shirtFound) << "no such shirt";
}

void ExpectBowler(const DbTable& t, size_t r, const std::vector<std::string>& ballColumns) {
    SCOPED_TRACE(t.file + ": " + t.Text(r, "m_FirstName") + " " + t.Text(r, "m_LastName"));
    EXPECT_GT(t.Int(r, "m_ID"), 0);
    EXPECT_FALSE(t.Text(r, "m_FirstName").empty());
    EXPECT_FALSE(t.Text(r, "m_LastName").empty());
    EXPECT_LE(t.Int(r, "m_uHand"), 1);
    for (const char* skill : {"m_uStrength", "m_uAccuracy", "m_uHookControl", "m_uStamina"}) {
        EXPECT_GE(t.Int(r, skill), 20) << skill;
        EXPECT_LE(t.Int(r, skill), 100) << skill;
    }
    const std::set<int> balls = BallIndices();
    for (const std::string& column : ballColumns)
        EXPECT_TRUE(balls.count(int(t.Int(r, column)))) << column << " is no ball";
    ExpectBuildableLook(t, r);
}

TEST(DbContentTest, QuickPlayBowlersAreComplete) {
    const DbTable& t = Table("qpbowlers.txt");
    EXPECT_GE(t.rows.size(), 8u);
    EXPECT_LE(t.rows.size(), 12u);
    std::set<long long> ids;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        EXPECT_TRUE(ids.insert(t.Int(r, "m_ID")).second);
        ExpectBowler(t, r, {"m_uPrimaryBall", "m_uSecondaryBall", "m_uTertiaryBall"});
    }
}

TEST(DbContentTest, CareerLeaguesAreFilledAndGetStronger) {
    const DbTable& t = Table("bowlers.txt");
    std::set<long long> ids;
    std::map<long long, std::vector<long long>> averages;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        EXPECT_TRUE(ids.insert(t.Int(r, "m_ID")).second) << "id " << t.Int(r, "m_ID") << " twice";
        ExpectBowler(t, r, {"m_uPrimaryBall", "m_uSecondaryBall"});
        averages[t.Int(r, "m_uLeague")].push_back(t.Int(r, "m_uAverage"));
    }
    ASSERT_EQ(averages.size(), 5u);
    double previous = 0;
    for (long long league = 1; league <= 5; ++league) {
        SCOPED_TRACE(league);
        const std::vector<long long>& a = averages[league];
        // The player joins a league of at least eight others and at most sixteen bowlers.
        EXPECT_GE(a.size(), 9u);
        EXPECT_LE(a.size(), 15u);
        double mean = 0;
        for (long long v : a)
            mean += double(v) / double(a.size());
        EXPECT_GT(mean, previous);
        previous = mean;
        if (league == 1) {
            EXPECT_NEAR(mean, 120, 15);
        }
        if (league == 5) {
            EXPECT_NEAR(mean, 220, 15);
        }
    }
}

TEST(DbContentTest, RivalsAreCareerBowlers) {
    std::set<long long> bowlers;
    const DbTable& b = Table("bowlers.txt");
    for (size_t r = 0; r < b.rows.size(); ++r)
        bowlers.insert(b.Int(r, "m_ID"));
    const DbTable& t = Table("rivals.txt");
    EXPECT_GE(t.rows.size(), 6u);
    EXPECT_LE(t.rows.size(), 10u);
    std::set<long long> rivals;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const long long id = t.Int(r, "m_ID");
        EXPECT_TRUE(bowlers.count(id)) << id;
        EXPECT_TRUE(rivals.insert(id).second) << id;
        EXPECT_GT(t.Int(r, "m_VictoryReputationBonus"), 0);
        EXPECT_GE(t.Int(r, "m_LossReputationPenalty"), 0);
    }
}

TEST(DbContentTest, TournamentsPayOutOfTheirPot) {
    const DbTable& t = Table("tournaments.txt");
    std::set<long long> ids;
    int leagueNights = 0;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const long long id = t.Int(r, "ID");
        SCOPED_TRACE(t.Text(r, "sTournName"));
        EXPECT_TRUE(ids.insert(id).second);
        EXPECT_LE(t.Text(r, "sTournName").size(), 31u);
        const long long location = t.Int(r, "Location");
        if (t.Text(r, "sTournName") == "League Night") {
            ++leagueNights;
            EXPECT_EQ(location, 20);
        } else {
            EXPECT_TRUE(location >= 1 && location <= 19 && location % 2 == 1) << location;
        }
        const long long first = t.Int(r, "FirstPlacePay"), second = t.Int(r, "SecondPlacePay"),
                        third = t.Int(r, "ThirdPlacePay");
        EXPECT_GT(first, second);
        EXPECT_GT(second, third);
        EXPECT_LE(first + second + third, t.Int(r, "Pot"));
        EXPECT_LT(t.Int(r, "BuyIn"), first) << "winning must pay more than the entry";
    }
    EXPECT_EQ(leagueNights, 1);
    EXPECT_TRUE(ids.count(35));
    EXPECT_TRUE(ids.count(37));
}

TEST(DbContentTest, EveryLeagueHasItsCalendarOfKnownEvents) {
    std::set<long long> tournaments;
    const DbTable& events = Table("tournaments.txt");
    for (size_t r = 0; r < events.rows.size(); ++r)
        tournaments.insert(events.Int(r, "ID"));

    const DbTable& t = Table("seasons.txt");
    std::map<std::pair<long long, long long>, std::vector<long long>> weeks;  // (league, season) -> weeks
    std::set<long long> proEvents;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const long long league = t.Int(r, "league");
        weeks[{league, t.Int(r, "season")}].push_back(t.Int(r, "week"));
        EXPECT_TRUE(tournaments.count(t.Int(r, "TournID"))) << "row " << r << ": no such tournament";
        if (league == 5)
            proEvents.insert(t.Int(r, "TournID"));
    }
    std::map<std::pair<long long, long long>, std::vector<long long>> expected;
    for (long long league = 1; league <= 4; ++league)
        for (long long season = 0; season < 4; ++season)
            expected[{league, season}] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (long long week = 1; week <= 18; ++week)
        expected[{5, 4}].push_back(week);
    EXPECT_EQ(weeks, expected);
    EXPECT_TRUE(proEvents.count(35));
    EXPECT_TRUE(proEvents.count(37));
}

TEST(DbContentTest, LeagueBandsRiseFromLeagueToLeague) {
    const DbTable& t = Table("leagues.txt");
    ASSERT_EQ(t.rows.size(), 5u);
    for (size_t r = 0; r < t.rows.size(); ++r) {
        SCOPED_TRACE(t.Text(r, "sLeagueName"));
        EXPECT_FALSE(t.Text(r, "sLeagueName").empty());
        EXPECT_LT(t.Int(r, "minAverage"), t.Int(r, "maxAverage"));
        EXPECT_LT(t.Int(r, "minRep"), t.Int(r, "maxRep"));
        if (r == 0)
            continue;
        for (const char* column : {"weeklySalary", "minAverage", "maxAverage", "minRep", "maxRep"})
            EXPECT_GT(t.Int(r, column), t.Int(r - 1, column)) << column;
        // A bowler promoted on average is not at once below the next league's floor.
        EXPECT_LE(t.Int(r, "minAverage"), t.Int(r - 1, "maxAverage"));
        EXPECT_LE(t.Int(r, "minRep"), t.Int(r - 1, "maxRep"));
    }
}

TEST(DbContentTest, OilPatternsAdviseEveryBowlerAndFitTheLane) {
    const DbTable& t = Table("oilpatterns.txt");
    EXPECT_GE(t.rows.size(), 5u);
    EXPECT_LE(t.rows.size(), 8u);
    std::set<long long> ids;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        SCOPED_TRACE(t.Text(r, "m_PatternName"));
        EXPECT_TRUE(ids.insert(t.Int(r, "m_ID")).second);
        for (const char* level : {"Amateur", "Pro"})
            for (const char* style : {"Cranker", "Tweener", "Straight"})
                for (const char* page : {"", "2"})
                    EXPECT_FALSE(t.Text(r, std::string("m_") + level + style + page).empty());
        const double length = t.Float(r, "m_Length");
        EXPECT_GE(length, 20.0);
        EXPECT_LE(length, 50.0) << "the grid holds fifty feet";
        EXPECT_LE(t.Int(r, "taper_feet"), length);
        EXPECT_LE(t.Int(r, "centre_boards"), 39);
        EXPECT_LT(t.Int(r, "dry_boards"), 19);
        for (const char* oil : {"centre_oil", "edge_oil"}) {
            EXPECT_GT(t.Int(r, oil), 0) << oil;
            EXPECT_LE(t.Int(r, oil), 0xFFFF) << oil;
        }
    }
}

TEST(DbContentTest, ShellLightsLightEachFrontEndScene) {
    const DbTable& sets = Table("shelllights.txt");
    const DbTable& lights = Table("shelllightdefs.txt");
    std::set<long long> usages;
    for (size_t s = 0; s < sets.rows.size(); ++s) {
        const long long usage = sets.Int(s, "Usage");
        SCOPED_TRACE(usage);
        usages.insert(usage);
        const long long count = sets.Int(s, "Count");
        EXPECT_GE(count, 2);
        EXPECT_LE(count, 4);
        EXPECT_EQ(sets.Int(s, "Ambient") & 0xFF, 0xFF) << "ambient must be opaque";
        std::set<long long> numbers;
        for (size_t r = 0; r < lights.rows.size(); ++r) {
            if (lights.Int(r, "Usage") != usage)
                continue;
            const long long n = lights.Int(r, "light");
            numbers.insert(n);
            for (const char* column : {"diffuse", "specular", "position", "direction"})
                ASSERT_EQ(lights.Vector(r, column).size(), 4u) << column;
            for (const char* colour : {"diffuse", "specular"})
                for (double c : lights.Vector(r, colour)) {
                    EXPECT_GE(c, 0.0);
                    EXPECT_LE(c, 1.0);
                }
            if (n < count) {
                const std::vector<double> d = lights.Vector(r, "direction");
                EXPECT_NEAR(std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]), 1.0, 0.02) << "light " << n;
            }
        }
        EXPECT_EQ(numbers, (std::set<long long>{0, 1, 2, 3}));
    }
    EXPECT_EQ(usages, (std::set<long long>{0, 1, 2}));
}

}  // namespace
