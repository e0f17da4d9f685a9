// Sprite groups: blocks and their elements, the draw queue and its passes, and
// what each type's routine draws. Primitives are watched at the GX front end.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "console/gx/efb_control.h"
#include "console/gx/gx_control.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawSort.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/Sprite.h"
#include "orblib47/source/SpriteGroup.h"
#include "tests/support/EngineFixture.h"

namespace {

using console::gx::RasterVertex;

struct Primitive {
    GXPrimitive type;
    std::vector<RasterVertex> vertices;
};

u32 Byte(f32 c) {
    return u32(std::lround(c * 255.0f));
}

// 0xRRGGBBAA of a vertex as lit: the flat colour times the vertex colour.
u32 ColorOf(const RasterVertex& v) {
    return Byte(v.color[0][0]) << 24 | Byte(v.color[0][1]) << 16 | Byte(v.color[0][2]) << 8 |
           Byte(v.color[0][3]);
}

// Halfway into each byte's step, so that truncation gives the byte back.
s_Vector4 Rgba(u32 rgba) {
    auto c = [](u32 byte) { return (f32(byte & 0xFF) + 0.5f) / 255.0f; };
    return {c(rgba >> 24), c(rgba >> 16), c(rgba >> 8), c(rgba)};
}

class SpriteGroupTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        HostGXSetVertexTap(Keep, &drawn_);
    }
    void TearDown() override {
        HostGXSetVertexTap(nullptr, nullptr);
        EngineFixture::TearDown();
    }

    // The colour of each quad drawn since the last call, in order.
    std::vector<u32> TakeQuadColors() {
        std::vector<u32> colors;
        for (const Primitive& p : drawn_) {
            for (size_t i = 0; p.type == GX_QUADS && i + 3 < p.vertices.size(); i += 4)
                colors.push_back(ColorOf(p.vertices[i]));
        }
        drawn_.clear();
        return colors;
    }

    // A one-sprite group of colour rgba (opaque unless flags say otherwise).
    static s_group_header* Sprite(u32 rgba, u32 flags = 0, e_SPRITE_TYPE type = SPRITE_TYPE_SPRITE) {
        s_group_header* group = SpriteGroupAlloc(type, 1);
        group->flags |= flags;
        void* element = SpriteGroupGetElement(group, 0);
        const s_Vector4 color = Rgba(rgba);
        const s_Vector2 size{1.0f, 1.0f};
        SpriteGroupSetElementColor(element, type, &color);
        SpriteGroupSetElementSize(element, type, &size);
        return group;
    }

    std::vector<Primitive> drawn_;
    const s_Vector3 origin_{0.0f, 0.0f, -10.0f, 0.0f};

private:
    static void Keep(GXPrimitive type, const RasterVertex* v, u32 count, void* context) {
        static_cast<std::vector<Primitive>*>(context)->push_back(Primitive{type, {v, v + count}});
    }
};

TEST_F(SpriteGroupTest, AllocationMakesOneLinkedBlockPerSixteenElements) {
    struct Case {
        s32 count;
        s32 blocks;
    };
    for (const Case c : {Case{1, 1}, {16, 1}, {17, 2}, {48, 3}}) {
        s_group_header* first = SpriteGroupAlloc(SPRITE_TYPE_PARTICLE, c.count);
        ASSERT_NE(first, nullptr);
        s32 blocks = 0;
        const s_group_header* prev = nullptr;
        for (s_group_header* g = first; g != nullptr; prev = g, g = g->next, ++blocks) {
            EXPECT_EQ(g->prev, prev);
            EXPECT_EQ(g->type(), SPRITE_TYPE_PARTICLE);
        }
        EXPECT_EQ(blocks, c.blocks) << c.count;
        SpriteGroupFree(first);
    }
    EXPECT_EQ(SpriteGroupAlloc(SPRITE_TYPE_QUAD, 0), nullptr);
    EXPECT_EQ(SpriteGroupAlloc(SPRITE_TYPE_NONE, 4), nullptr);
    EXPECT_EQ(SpriteGroupAlloc(SPRITE_TYPE_COUNT, 4), nullptr);
}

