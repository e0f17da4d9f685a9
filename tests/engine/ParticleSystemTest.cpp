// Particle systems over frames: emission from the particle generator, time
// slices, stopping and freeing, their sprite groups, and the lists that stop
// them with their owner.
#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/ParticleList.h"
#include "tests/engine/ParticleFixture.h"

namespace {

class ParticleSystemTest : public ParticleFixture {
protected:
    void SetUp() override {
        ParticleFixture::SetUp();
        set_ = LoadSet();
    }
    void TearDown() override {
        while (ParticleSystemList.next != nullptr)
            ParticleSystemFree(static_cast<s_particle_system*>(ParticleSystemList.next));
        SpriteFree(set_);
        for (s_PARTSYS_ATTR* attr : attrs_)
            ParticleSystemAttrFree(attr);
        EventWait(3);  // sprite groups go two frames after their free
        ParticleFixture::TearDown();
    }

    s_particle_system* Start(const discbuild::ParticleDef& def, s32 numElement = 0, u32 flags = 0) {
        attrs_.push_back(LoadAttr("FX", def));
        const s_Vector3 at{10, 0, -5, 0};
        return ParticleSystemLoad("FX", &at, numElement, flags);
    }
    static bool Listed(const s_particle_system* psys) {
        for (const s_linked_list* node = ParticleSystemList.next; node != nullptr; node = node->next) {
            if (node == psys)
                return true;
        }
        return false;
    }

    s_sprite_set* set_ = nullptr;
    std::vector<s_PARTSYS_ATTR*> attrs_;
};

// Draws in the emitter's order: velocity x, y, z, speed, force x, y, z, box x, y, z.
TEST_F(ParticleSystemTest, EmissionDrawsFromTheParticleGeneratorInItsOrder) {
    discbuild::ParticleDef def = Sparks();
    def.flags = PARTSYS_INIT_SAME_AGE;
    def.elemSpeed = 2.0f;
    def.elemSize = 0.5f;
    s_particle_system* psys = Start(def, 1);
    ASSERT_NE(psys, nullptr) << report().text();
    psys->externalForce = {0, 8, 0, 0};
    OrbSRand(77);
    const s32 gameDraw = OrbRand();  // the game's generator moves on its own
    EventWait(1);

    OrbSRand(77);
    EXPECT_EQ(OrbRand(), gameDraw);  // untouched by the particles
    OrbRandSetList(1);
    f32 r[10];
    for (f32& x : r)
        x = f32(OrbRand()) / 2147483648.0f;
    OrbRandSetList(0);
    const f32 speed = 2.0f + 2.0f * (0.25f * r[3] - 0.125f);
    const s_partsys_elem& e = psys->elements[0];
    EXPECT_FLOAT_EQ(e.velocity.x, (-1.0f + 2.0f * r[0]) * speed + 0.0f * r[4]);
    EXPECT_FLOAT_EQ(e.velocity.y, (2.0f + 2.0f * r[1]) * speed + 8.0f * r[5]);
    EXPECT_FLOAT_EQ(e.velocity.z, 0.0f);
    EXPECT_FLOAT_EQ(e.pos.x, 10.0f + (2.0f * r[7] - 1.0f) * 0.5f);
    EXPECT_FLOAT_EQ(e.pos.y, 0.0f);
    EXPECT_FLOAT_EQ(e.pos.z, -5.0f + (2.0f * r[9] - 1.0f) * 0.25f);
    const s_sprite& sprite = reinterpret_cast<s_sprite_group*>(psys->spriteGroup)->element[0];
    EXPECT_EQ(sprite.coord.x, e.pos.x);
    EXPECT_EQ(sprite.rgba.w, 1.0f);
}

// Without Init_Same_Age the first emission spreads the births over elemStartTime;
// an element still waiting is not seen.
TEST_F(ParticleSystemTest, BirthsStaggerOverTheStartTimeAndWaitingElementsAreHidden) {
    discbuild::ParticleDef def = Sparks();
    def.flags = PARTSYS_ALWAYS_ON;
    def.elemStartTime = 1.0f;
    s_particle_system* psys = Start(def, 16);
    const auto& sprites = reinterpret_cast<s_sprite_group*>(psys->spriteGroup)->element;
    EventWait(1);
    for (s32 i = 0; i < 16; ++i) {
        EXPECT_LT(psys->elements[i].age, 0.0f);
        EXPECT_GT(psys->elements[i].age, -1.0f - 1e-4f);
        EXPECT_EQ(sprites[i].rgba.w, 0.0f);
    }
    EventWait(30);
    s32 born = 0;
    for (s32 i = 0; i < 16; ++i) {
        const bool waiting = psys->elements[i].age < 0.0f;
        born += waiting ? 0 : 1;
        EXPECT_EQ(sprites[i].rgba.w == 0.0f, waiting) << i;
    }
    EXPECT_GT(born, 0);
    EXPECT_LT(born, 16);
}

TEST_F(ParticleSystemTest, ASlowSystemRunsEveryThirdFrameWithThreeFramesOfTime) {
    discbuild::ParticleDef def = Sparks();
    def.updateRate = TIME_20HZ;
    def.flags = PARTSYS_ALWAYS_ON;
    EventWait(2);
    s_particle_system* psys = Start(def);
    static std::vector<std::pair<u32, f32>> runs;
    runs.clear();
    psys->eventCallback = [](s_particle_system*, void*, e_partsys_event_type event) {
        if (event == PARTSYS_EVENT_UPDATE)
            runs.emplace_back(PassCount, DeltaTime);
    };
    EventWait(12);
    ASSERT_GE(runs.size(), 4u);
    // The first run comes at once, then the system keeps to its phase.
    for (size_t i = 2; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].first - runs[i - 1].first, 3u);
        EXPECT_FLOAT_EQ(runs[i].second, 3.0f / 60.0f);
    }
    EXPECT_FLOAT_EQ(DeltaTime, 1.0f / 60.0f);  // the frame's own once the system is done
}

