// The particle editor driven through the disc folder as the development host does:
// polls, acknowledgements, the viewer's slots and position, and the game's
// attributes replaced under running systems.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/ParticleSystemEditor.h"
#include "tests/engine/ParticleFixture.h"
#include "tests/support/TempDisc.h"
#include "tools/parsyshost/HostCommandFile.h"

namespace {

constexpr const char* kStart = "[HOST_CMD_START_PARTICLE]";

class ParticleSystemEditorTest : public ParticleFixture {
protected:
    HostConfig Config() const override { return disc_.Config(); }
    void SetUp() override {
        ParticleFixture::SetUp();
        set_ = LoadSet();
    }
    void TearDown() override {
        ParSysEditorShutdown();
        while (ParticleSystemList.next != nullptr)
            ParticleSystemFree(static_cast<s_particle_system*>(ParticleSystemList.next));
        SpriteFree(set_);
        EventWait(3);  // sprite groups go two frames after their free
        ParticleFixture::TearDown();
    }

    std::string Command(s32 seq, const std::string& keyword, s32 slot, const std::string& name = "") const {
        const std::string text = parsyshost::CommandFile(seq, keyword, slot, name);
        disc_.Write("hostout.txt", std::vector<u8>(text.begin(), text.end()));
        return text;
    }
    void Effect(const discbuild::ParticleDef& def) const {
        disc_.Write("temp.pat", discbuild::PatPayload(def));
    }
    // The host file's text; "-" when there is none. Read files are removed, so that
    // the next write shows.
    std::string Take(const char* name) const {
        const std::filesystem::path path = std::filesystem::path(disc_.root()) / name;
        if (!std::filesystem::exists(path))
            return "-";
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        disc_.Remove(name);
        return text.str();
    }
    // Frames until the editor's next poll.
    static s32 Poll() {
        const f32 last = ParSysEditorTimer;
        for (s32 frames = 1; frames <= 60; ++frames) {
            EventWait(1);
            if (ParSysEditorTimer != last)
                return frames;
        }
        return 0;
    }
    static s32 Running() {
        s32 count = 0;
        for (const s_linked_list* node = ParticleSystemList.next; node != nullptr; node = node->next)
            ++count;
        return count;
    }