TEST_F(SpriteGroupTest, AParticlesSizeIsHalvedAndScaledToTheScreensAspect) {
    DrawContext.screenAspectRatio = {4.0f / 3.0f, 0.75f};
    const s_Vector2 size{8.0f, 4.0f};
    s_particle particle{};
    SpriteGroupSetElementSize(&particle, SPRITE_TYPE_PARTICLE, &size);
    EXPECT_FLOAT_EQ(particle.size.x, 3.0f);
    EXPECT_FLOAT_EQ(particle.size.y, 1.5f);
}

// Two cells of one texture-less sheet and one animation whose frame 0 is a
// sprite of cell 1.
struct HandMadeSet {
    s_sprite_uv cells[2] = {{0, 0, {{0.0f, 0.0f}, {0.5f, 0.0f}, {0.5f, 0.5f}, {0.0f, 0.5f}}},
                            {0, 0, {{0.5f, 0.5f}, {1.0f, 0.5f}, {1.0f, 1.0f}, {0.5f, 1.0f}}}};
    s_texture_def textures[1] = {{"SHEET", nullptr}};
    s_sanim_sprite frameSprite = {
        1,
        {{-1, 2, 0, 0xFF000080u}, {1, 2, 0, 0x00FF00FFu}, {1, -2, 0, 0x0000FFFFu}, {-1, -2, 0, 0xFFFFFFFFu}}};
    s_sanim_frame frame = {1, &frameSprite};
    s_sanim_data animation = {0, 1, &frame};
    s_sprite_set set = {nullptr, 0, 1, &animation, 1, textures, 2, cells};
};

TEST_F(SpriteGroupTest, CellsGiveSpritesTheirRectangleAndSprite4sTheirShape) {
    HandMadeSet sheet;
    s_sprite sprite{};
    SpriteGroupSetElementSprite(&sprite, SPRITE_TYPE_SPRITE, &sheet.set, 1);
    EXPECT_EQ((std::vector<f32>{sprite.u0, sprite.v0, sprite.u1, sprite.v1}),
              (std::vector<f32>{0.5f, 0.5f, 1.0f, 1.0f}));
    SpriteGroupSetElementSprite(&sprite, SPRITE_TYPE_SPRITE, &sheet.set, 2);  // past the cells: unchanged
    EXPECT_EQ(sprite.u0, 0.5f);

    s_sprite4 sprite4{};
    SpriteGroupSetElementSprite(&sprite4, SPRITE_TYPE_SPRITE4, &sheet.set, 0);
    EXPECT_EQ(sprite4.corner[2].y, -2.0f);
    EXPECT_EQ(sprite4.corner[1].u, 1.0f);  // cell 1, corner 1
    EXPECT_FLOAT_EQ(sprite4.corner[0].rgba.w, 128.0f / 255.0f);
    s_sprite4 untouched{};
    SpriteGroupSetElementSprite(&untouched, SPRITE_TYPE_SPRITE4, &sheet.set, 1);  // one frame only
    EXPECT_EQ(untouched.corner[2].x, 0.0f);

    s_particle_group* particles = SpriteAllocParticleGroup(1);
    SpriteInitGroup(&particles->group, &sheet.set, 0);
    EXPECT_EQ((std::vector<f32>{particles->header.u0, particles->header.v0, particles->header.u1,
                                particles->header.v1}),
              (std::vector<f32>{0.0f, 0.0f, 0.5f, 0.5f}));
}