TEST_F(ParticleSystemTest, AStoppedSystemFinishesItsParticlesThenFreesItselfUnlessKept) {
    discbuild::ParticleDef def = Sparks();
    def.flags = PARTSYS_INIT_SAME_AGE | PARTSYS_ALWAYS_ON;
    def.elemMaxAge = 0.5f;
    def.maxAge = 0.05f;  // always on: its age never stops it
    s_particle_system* freed = Start(def);
    s_particle_system* kept = Start(def, 0, PARTSYS_DONT_FREE);
    EventWait(10);
    EXPECT_EQ(freed->flags & PARTSYS_STOP_ME, 0u);
    ParticleSystemStop(freed);
    ParticleSystemStop(kept);
    EventWait(20);  // particles still alive
    EXPECT_TRUE(Listed(freed));
    EXPECT_NE(reinterpret_cast<s_sprite_group*>(freed->spriteGroup)->element[0].rgba.w, 0.0f);
    EventWait(15);
    EXPECT_FALSE(Listed(freed));
    EXPECT_TRUE(Listed(kept));
    EXPECT_EQ(reinterpret_cast<s_sprite_group*>(kept->spriteGroup)->element[0].rgba.w, 0.0f);
}

TEST_F(ParticleSystemTest, SeventeenElementsTakeTwoSpriteGroups) {
    discbuild::ParticleDef def = Sparks();
    def.flags = PARTSYS_GLOW | PARTSYS_FRAME_DISTORT_SCALE;
    s_particle_system* psys = Start(def, 17);
    ASSERT_NE(psys, nullptr);
    const auto* first = reinterpret_cast<s_sprite_group*>(psys->spriteGroup);
    const auto* second = reinterpret_cast<s_sprite_group*>(first->group.next);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->group.next, nullptr);
    EXPECT_EQ(first->header.count, 16);
    EXPECT_EQ(second->header.count, 1);
    EXPECT_EQ(second->group.psysPtr, psys);
    EXPECT_EQ(second->group.flags & ~SPRITE_GROUP_TYPE_MASK,
              SPRITE_GROUP_ALPHA | SPRITE_GROUP_FRAME_FILTER | SPRITE_GROUP_FRAME_BUFFER);
}

// Cell i of the test set starts at u = i. A set without cells animates nothing
// (and takes no modulo by its count).
TEST_F(ParticleSystemTest, AnimationStepsThroughTheCellsOverTheLife) {
    discbuild::ParticleDef def = Sparks();
    def.flags = PARTSYS_INIT_SAME_AGE | PARTSYS_ALWAYS_ON;
    def.animCycles = 1.0f;
    def.elemMaxAge = 2.0f;
    s_particle_system* psys = Start(def, 1);
    const s_sprite& sprite = reinterpret_cast<s_sprite_group*>(psys->spriteGroup)->element[0];
    EventWait(15);  // a quarter of a cell in
    for (const f32 cell : {0.0f, 1.0f, 2.0f, 3.0f}) {
        EXPECT_EQ(sprite.u0, cell) << psys->elements[0].age;
        EventWait(30);
    }
    s_sprite_set* empty = LoadSet("EMPTY", 0);
    def.spriteSet = "EMPTY";
    attrs_.push_back(LoadAttr("BARE", def));
    ASSERT_NE(ParticleSystemLoad("BARE", &IDVector3, 1, 0), nullptr);
    EventWait(5);
    SpriteFree(empty);
}