    TempDisc disc_;
    s_sprite_set* set_ = nullptr;
};

TEST_F(ParticleSystemEditorTest, EachCommandIsCarriedOutAndAcknowledgedOnce) {
    ParSysEditorStartup(0);
    Effect(Sparks());
    const std::string first = Command(1, kStart, 3, "ANY");
    EXPECT_GE(Poll(), 30);  // twice a second
    ASSERT_NE(ParSysParticleSystem[3], nullptr) << report().text();
    EXPECT_EQ(Take("hostin.txt"), first);

    s_particle_system* started = ParSysParticleSystem[3];
    Poll();
    EXPECT_EQ(ParSysParticleSystem[3], started);
    EXPECT_EQ(Take("hostin.txt"), "-");

    // A new number starts slot 3 again: a fresh TEMP03 at the editor's position.
    const s_Vector3 away{4, 0, 0, 0};
    ParSysEditorSetPosition(&away);
    EXPECT_EQ(started->pos.x, 4.0f);
    const std::string second = Command(2, kStart, 3, "ANY");
    Poll();
    EXPECT_EQ(Take("hostin.txt"), second);
    ASSERT_NE(ParSysParticleSystem[3], nullptr);
    EXPECT_EQ(Running(), 1);
    EXPECT_EQ(RefCount("TEMP03", "PAT"), 2);  // the slot's attributes and its system
    s_Vector3 at;
    ParSysEditorGetPosition(&at);
    EXPECT_EQ(ParSysParticleSystem[3]->pos.x, at.x);
    EXPECT_EQ(ParSysParticleSystem[3]->attr->priority, 3u);
}

TEST_F(ParticleSystemEditorTest, AResetRunsOnceAndARefusedCommandIsAcknowledgedAtEveryPoll) {
    ParSysEditorStartup(0);
    Effect(Sparks());
    ParSysEditorStart(2, "");
    ASSERT_NE(ParSysParticleSystem[2], nullptr);

    const std::string reset = Command(5, "[HOST_CMD_RESET]", 0);
    Poll();
    EXPECT_EQ(ParSysParticleSystem[2], nullptr);
    EXPECT_EQ(RefCount("TEMP02", "PAT"), 0);
    EXPECT_EQ(Take("hostin.txt"), reset);
    EXPECT_EQ(Take("hostdata.txt"), "1\nSPARKS\n");
    Poll();
    EXPECT_EQ(Take("hostin.txt"), "-");
    EXPECT_EQ(Take("hostdata.txt"), "-");

    const std::string badSlot = Command(6, kStart, 8);
    for (s32 poll = 0; poll < 2; ++poll) {
        Poll();
        EXPECT_EQ(Take("hostin.txt"), badSlot);
        EXPECT_EQ(Running(), 0);
    }
}

TEST_F(ParticleSystemEditorTest, MovingCarriesEveryRunningSlot) {
    ParSysEditorStartup(0);
    Effect(Sparks());
    ParSysEditorStart(0, "");
    ParSysEditorStart(5, "");
    const s_Vector3 velocity{1, 0, 0, 0};
    f32 elapsed = 0.0f;
    while (elapsed < 1.0f) {
        EventWait(1);
        elapsed += RealDeltaTime;
        ParSysEditorMove(&velocity);
    }
    EXPECT_NEAR(elapsed, 1.0f, 0.02f);
    for (s32 slot : {0, 5}) {
        ASSERT_NE(ParSysParticleSystem[slot], nullptr);
        EXPECT_FLOAT_EQ(ParSysParticleSystem[slot]->pos.x, elapsed);
        EXPECT_EQ(ParSysParticleSystem[slot]->pos.y, 0.0f);
    }
}

// Systems the game placed keep running from the new attributes; the old record is
// gone (ASan sees any later read of it). A file that does not load changes nothing.
TEST_F(ParticleSystemEditorTest, TheGamesAttributesAreReplacedUnderItsRunningSystems) {
    s_PARTSYS_ATTR* old = LoadAttr("FX", Sparks());
    DataRegister("FX", "PAT", 5);
    const s_Vector3 at{1, 2, 3, 0};
    s_particle_system* kept = ParticleSystemLoad("FX", &at, 0, PARTSYS_DONT_FREE);
    s_particle_system* endless = ParticleSystemLoad("FX", &at, 2, PARTSYS_ALWAYS_ON);
    ASSERT_TRUE(kept != nullptr && endless != nullptr);
    EventWait(10);

    ParSysEditorStartup(1);
    discbuild::ParticleDef bigger = Sparks();
    bigger.elemMaxAge = 3.0f;
    bigger.priority = 9;
    Effect(bigger);
    Command(1, kStart, 0, "fx");
    Poll();
    s_PARTSYS_ATTR* fresh = static_cast<s_PARTSYS_ATTR*>(DataFind("FX", "PAT"));
    ASSERT_NE(fresh, old);
    EXPECT_EQ(fresh->elemMaxAge, 3.0f);
    EXPECT_STREQ(ParSysName[0], "FX");
    EXPECT_EQ(RefCount("FX", "PAT"), 3);
    EXPECT_EQ(DataGetEntry(5)->record, fresh);
    EXPECT_EQ(DataFindEntry("PARSYSEDIT~NEW", "PAT"), nullptr);
    for (s_particle_system* psys : {kept, endless}) {
        EXPECT_EQ(psys->attr, fresh);
        EXPECT_EQ(psys->priority, 9u);
        EXPECT_EQ(psys->flags & PARTSYS_DONT_FREE, psys == kept ? PARTSYS_DONT_FREE : 0u);
    }
    EXPECT_EQ(endless->numElement, 2);
    EventWait(40);

    disc_.Write("temp.pat", {1, 2, 3});
    Command(2, kStart, 0, "FX");
    Poll();
    EXPECT_EQ(DataFind("FX", "PAT"), fresh);
    EXPECT_EQ(kept->attr, fresh);
    EXPECT_EQ(RefCount("FX", "PAT"), 3);
    EXPECT_EQ(DataFindEntry("PARSYSEDIT~NEW", "PAT"), nullptr);

    ParticleSystemFree(kept);
    ParticleSystemFree(endless);
    ParticleSystemAttrFree(fresh);
    EXPECT_EQ(DataFindEntry("FX", "PAT"), nullptr);
}

}  // namespace