TEST_F(SpriteGroupTest, EachPassDrawsItsOwnGroupsAndFrameBufferGroupsNone) {
    SpriteGroupDraw(Sprite(0xFF0000FFu), &origin_);
    SpriteGroupDraw(Sprite(0x00FF00FFu, SPRITE_GROUP_ALPHA), &origin_);
    SpriteGroupDraw(Sprite(0x0000FFFFu, SPRITE_GROUP_ALPHA, SPRITE_TYPE_PARTICLE), &origin_);
    SpriteGroupDraw(Sprite(0xFFFF00FFu, 0, SPRITE_TYPE_PARTICLE), &origin_);
    SpriteGroupDraw(Sprite(0xFFFFFFFFu, SPRITE_GROUP_FRAME_BUFFER), &origin_);
    SpriteGroupDraw(Sprite(0x00FFFFFFu, SPRITE_GROUP_FRAME_BUFFER | SPRITE_GROUP_ALPHA), &origin_);
    SpriteGroupDraw(Sprite(0xFF00FFFFu, SPRITE_GROUP_FRAME_BUFFER, SPRITE_TYPE_PARTICLE), &origin_);

    SpriteDrawOpaqueThread(nullptr, nullptr);
    EXPECT_EQ(TakeQuadColors(), (std::vector<u32>{0xFF0000FFu}));
    SpriteDrawAlphaThread(nullptr, nullptr);
    EXPECT_EQ(TakeQuadColors(), (std::vector<u32>{0x00FF00FFu}));
    EXPECT_EQ(DrawContext.zBufferWriteEnable, 1);  // put back after the alpha pass
    SpriteDrawFrameBufferThread(nullptr, nullptr);
    SpriteDrawParticlesThread(nullptr, nullptr);  // handed to the sort list
    EXPECT_TRUE(TakeQuadColors().empty());
    DrawSortAlphaFlushThread(nullptr, nullptr);
    EXPECT_EQ(TakeQuadColors(), (std::vector<u32>{0x0000FFFFu, 0xFFFF00FFu}));
    SpriteDrawOpaqueThread(nullptr, nullptr);  // the particle pass emptied the queue
    SpriteDrawAlphaThread(nullptr, nullptr);
    EXPECT_TRUE(TakeQuadColors().empty());

    SpriteGroupDraw(Sprite(0x0000FFFFu, SPRITE_GROUP_ALPHA, SPRITE_TYPE_PARTICLE), &origin_);
    DrawSortEnabled = 0;  // without sorting, particles draw at once
    SpriteDrawParticlesThread(nullptr, nullptr);
    DrawSortEnabled = 1;
    EXPECT_EQ(TakeQuadColors(), (std::vector<u32>{0x0000FFFFu}));
}

TEST_F(SpriteGroupTest, TheQueueHoldsAFramesWorthOfGroupsAndDropsTheRest) {
    for (u32 i = 1; i <= DefaultConfig.maxSpriteDrawGroup + 1; ++i)
        SpriteGroupDraw(Sprite(i << 24 | 0xFFu), &origin_);
    SpriteDrawOpaqueThread(nullptr, nullptr);
    const std::vector<u32> colors = TakeQuadColors();
    ASSERT_EQ(colors.size(), DefaultConfig.maxSpriteDrawGroup);
    EXPECT_EQ(colors.back(), DefaultConfig.maxSpriteDrawGroup << 24 | 0xFFu);
}

TEST_F(SpriteGroupTest, AGroupQueuedWithAMatrixIsDrawnThroughACopyOfIt) {
    s_group_header* group = Sprite(0xFFFFFFFFu);
    s_Matrix4 moveRight = IDMatrix4;
    moveRight.at(0, 3) = 1.0f;
    SpriteGroupDraw(group, &origin_);
    SpriteGroupDrawWithMatrix(group, &origin_, &moveRight);
    moveRight = IDMatrix4;
    SpriteDrawOpaqueThread(nullptr, nullptr);
    ASSERT_EQ(drawn_.size(), 2u);
    const RasterVertex& plain = drawn_[0].vertices[0];
    const RasterVertex& moved = drawn_[1].vertices[0];
    EXPECT_GT(moved.pos[0] / moved.pos[3], plain.pos[0] / plain.pos[3] + 0.01f);
}