// Systems without what they draw with are refused; a failed start releases the
// attributes it took.
TEST_F(ParticleSystemTest, ASystemNeedsItsSpriteTypeAndSet) {
    discbuild::ParticleDef def = Sparks();
    def.spriteType = SPRITE_TYPE_NONE;
    EXPECT_EQ(Start(def), nullptr);
    EXPECT_EQ(RefCount("FX", "PAT"), 1);
    ParticleSystemAttrFree(attrs_.back());
    attrs_.pop_back();
    def = Sparks();
    def.spriteSet = "MISSING";
    report_->clear();
    EXPECT_EQ(Start(def), nullptr);
    EXPECT_EQ(report().text(), " MISSING not loaded\n");
    EXPECT_EQ(ParticleSystemAlloc(nullptr, &IDVector3, 4, 0), nullptr);
}

// With one of these read from a file, a freed system would free the shared record,
// leak its groups, never be freed, or be freed under its owner.
TEST_F(ParticleSystemTest, AFileCannotSetTheFlagsASystemHoldsForItsOwner) {
    for (const u32 bit : {PARTSYS_DONT_FREE, PARTSYS_INSTANCE_ATTR, PARTSYS_CLONE, PARTSYS_LOADED_DATA_SET,
                          PARTSYS_STOP_ME, PARTSYS_KILL_ME}) {
        discbuild::ParticleDef def = Sparks();
        def.flags = bit | PARTSYS_ALWAYS_ON;
        s_particle_system* psys = Start(def);
        ASSERT_NE(psys, nullptr) << bit;
        EXPECT_EQ(attrs_.back()->flags & PARTSYS_OWNER_FLAGS, 0u) << bit;
        EventWait(2);
        ASSERT_TRUE(Listed(psys)) << bit;
        ParticleSystemFree(psys);
        EXPECT_EQ(ParticleSystemAttrFind("FX"), attrs_.back()) << bit;
        EXPECT_EQ(RefCount("FX", "PAT"), s32(attrs_.size())) << bit;
    }
}

TEST_F(ParticleSystemTest, AFreedListLetsItsParticlesFinishOrKillsThem) {
    discbuild::ParticleDef def = Sparks();
    def.flags = PARTSYS_INIT_SAME_AGE | PARTSYS_ALWAYS_ON;
    def.elemMaxAge = 0.5f;
    const s_Vector3 at{};
    for (const u32 flags : {0u, PARTLIST_KILL}) {
        s_particle_list* list = ParticleListAlloc(&at);
        s_particle_system* a = Start(def);
        s_particle_system* b = Start(def);
        ParticleListAdd(list, a);
        ParticleListAdd(list, b);
        EventWait(2);
        ParticleListFree(list, flags);
        EventWait(1);
        EXPECT_EQ(Listed(a), flags == 0);
        EXPECT_EQ(Listed(b), flags == 0);
        if (flags == 0) {
            EXPECT_EQ(a->flags & (PARTSYS_STOP_ME | PARTSYS_ALWAYS_ON), PARTSYS_STOP_ME);
        }
        EventWait(40);
        EXPECT_FALSE(Listed(a));
    }
    EXPECT_EQ(ParticleListHeaderRecords->count, ParticleListHeaderRecords->capacity);
    EXPECT_EQ(ParticleListRecords->count, ParticleListRecords->capacity);
    ParticleListFree(nullptr, 0);
}

// A system that ended by itself takes its entry with it, so the list's free does
// not reach the freed system.
TEST_F(ParticleSystemTest, AListOutlivesASystemThatEndedOnItsOwn) {
    discbuild::ParticleDef def = Sparks();
    def.flags = PARTSYS_INIT_SAME_AGE;
    def.maxAge = 0.1f;
    def.elemMaxAge = 0.2f;
    const s_Vector3 at{};
    s_particle_list* list = ParticleListAlloc(&at);
    s_particle_system* psys = Start(def);
    ASSERT_NE(ParticleListAdd(list, psys), nullptr);
    EventWait(40);
    EXPECT_FALSE(Listed(psys));
    EXPECT_EQ(list->particleList, nullptr);
    ParticleListFree(list, PARTLIST_KILL);
}

}  // namespace
