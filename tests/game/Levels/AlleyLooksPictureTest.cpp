// Each place's alley as the level launcher opens on it: one kept picture a place,
// the home alley's the demo alley's own look.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "console/system.h"
#include "source/Dev/DevEntries.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Levels/LevelLauncher.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/EntryRun.h"
#include "tools/modelgen/Alley.h"

namespace {

// Once the intro's camera has come down behind the player's pair.
constexpr u32 kShownRetraces = 300;

const char* const kPlaces[] = {"houston", "hawaii", "reno",   "san_francisco", "st_louis", "dublin",
                               "london",  "paris",  "athens", "tokyo",         "joes"};
static_assert(sizeof(kPlaces) / sizeof(kPlaces[0]) == ALLEY_PLACES);

template <typename T>
bool SameBytes(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

// The ball, the pins and the camera find every place's alley where the home
// alley has it: the same collision, starts, walkway and lights' places.
TEST(AlleyLooksTest, EveryPlaceKeepsTheHomeAlleysLayout) {
    const modelgen::Alley home = modelgen::MakeAlley();
    for (s32 place = 0; place + 1 < ALLEY_PLACES; ++place) {
        SCOPED_TRACE(kPlaces[place]);
        const modelgen::Alley alley = modelgen::MakeAlley(modelgen::AlleyLookOf(place));
        EXPECT_TRUE(SameBytes(alley.scene.vhm.collisionVertices, home.scene.vhm.collisionVertices));
        EXPECT_TRUE(SameBytes(alley.scene.vhm.collisionFaces, home.scene.vhm.collisionFaces));
        discbuild::GamLevel data = alley.gameData, homeData = home.gameData;
        ASSERT_EQ(data.instances.size(), homeData.instances.size());
        for (size_t i = 0; i < data.instances.size(); ++i) {
            EXPECT_EQ(data.instances[i].pos, homeData.instances[i].pos);
            data.instances[i].name = homeData.instances[i].name;  // the lamps' colours differ
        }
        EXPECT_EQ(discbuild::GamPayload(data), discbuild::GamPayload(homeData));
        EXPECT_EQ(discbuild::WrlPayload(alley.world), discbuild::WrlPayload(home.world));
        EXPECT_EQ(alley.scene.vhm.radius, home.scene.vhm.radius);
    }
}

TEST(AlleyLooksPictureTest, EachPlaceShowsItsOwnHall) {
    for (s32 place = 0; place < ALLEY_PLACES; ++place) {
        SCOPED_TRACE(kPlaces[place]);
        const LevelLaunchOptions kept = g_LevelLaunchOptions;
        g_LevelLaunchOptions.level = 2 * place;
        RunEntry({DEV_ENTRY_LEVEL_LAUNCH, kShownRetraces, ""});
        g_LevelLaunchOptions = kept;
        ExpectLooksAsKept(std::string("alley_") + kPlaces[place]);
        HostShutdown();
    }
}

}  // namespace