// Queues one particle group per frame from an update task, as particle systems do.
std::vector<s_group_header*> gPerFrame;

void QueueNext(s_thread*, void*) {
    if (!gPerFrame.empty()) {
        const s_Vector3 at{0.0f, 0.0f, -10.0f, 0.0f};
        SpriteGroupDraw(gPerFrame.front(), &at);
        gPerFrame.erase(gPerFrame.begin());
    }
}

TEST_F(SpriteGroupTest, AParticleGroupQueuedInOneFrameIsTheOneTheNextFrameDraws) {
    gPerFrame = {Sprite(0xFF0000FFu, SPRITE_GROUP_ALPHA, SPRITE_TYPE_PARTICLE),
                 Sprite(0x00FF00FFu, SPRITE_GROUP_ALPHA, SPRITE_TYPE_PARTICLE)};
    ThreadInsertPriorityDebug("QueueNext", nullptr, nullptr, QueueNext, nullptr, 6100);
    EventWait(1);
    EXPECT_TRUE(TakeQuadColors().empty());
    EventWait(1);
    EXPECT_EQ(TakeQuadColors(), (std::vector<u32>{0xFF0000FFu}));
    EventWait(1);
    EXPECT_EQ(TakeQuadColors(), (std::vector<u32>{0x00FF00FFu}));
}

TEST_F(SpriteGroupTest, SortedGroupsDrawInTheirFlushAndFrameBufferGroupsJoinTheQueue) {
    const s_Vector3 sortAt{0.0f, 0.0f, -5.0f, 0.0f};
    SpriteGroupSortInsert(Sprite(0x00FF00FFu, SPRITE_GROUP_ALPHA), &origin_, &sortAt);
    SpriteGroupSortInsert(Sprite(0xFF0000FFu), &origin_, &sortAt);
    SpriteGroupSortInsert(Sprite(0xFFFFFFFFu, SPRITE_GROUP_FRAME_BUFFER), &origin_, &sortAt);
    EXPECT_EQ(SpriteGroupDrawCount, 1u);
    DrawSortOpaqueFlushThread(nullptr, nullptr);
    EXPECT_EQ(TakeQuadColors(), (std::vector<u32>{0xFF0000FFu}));
    DrawSortAlphaFlushThread(nullptr, nullptr);
    EXPECT_EQ(TakeQuadColors(), (std::vector<u32>{0x00FF00FFu}));
}

TEST_F(SpriteGroupTest, EmptyAndTransparentElementsAreSkipped) {
    struct Case {
        e_SPRITE_TYPE type;
        s_Vector2 size;
        f32 alpha;
        size_t quads;
    };
    const Case cases[] = {
        {SPRITE_TYPE_SPRITE, {0, 0}, 1, 0},   {SPRITE_TYPE_SPRITE, {0, 2}, 1, 1},
        {SPRITE_TYPE_SPRITE, {2, 2}, 0, 1},   {SPRITE_TYPE_PARTICLE, {2, 2}, 0, 0},
        {SPRITE_TYPE_PARTICLE, {0, 0}, 1, 0}, {SPRITE_TYPE_PARTICLE, {2, 0}, 1, 1},
        {SPRITE_TYPE_SPRITE4, {2, 2}, 0, 0},  {SPRITE_TYPE_SPRITE4, {0, 0}, 1, 0},
    };
    for (const Case& c : cases) {
        s_group_header* group = SpriteGroupAlloc(c.type, 1);
        void* element = SpriteGroupGetElement(group, 0);
        const s_Vector4 color{1, 1, 1, c.alpha};
        SpriteGroupSetElementColor(element, c.type, &color);
        SpriteGroupSetElementSize(element, c.type, &c.size);
        SpriteDrawGroup(group, &origin_);
        EXPECT_EQ(TakeQuadColors().size(), c.quads) << c.type << " " << c.size.x << "x" << c.size.y;
    }
}

TEST_F(SpriteGroupTest, ParticlesFaceATurnedCamera) {
    const f32 c = std::cos(0.7f), s = std::sin(0.7f);
    const s_Matrix4 camera{{c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1}};
    const s_Vector3 eye{};
    DrawSetCamera(&camera, &eye);
    s_group_header* group = Sprite(0xFFFFFFFFu, 0, SPRITE_TYPE_PARTICLE);
    const s_Vector3 ahead{-7.0f * s, 0.0f, -7.0f * c, 0.0f};
    SpriteDrawGroup(group, &ahead);
    ASSERT_EQ(drawn_.size(), 1u);
    for (const RasterVertex& v : drawn_[0].vertices)
        EXPECT_NEAR(v.pos[3], drawn_[0].vertices[0].pos[3], 1e-4f);  // one depth: in the screen plane
}

// Elements of one colour in a row go out as one batch of quads; the picture is
// the one that each element drawn as a group of its own gives, placed alongside.
TEST_F(SpriteGroupTest, ARunOfOneColourIsOneBatchThatDrawsAsSeparateQuadsWould) {
    constexpr u32 kRed = 0xFF000080u, kGreen = 0x00FF0060u, kWhite = 0xFFFFFFFFu;
    constexpr f32 kBeside = 200.0f;  // whole pixels: the same coverage, moved
    struct Element {
        u32 rgba;
        bool empty;  // no size: skipped, and the run goes on past it
    };
    const std::vector<Element> elements = {{kWhite, false}, {kRed, false},   {kRed, true},  {kRed, false},
                                           {kGreen, false}, {kGreen, false}, {kRed, false}, {kWhite, false}};
    const std::vector<u32> drawnColors = {kWhite, kRed, kRed, kGreen, kGreen, kRed, kWhite};
    // Overlapping, so that a quad out of order would blend differently.
    auto place = [](void* element, e_SPRITE_TYPE type, size_t i, const Element& e, f32 dx) {
        const s_Vector3 coord{40.0f + 6.0f * f32(i) + dx, 60.0f + 5.0f * f32(i % 3), 0.0f, 0.0f};
        const s_Vector4 rgba = Rgba(e.rgba);
        const s_Vector2 size = e.empty ? s_Vector2{0.0f, 0.0f} : s_Vector2{8.0f, 6.0f};
        if (type == SPRITE_TYPE_PARTICLE) {
            *static_cast<s_particle*>(element) = {coord, rgba, size};
        } else if (type == SPRITE_TYPE_SPRITE) {
            *static_cast<s_sprite*>(element) = {coord, rgba, size, 0.0f, 0.0f, 1.0f, 1.0f};
        } else {
            s_sprite4& sprite = *static_cast<s_sprite4*>(element);
            sprite = {coord, rgba, size, {}};
            const f32 corners[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
            for (int k = 0; k < 4; ++k)
                sprite.corner[k] = {corners[k][0], corners[k][1], 0.0f, 0.0f, {}};
        }
    };
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    const s_Vector3 at{0.0f, 0.0f, -0.5f, 0.0f};
    u32 row = 0;
    for (e_SPRITE_TYPE type : {SPRITE_TYPE_PARTICLE, SPRITE_TYPE_SPRITE, SPRITE_TYPE_SPRITE4}) {
        SCOPED_TRACE(type);
        const s_Vector3 down{at.x, at.y + 30.0f * f32(row++), at.z, 0.0f};
        s_group_header* block = SpriteGroupAlloc(type, s32(elements.size()));
        for (size_t i = 0; i < elements.size(); ++i)
            place(SpriteGroupGetElement(block, s32(i)), type, i, elements[i], 0.0f);
        SpriteDrawGroup(block, &down);
        EXPECT_EQ(drawn_.size(), 5u);  // white, red (across the empty one), green, red, white
        EXPECT_EQ(TakeQuadColors(), drawnColors);

        for (size_t i = 0; i < elements.size(); ++i) {
            s_group_header* single = SpriteGroupAlloc(type, 1);
            place(SpriteGroupGetElement(single, 0), type, i, elements[i], kBeside);
            SpriteDrawGroup(single, &down);
            SpriteGroupFree(single);
        }
        EXPECT_EQ(TakeQuadColors(), drawnColors);
        SpriteGroupFree(block);

        u32 differing = 0, covered = 0;
        for (u32 y = u32(down.y) + 40; y < u32(down.y) + 80; ++y) {
            for (u32 x = 20; x < 120; ++x) {
                const u32 pixel = HostEFBColor(x, y);
                differing += pixel != HostEFBColor(x + u32(kBeside), y);
                covered += pixel != HostEFBColor(0, 0);
            }
        }
        EXPECT_EQ(differing, 0u);
        EXPECT_GT(covered, 500u);
    }
}

// Points: one screen pixel each in their own colour, read with the point layout.
TEST_F(SpriteGroupTest, PointsAreSinglePixelsOfTheirColour) {
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    s_point_group* points = SpriteAllocPointGroup(SPRITE_GROUP_ELEMENTS);
    points->element[0] = {{0.5f, 0.5f, 0.0f, 0.0f}, {1, 0, 0, 1}};
    points->element[15] = {{10.5f, 20.5f, 0.0f, 0.0f}, {0, 1, 0, 1}};
    const s_Vector3 at{100.0f, 50.0f, -0.5f, 0.0f};
    SpriteDrawGroup(&points->group, &at);
    EXPECT_EQ(HostEFBColor(100, 50) & 0xFFFFFFu, 0xFF0000u);
    EXPECT_EQ(HostEFBColor(110, 70) & 0xFFFFFFu, 0x00FF00u);
    EXPECT_NE(HostEFBColor(101, 50) & 0xFFFFFFu, 0xFF0000u);
    EXPECT_NE(HostEFBColor(111, 70) & 0xFFFFFFu, 0x00FF00u);
    ASSERT_EQ(drawn_.size(), 1u);
    EXPECT_EQ(drawn_[0].type, GX_POINTS);
    EXPECT_EQ(drawn_[0].vertices.size(), 2u);  // transparent points are not sent
}

std::vector<const s_group_header*> gRendered;
e_STENCIL_MODE gFilterWhileRendering = DC_STENCIL_INVALID;

void RecordRender(s_group_header* group, const s_Vector3*, s_particle_system*) {
    gRendered.push_back(group);
    gFilterWhileRendering = DrawContext.stencilMode;
}

TEST_F(SpriteGroupTest, ASystemsRenderFunctionDrawsItsGroupsUnderTheFrameFilterFlag) {
    gRendered.clear();
    s_particle_system system{};
    system.renderFunc = RecordRender;
    s_group_header* group = Sprite(0xFFFFFFFFu, SPRITE_GROUP_FRAME_FILTER, SPRITE_TYPE_PARTICLE);
    group->psysPtr = &system;
    DrawFrameFilterEnable(0);
    SpriteDrawGroup(group, &origin_);
    EXPECT_EQ(gRendered, (std::vector<const s_group_header*>{group}));
    EXPECT_EQ(gFilterWhileRendering, DC_STENCIL_OFF);  // the filter's setting
    EXPECT_EQ(DrawContext.stencilMode, DC_STENCIL_ON);
    EXPECT_TRUE(TakeQuadColors().empty());
}

using SpriteGroupDeathTest = EngineDeathFixture;

TEST_F(SpriteGroupDeathTest, SortingANullGroupIsFatal) {
    const s_Vector3 at{};
    EXPECT_DEATH(SpriteGroupSortInsert(nullptr, &at, &at), "SpriteGroupSortInsert: NULL group header.");
}

}  // namespace
