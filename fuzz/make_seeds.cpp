// make_seeds DATA_DIR OUT_DIR: writes each harness's seed inputs to
// OUT_DIR/<harness>/, made with the project's own writers, the demo disc among them.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/CutScene.h"
#include "tests/support/SfpTestMovies.h"
#include "tests/support/VhmTestModel.h"
#include "tools/dbcompile/DbCompile.h"
#include "tools/discbuild/AsfWriter.h"
#include "tools/discbuild/CsfWriter.h"
#include "tools/discbuild/DiscSources.h"
#include "tools/discbuild/F3dWriter.h"
#include "tools/discbuild/FntWriter.h"
#include "tools/discbuild/GamWriter.h"
#include "tools/discbuild/GrpWriter.h"
#include "tools/discbuild/OctreeWriter.h"
#include "tools/discbuild/PatWriter.h"
#include "tools/discbuild/SfxWriter.h"
#include "tools/discbuild/SprWriter.h"
#include "tools/discbuild/StgWriter.h"
#include "tools/discbuild/StringTableWriter.h"
#include "tools/discbuild/SymTableWriter.h"
#include "tools/discbuild/ThpWriter.h"
#include "tools/discbuild/TimWriter.h"
#include "tools/discbuild/VhaWriter.h"
#include "tools/discbuild/VhmWriter.h"
#include "tools/discbuild/WadWriter.h"
#include "tools/discbuild/WrlWriter.h"
#include "tools/fontbake/FontBaker.h"
#include "tools/hbmgen/HomeButtonDisc.h"
#include "tools/parsyshost/HostCommandFile.h"
#include "tools/sfpcompile/SfpCompile.h"

namespace fs = std::filesystem;
using discbuild::kWadCompressed;
using discbuild::WadChunk;
using discbuild::WadWriter;
using Bytes = std::vector<u8>;

namespace {

constexpr u32 kAmerican = 0x80000000u;
constexpr u32 kEnglish = 0x40000000u;
constexpr u16 kMinData = 0x0001;

Bytes Pattern(u32 size, u8 seed) {
    Bytes bytes(size);
    for (u32 i = 0; i < size; ++i)
        bytes[i] = u8(seed + i * 7 + (i >> 5));
    return bytes;
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes Strings() {
    return discbuild::StringTablePayload(kAmerican | kEnglish, 3, {"Strike!", "Spare", "", "Gutter ball"});
}

// An animation bank: the bank header, then a list of two animations whose channel
// offsets point at frame data behind them.
Bytes AnimationBank() {
    Bytes bank(32 + 2 * 36 + 64);
    StoreBE32(&bank[8], 2u << 16);  // two animations (a 16-bit count)
    StoreBE32(&bank[12], 32);
    StoreBE32(&bank[32 + 32], 104);
    StoreBE32(&bank[32 + 36 + 32], 120);
    return bank;
}

Bytes Archive(std::vector<WadChunk> chunks, bool toc = false, bool end = true) {
    WadWriter wad;
    for (WadChunk& chunk : chunks)
        wad.Add(std::move(chunk));
    wad.SetToc(toc);
    wad.SetEnd(end);
    return wad.Image();
}

std::vector<WadChunk> Mixed() {
    return {{"TITLE", "TXT", Strings(), 0, 0, 7},
            {"BLOB", "BIN", Pattern(300, 1), 0, 0, discbuild::WadSymbolId(1)},
            {"PACKED", "BIN", Bytes(2000, 'p'), kWadCompressed, 0, 0},
            {"PACKEDTXT", "TXT", Strings(), kWadCompressed, 0, 0},
            {"ODD", "VHO", Pattern(40, 2), 0, 0, 0},
            {"USER", "XYZ", Pattern(16, 3), 0, 0, 0}};
}

// Two parts as fuzz::Split takes them.
Bytes Pair(const Bytes& first, const Bytes& second) {
    Bytes out{u8(first.size() >> 8), u8(first.size())};
    out.insert(out.end(), first.begin(), first.end());
    out.insert(out.end(), second.begin(), second.end());
    return out;
}

Bytes Prefixed(Bytes prefix, const Bytes& rest) {
    prefix.insert(prefix.end(), rest.begin(), rest.end());
    return prefix;
}

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

using Seeds = std::vector<Bytes>;

Seeds WadSync(const fs::path& disc) {
    Seeds seeds{Archive(Mixed()), Archive(Mixed(), false, false), Archive({}),
                Archive({{"ANIM", "VHA", AnimationBank(), kMinData, 0, 0}})};
    for (const auto& entry : fs::directory_iterator(disc / "DATA"))
        if (entry.is_regular_file())
            seeds.push_back(ReadFile(entry.path()));
    return seeds;
}

Seeds WadAsync(const fs::path&) {
    const Bytes override =
        Archive({{"BLOB", "BIN", Pattern(100, 9), 0, 0, 0}, {"EXTRA", "TXT", Strings(), 0, 0, 0}});
    const u8 minDataSet = 0x8;
    const u8 bestFit = 0x1;
    return {Prefixed({0}, Pair(Archive(Mixed()), {})), Prefixed({0}, Pair(Archive(Mixed()), override)),
            Prefixed({bestFit}, Pair(Archive(Mixed()), override)),
            Prefixed({minDataSet}, Pair(Archive({{"ANIM", "VHA", AnimationBank(), 0, 0, 0}}), {}))};
}

Seeds WadToc(const fs::path&) {
    std::vector<WadChunk> twins = Mixed();
    twins.push_back({"TITLE", "BIN", Pattern(24, 4), 0, 0, 0});  // a name twice, another type
    return {Archive(Mixed(), true), Archive(twins, true), Archive({}, true)};
}

Seeds StringTable(const fs::path&) {
    return {Strings(), discbuild::StringTablePayload(kAmerican, 0, {}),
            discbuild::StringTablePayload(0x02000000u, 1, {"other language"})};
}

// RGBA8 with children, CMPR with mip levels, C8 with two palettes.
Seeds Tim(const fs::path&) {
    using discbuild::TexFormat;
    discbuild::TimTexture direct;
    direct.image = {8, 8, Pattern(8 * 8 * 4, 8)};
    direct.children = {"CHILD0", "CHILD1"};
    discbuild::TimTexture compressed = direct;
    compressed.format = TexFormat::CMPR;
    compressed.levels = 3;
    compressed.mipBias = -1.0f;
    compressed.children.clear();
    discbuild::TimTexture indexed;
    indexed.format = TexFormat::C8;
    indexed.image = {8, 4, {}};
    indexed.indices = Bytes(32, 1);
    indexed.palette = {0x000000FFu, 0xFF8040C0u};
    return {discbuild::TimPayload(direct), discbuild::TimPayload(compressed), discbuild::TimPayload(indexed)};
}

// Every channel type keyed and, where it has one, sampled; an event channel; an
// animation without channels.
Seeds Vha(const fs::path&) {
    const u8 types[] = {0, 2, 3, 6, 7, 8, 10, 11};
    discbuild::VhaAnimation walk{"WALK", 0x8000, 0.0f, 1.0f, 0.0f, {}};
    u32 bone = 0;
    for (u8 type : types)
        for (u8 flags : {discbuild::kVhaKeyed, u8(0)})
            walk.channels.push_back(
                {type, flags, 30, bone++, {{0.0f, {0, 0, 0, 1}, {}}, {0.5f, {0.5f, -0.5f, 0.5f, 0.5f}, {}}}});
    walk.channels.push_back({4, discbuild::kVhaKeyed, 0, 0xFFFFFFFFu, {{0.25f, {}, {1, 2, 3, 4}}}});
    const discbuild::VhaBank bank{0, 1, {walk, {"EMPTY", 0, 0, 0, 0, {}}}};
    return {discbuild::VhaPayload(bank), discbuild::VhaPayload({0, 2, {{"IDLE", 0, 0, 0, 0, {}}}})};
}

// A skinned model with every list, a static quantised one, and a static one of
// float vertices under a material.
Seeds Vhm(const fs::path&) {
    discbuild::VhmModel floats = vhmtest::StaticQuad();
    floats.vertNormGQR = 0;
    floats.floatVertices.assign(floats.quantVertices.size(), s_model_vertex_float{});
    floats.quantVertices.clear();
    s_ORB_MATERIAL glow{};
    glow.mode = MATERIAL_MODE_GLOW;
    glow.flags = MATERIAL_FLAG_HAS_OPAQUE;
    floats.materials = {glow};
    return {discbuild::VhmPayload(vhmtest::SkinnedQuad()), discbuild::VhmPayload(vhmtest::StaticQuad()),
            discbuild::VhmPayload(floats)};
}

// Levels of detail of one type, a damaged state, a shadow and a streamed model; an
// empty group.
Seeds Grp(const fs::path&) {
    discbuild::GrpGroup group{0x80000001u, 0, "TREE", {}};
    group.models = {{0, "TREEFAR", 0, 0, 0, 50.0f, 1000.0f, 0, 3},
                    {0, "TREENEAR", 0, 0, 1, 0.0f, 50.0f, 0, -1},
                    {0x80000002u, "TREEBROKEN", 1, 0, 0, 0.0f, 1000.0f, 0, -1},
                    {0, "TREESHADOW", 0, 1, 0, 0.0f, 1000.0f, 0, -1}};
    return {discbuild::GrpPayload(group), discbuild::GrpPayload({0, 1, "EMPTY", {}})};
}

// A level with every kind of list (grouped and forced instances, two placeholders
// of one name, connected grids, a graph with a node that binds nothing), and an
// empty level.
Seeds Gam(const fs::path&) {
    using namespace discbuild;
    GamLevel level;
    level.pos = {1, 0, -2};
    level.instances = {{{0, 0, -5}, {0, 0, 0, 1}, 5, "LAMP", 2.0f, 0, 0x20000000u},
                       {{3, 0, -8}, {0, 0, 0, 1}, 2, "CRATE", 1.0f, 1, 0},
                       {{-3, 0, -8}, {0, 0, 0, 1}, 2, "GUARD", 1.0f, 1, 0},
                       {{0, 0, 50}, {0, 0, 0, 1}, 7, "PROJECTOR", 4.0f, 2, 0}};
    level.placeholders = {{"START", {0, 0, 0}, {0, 0, 0, 1}, 1, 2, 0, 0},
                          {"START", {1, 0, 0}, {0, 0, 0, 1}, 1, 1, 1, 0},
                          {"WAYPT", {2, 0, 0}, {0, 0, 0, 1}, 1, 3, 2, 0x80000000u}};
    level.paths = {{"ROUTE",
                    0x80000000u,
                    0,
                    1,
                    0.5f,
                    {{{0, 0, 0}, {1, 0, 0}, 1, {1, 2, 3, 4}}, {{1, 0, 0}, {-1, 0, 0}, 1, {}}}}};
    level.areas = {{"ARENA", {0, 0, 5}, 3.0f, 0x40000000u}};
    level.grids = {{"FLOOR", {0, 0, 0}, 1, 1, 2, 2, {0, 0x80, 0x40, 0x20}, {{3, 1, 0}}, 0},
                   {"ROOF", {0, 4, 0}, 1, 1, 1, 1, {0}, {{0, 0, 2}}, 0x80000000u}};
    level.graphs = {{"NAV", {{"START", {1}}, {"WAYPT", {0, 2}}, {"NOWHERE", {}}}}};
    return {GamPayload(level), GamPayload({})};
}

// Three atoms of two groups under a root with two leaves, one atom standing for
// nothing; an empty world.
Seeds Wrl(const fs::path&) {
    discbuild::WrlWorld world;
    world.name = "ALLEY";
    for (u32 i = 0; i < 3; ++i) {
        discbuild::WrlAtom atom;
        atom.matrix.element[11] = -20.0f - f32(i);
        atom.center = {0.0f, 0.0f, -20.0f - f32(i)};
        atom.groupId = i == 2 ? 0x80000001u : 1;
        world.atoms.push_back(atom);
    }
    const auto leaf = [](std::vector<u16> items) {
        return discbuild::OctreeNode{{0, 0, -21}, 3.0f, 0, std::move(items), {}};
    };
    world.octTree = discbuild::OctreeNode{{0, 0, -21}, 4.0f, 0, {}, {leaf({0, 1}), leaf({2, 0xFFFF})}};
    discbuild::WrlWorld empty;
    empty.name = "VOID";
    return {discbuild::WrlPayload(world), discbuild::WrlPayload(empty)};
}

// An item count, then a map at the start of the chunk data: a tree of two levels
// ahead of the camera with an empty atom, a single leaf, and an empty tree.
Seeds Octree(const fs::path&) {
    using discbuild::OctreeNode;
    const auto map = [](u16 numItems, const OctreeNode* root) {
        Bytes chunk;
        discbuild::OctreeAppend(chunk, root);
        return Prefixed({u8(numItems >> 8), u8(numItems)}, chunk);
    };
    OctreeNode tree{{0, 0, -20}, 10, 0, {}, {}};
    tree.children.push_back({{-4, 0, -20}, 4, 0, {0, 1}, {}});
    tree.children.push_back({{4, 0, -20}, 4, 0, {}, {{{4, 2, -20}, 1, 0, {2, 0xFFFF}, {}}}});
    const OctreeNode leaf{{0, 0, -5}, 1, 0, {0}, {}};
    return {map(3, &tree), map(1, &leaf), map(0, nullptr)};
}

// Cells over two textures with two animations, one of several frames; cells only.
Seeds Spr(const fs::path&) {
    discbuild::SpriteSet set;
    set.textures = {"METER", "MARKER"};
    set.cells = {{0, 0, {0, 0, 0.5f, 0, 0.5f, 1, 0, 1}}, {1, 1, {0.5f, 0, 1, 0, 1, 1, 0.5f, 1}}};
    discbuild::FrameSprite sprite{1, {}};
    sprite.corners = {
        {{-8, 8, 0, 0xFF0000FFu}, {8, 8, 0, 0x00FF00FFu}, {8, -8, 0, 0x0000FFFFu}, {-8, -8, 0, 0xFFFFFFFFu}}};
    discbuild::FrameSprite other = sprite;
    other.cell = 0;
    set.animations = {{1, {{sprite}, {sprite, other}, {}}}, {2, {{other}}}};
    discbuild::SpriteSet cells = set;
    cells.animations.clear();
    return {discbuild::SprPayload(set), discbuild::SprPayload(cells)};
}

// Over the harness's texture "FUZZ_T": a written font with kerning and an icon
// glyph, one with no texture at all, and the disc's system font baked again.
Seeds Fnt(const fs::path&) {
    discbuild::FontDef written;
    written.width = 8;
    written.height = 10;
    written.spacing = 1;
    written.textures = {"FUZZ_T"};
    written.glyphs.resize(4);
    written.glyphs[0].width = 3;
    for (u32 i = 1; i < 4; ++i)
        written.glyphs[i] = {0.0f, 0.25f * f32(i - 1), 0.5f, 0.25f * f32(i), s8(4 + i), 0, {}};
    written.glyphs[1].kerns = {{'V', 'W', 2}, {'a', 'z', 1}};
    written.glyphs[2].kerns = {{'.', '.', 3}};
    for (u32 c = 'A'; c <= 'z'; ++c)
        written.charIndex[c] = u8(1 + c % 3);
    written.charIndex[130] = 3;
    discbuild::FontDef bare = written;
    bare.textures.clear();
    for (discbuild::FontGlyph& glyph : bare.glyphs)
        glyph.texture = -1;
    const fontbake::BakedFont baked = fontbake::BakeFont(
        {"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", "FUZZ", 10, {}});
    return {discbuild::FntPayload(written), discbuild::FntPayload(bare), baked.fnt};
}

// Over the harness's model "FUZZ_M": a font with a character of another model that
// is not loaded and a name of all 16 characters, and a font without characters.
Seeds F3d(const fs::path&) {
    discbuild::Font3DDef font;
    font.spacing = 0.1f;
    font.spaceWidth = 0.5f;
    font.width = 1.0f;
    font.models = {"FUZZ_M", "MISSING", "FUZZ_M", "SIXTEEN_CHARS_XX"};
    for (u32 c = 'A'; c <= 'Z'; ++c)
        font.charIndex[c] = s8(c % 4);
    discbuild::Font3DDef empty;
    empty.spacing = 0.2f;
    return {discbuild::F3dPayload(font), discbuild::F3dPayload(empty)};
}

// A plain looped tag with both variances, a positional tag and a stream tag.
Seeds Stg(const fs::path&) {
    discbuild::SoundTagDef plain;
    plain.idName = "SFX_PIN_HIT";
    plain.id = s32(0x80000003u);
    plain.flags = 0x80000000u;
    plain.priority = 10;
    plain.pitch = 1.9f;
    plain.pitchVariance = 0.3f;
    plain.volumeVariance = 0.2f;
    plain.volumeMix = {0.8f, 0.8f, 0.0f, 0.0f, 0.0f, 0.0f};
    discbuild::SoundTagDef spatial = plain;
    spatial.type = 0;
    spatial.maxVol = 0.9f;
    spatial.volumeVariance = 0.3f;
    spatial.maxAudDist = 20.0f;
    discbuild::SoundTagDef stream = plain;
    stream.type = 2;
    return {discbuild::StgPayload(plain), discbuild::StgPayload(spatial), discbuild::StgPayload(stream)};
}

// Every engine command on two objects with handler commands between, and a script
// with nothing but its END.
Seeds Csf(const fs::path&) {
    using discbuild::CsfCommand;
    discbuild::CsfScript script;
    script.data = {{"FIGURE", "VHM"}, {"WALK", "VHA"}, {"TEX", "TIM"}, {"SPARK", "PAT"}};
    discbuild::ParticleDef points;
    points.spriteType = 1;
    script.instances = {{{0, 0, 0, 0}, {1, 1, 1, 0}, {0, 0, 0, 1}, 0},
                        {{1, 0, 2, 0}, {2, 2, 2, 0}, {0, 1, 0, 0}, 0}};
    script.commands = {
        {CS_CMD_TYPE_LOAD_TEXTURE, 0.0f, 2, {}},
        {CS_CMD_TYPE_LOAD_PARTICLE, 0.0f, 3, discbuild::PatPayload(points)},
        {CS_CMD_TYPE_SET_CAMERA, 0.0f, 0, discbuild::CsfSetCameraLookAt({0, 1, 5, 0}, {0, 1, 0, 0}, 45.0f)},
        {CS_CMD_TYPE_FADE_IN, 0.0f, 0, discbuild::CsfFadeIn(0.5f)},
        {CS_CMD_TYPE_OBJECT_CREATE, 0.1f, 0, discbuild::CsfObject(0)},
        {CS_CMD_TYPE_OBJECT_PLAY_ANIM, 0.1f, 0, discbuild::CsfObjectPlayAnim(0, 1, 1.0f)},
        {CS_CMD_TYPE_GAME_WARP, 0.2f, 7, {1, 2, 3, 4}},
        {CS_CMD_TYPE_OBJECT_SET_POS, 0.5f, 0, discbuild::CsfObjectSetPos(0, 1)},
        {CS_CMD_TYPE_OBJECT_FADE_OUT, 0.6f, 0, discbuild::CsfObjectFade(0, 0.5f)},
        {CS_CMD_TYPE_OBJECT_FADE_IN, 1.0f, 0, discbuild::CsfObjectFade(0, 0.0f)},
        {CS_CMD_TYPE_OBJECT_STOP_ANIM, 1.1f, 0, {}},
        {CS_CMD_TYPE_OBJECT_DESTROY, 1.2f, 0, discbuild::CsfObject(0)},
        {CS_CMD_TYPE_FREE_TEXTURE, 1.2f, 2, {}},
        {CS_CMD_TYPE_FREE_PARTICLE, 1.2f, 3, {}},
        {CS_CMD_TYPE_FADE_OUT, 1.3f, 0, discbuild::CsfFadeOut(0.2f, 0x000000FF)},
    };
    return {discbuild::CsfFile(script), discbuild::CsfFile({})};
}

// Points with a middle colour, animated sprites of the harness's set drawn to a
// magnet, and four-cornered sprites on a slow rate with every element born at once.
Seeds Pat(const fs::path&) {
    discbuild::ParticleDef points;
    points.spriteType = 1;
    points.midTime = 0.5f;
    points.elemMaxAge = 0.1f;
    points.area = {1, 1, 1, 0};
    points.elemMaxVel = {1, 2, 1, 0};
    discbuild::ParticleDef sprites = points;
    sprites.spriteType = 4;
    sprites.spriteSet = "FUZZSET";
    sprites.animCycles = 3.0f;
    sprites.magnetForce = 2.0f;
    sprites.flags = 0x00000800u;  // local positions
    discbuild::ParticleDef corners = sprites;
    corners.spriteType = 5;
    corners.updateRate = 3;
    corners.flags = 0x02000000u;  // born at once
    corners.maxAge = 0.05f;
    discbuild::ParticleDef lines = points;
    lines.spriteType = 2;
    lines.elemSize = 0.5f;
    return {discbuild::PatPayload(points), discbuild::PatPayload(sprites), discbuild::PatPayload(corners),
            discbuild::PatPayload(lines)};
}

Seeds SymTable(const fs::path& disc) {
    return {discbuild::SymTableImage({}), discbuild::SymTableImage({7, 0x00070002u, 0xFFFFFFFFu}),
            ReadFile(disc / "SymTable.bin")};
}

Seeds Lzo(const fs::path&) {
    Seeds seeds;
    for (const Bytes& data : {Bytes(3000, 'a'), Pattern(1000, 5), Strings()})
        seeds.push_back(Prefixed({u8(data.size() >> 8), u8(data.size())}, discbuild::LzoCompress(data)));
    return seeds;
}

// The database tests' sample tables, and the demo disc's database when there is one.
Seeds BowlingDb(const fs::path& disc) {
    Seeds seeds = {dbcompile::DbCompile(BOWLING_DB_SAMPLE_TABLES)};
    if (fs::exists(disc / "DATABASE" / "ZQL07_BE.DB"))
        seeds.push_back(ReadFile(disc / "DATABASE" / "ZQL07_BE.DB"));
    return seeds;
}

// One operation of the disc_file harness: its kind, a 16-bit argument, a third byte.
Bytes Op(u8 kind, u16 argument, u8 extra) {
    return {kind, u8(argument >> 8), u8(argument), extra};
}

Bytes Ops(u8 repeats, const std::vector<Bytes>& ops, const Bytes& content) {
    Bytes out{u8(ops.size()), repeats};
    for (const Bytes& op : ops)
        out.insert(out.end(), op.begin(), op.end());
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

// Stream packs: short mono streams, a stereo stream at the engine's interleave,
// and one at an interleave the engine refuses to start.
Seeds Asf(const fs::path&) {
    const auto tone = [](u32 samples, u32 period) {
        std::vector<s16> pcm(samples);
        for (u32 i = 0; i < samples; ++i)
            pcm[i] = s16((i % period) * 4000 / period - 2000);
        return pcm;
    };
    return {discbuild::AsfWrite({{tone(700, 20), {}, 32000}, {tone(1400, 30), {}, 16000}}),
            discbuild::AsfWrite({{tone(280, 10), tone(280, 14), 32000}}),
            discbuild::AsfWrite({{tone(140, 7), {}, 32000}, {tone(560, 9), tone(560, 11), 22050}}, 256)};
}

Seeds DiscFile(const fs::path&) {
    enum : u8 { kRead, kAsyncRead, kSeek, kFailTransfer, kLoad, kSecondUser };
    const Bytes content = Pattern(1000, 6);
    return {
        Ops(0, {Op(kRead, 100, 0), Op(kAsyncRead, 256, 5), Op(kSeek, 10, 0), Op(kRead, 900, 0)}, content),
        // 64,000 bytes: a direct transfer, then the same through the window.
        Ops(63, {Op(kAsyncRead, 0xB000, 0), Op(kSeek, 0, 0), Op(kRead, 0xB000, 3), Op(kLoad, 0, 0)}, content),
        Ops(3, {Op(kFailTransfer, 0, 0), Op(kRead, 2000, 0), Op(kSeek, 4, 2), Op(kSecondUser, 64, 7)},
            content),
    };
}

Seeds NVRam(const fs::path&) {
    const Bytes save = Pattern(4096, 7);
    return {Prefixed({0x10, 0x00, 0}, save), Prefixed({0x0F, 0xF1, 0}, save), Prefixed({0x10, 0x00, 2}, save),
            Prefixed({0x20, 0x00, 0}, save)};
}

// A real save unchanged, with edits of its header, settings and a slot (CRC made
// right again or not), and files of no save at all.
Seeds SaveFile(const fs::path&) {
    return {{1},
            {3, 0x00, 0x20, 0x0F, 0x00, 0x4B, 0x01},
            {1, 0x00, 0x07, 0x01},
            {3, 0x00, 0x23, 0x0D},
            {3, 0x2D, 0xD0, 0x41, 0x2D, 0xD8, 0x58},
            Prefixed({0}, Pattern(64, 3)),
            Prefixed({0}, Bytes(46240))};
}

Seeds InputScript(const fs::path&) {
    return {Text("# a throw\n0 0 connect\n1 0 pointer 0.25 -0.5\n2 0 button a down\n10 0 button a up\n"
                 "12 0 acc 0 1 0.5\n20 0 swing 30 3.5\n40 0 pointer off\n"),
            Text("0 1 connect\n0 1 nunchuk on\n5 1 stick -1 0.5\n6 1 button z down\n8 1 probe -1\n"
                 "9 1 error -3\n30 1 disconnect\n"),
            Text("0 0 connect\n1 0 button home down\n2 0 button plus down # late\n"),
            Text("0 mouse 0.5 -0.25\n1 mouse left down\n2 mouse off\n3 key shift down\n3 key A down\n"
                 "4 key backspace down\n5 key A up\n6 mouse right up\n")};
}

// Arguments separated by NUL bytes.
Bytes Arguments(std::initializer_list<std::string> list) {
    Bytes bytes;
    for (const std::string& arg : list) {
        if (!bytes.empty())
            bytes.push_back(0);
        bytes.insert(bytes.end(), arg.begin(), arg.end());
    }
    return bytes;
}

Seeds CommandLine(const fs::path&) {
    return {Arguments({"--headless", "--frames", "600"}),
            Arguments({"--headless", "--frames", "60", "--screenshot", "shot.png", "--input", "play.txt"}),
            Arguments({"--disc", "/tmp/disc", "--nand", "/tmp/nand"}), Arguments({"--help"}),
            Arguments({"--headless", "--audio-out", "a.wav", "--players", "4", "--cpu", "1,3", "--seed", "7",
                       "--level", "0"})};
}

// A bank of a one-shot and a looped sound, and an empty bank.
Seeds Sfx(const fs::path&) {
    std::vector<s16> tone(200);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = s16((i % 16) * 2000 - 16000);
    discbuild::SfxSound oneShot{"CLICK", tone, 32000, std::nullopt, 0};
    discbuild::SfxSound looped{"HUM", tone, 16000, 40u, 0};
    return {discbuild::SfxPayload({oneShot, looped}), discbuild::SfxPayload({})};
}

// Movies: pictures only, with a mono and with a stereo track of two takes, and
// one longer than the player's ring of read buffers.
Seeds Thp(const fs::path&) {
    auto movie = [](u32 frames, u32 width, u32 height) {
        discbuild::ThpMovie m;
        m.width = width;
        m.height = height;
        m.quality = 50;
        for (u32 f = 0; f < frames; ++f) {
            std::vector<u8> picture(width * height * 3);
            for (u32 i = 0; i < picture.size(); ++i)
                picture[i] = u8(i * 7 + f * 40);
            m.pictures.push_back(picture);
        }
        return m;
    };
    auto sound = [](u32 samples, u32 channels) {
        std::vector<s16> pcm(samples * channels);
        for (u32 i = 0; i < pcm.size(); ++i)
            pcm[i] = s16((i % 200) * 150 - 15000);
        return pcm;
    };
    discbuild::ThpMovie mono = movie(2, 32, 16);
    mono.channels = 1;
    mono.frequency = 32000;
    mono.tracks = {sound(800, 1)};
    discbuild::ThpMovie stereo = movie(3, 16, 16);
    stereo.channels = 2;
    stereo.frequency = 22050;
    stereo.tracks = {sound(600, 2), sound(600, 2)};
    return {discbuild::ThpWrite(movie(1, 16, 16)), discbuild::ThpWrite(mono), discbuild::ThpWrite(stereo),
            discbuild::ThpWrite(movie(12, 16, 16))};
}

// The files the disc check reads, as the disc_check harness takes them: which are
// there, then each led by its length but the last.
Seeds DiscCheck(const fs::path& disc) {
    const Bytes symbols = ReadFile(disc / "SymTable.bin"),
                database = ReadFile(disc / "DATABASE" / "ZQL07_BE.DB"),
                text = ReadFile(disc / "DATA" / "SYSTEXT.WAD");
    return {Prefixed({0x0B}, Pair(symbols, Pair(database, text))),
            Prefixed({0x0D}, Pair(symbols, Pair(database, text))),
            Prefixed({0x0F}, Pair(symbols, Pair(database, Pair(database, text)))),
            Prefixed({0x03}, Pair(symbols, database))};
}

// A folder's tables as the db_tables harness takes them: each file's name and text,
// each followed by a NUL byte.
Bytes Tables(const fs::path& folder) {
    std::vector<fs::path> files(fs::directory_iterator(folder), {});
    std::sort(files.begin(), files.end());
    Bytes bytes;
    for (const fs::path& file : files) {
        for (const Bytes& part : {Text(file.filename().string()), ReadFile(file)}) {
            bytes.insert(bytes.end(), part.begin(), part.end());
            bytes.push_back(0);
        }
    }
    return bytes;
}

Seeds DbTables(const fs::path&) {
    return {Tables(BOWLING_DB_SAMPLE_TABLES), Tables(BOWLING_DB_CONTENT_TABLES)};
}

Seeds LanesimArgs(const fs::path&) {
    return {
        Arguments({"--x", "6.0", "--vz", "85"}),
        Arguments({"--x", "7", "--vz", "85", "--spin-x", "0.2", "--oil", "taper", "--film", "hook.csv"}),
        Arguments({"--rack", "0x0220", "--ball", "1", "--oil", "flat:300", "--seed", "9", "--turn", "0"}),
        Arguments({"--lane", "computer", "--mu", "0.5", "--rg", "0.6175", "--absorb", "40", "--rate", "3"}),
        Arguments({"--human", "0", "--mass", "12", "--ball-oil", "100", "--vx", "-1e-3", "--spin-z", "2"}),
        Arguments({"--help"})};
}

// `rows` lines of 39 values of a taper, the last ended as `end` says.
Bytes OilFile(u32 rows, const std::string& end) {
    std::string text;
    for (u32 r = 0; r < rows; ++r) {
        for (u32 b = 0; b < 39; ++b)
            text +=
                std::to_string(r < 10 && b >= r && b <= 38 - r ? 2048 - 200 * r : 0) + (b < 38 ? "," : "");
        text += r + 1 < rows ? "\n" : end;
    }
    return Text(text);
}

Seeds LanesimOil(const fs::path&) {
    return {OilFile(50, "\n"), OilFile(50, ""), OilFile(49, "\n"), Text("0x10,7\n")};
}

// Screen movies: every kind of object, one rect, a tree of exactly the instances
// a movie may have, and the demo disc's movies as the compiler writes them.
Seeds Sfp(const fs::path& disc) {
    Seeds seeds = {sfptest::Sample().Image(), sfptest::Tree(0, 0, 1).Image(),
                   sfptest::Tree(64, 63, 0).Image()};
    for (const fs::path& movie : discbuild::SortedFiles(disc / "DATA" / "640", ".sfp"))
        seeds.push_back(ReadFile(movie));
    return seeds;
}

// The HOME-button menu's files as the demo disc has them, each after its selector.
Seeds HostCmd(const fs::path&) {
    Seeds seeds;
    for (const char* command : {"reset", "start", "stop", "datasets", "startall", "load"}) {
        const std::string text = parsyshost::CommandFile(3, parsyshost::Keyword(command), 7, "SPARKS");
        seeds.emplace_back(text.begin(), text.end());
    }
    return seeds;
}

Seeds Hbm(const fs::path&) {
    return {Prefixed({0}, hbmgen::LayoutArchive("/usr/share/fonts/truetype")),
            Prefixed({1}, Text(hbmgen::TextsTable())), Prefixed({2}, Text(hbmgen::ConfigText())),
            Prefixed({1}, Text("key,JPN\nback,Go\n"))};
}

const struct {
    const char* harness;
    std::function<Seeds(const fs::path&)> make;
} kHarnesses[] = {
    {"wad_sync", WadSync},
    {"wad_async", WadAsync},
    {"wad_toc", WadToc},
    {"string_table", StringTable},
    {"tim", Tim},
    {"spr", Spr},
    {"vha", Vha},
    {"vhm", Vhm},
    {"grp", Grp},
    {"gam", Gam},
    {"wrl", Wrl},
    {"sfx", Sfx},
    {"asf", Asf},
    {"octree", Octree},
    {"fnt", Fnt},
    {"f3d", F3d},
    {"stg", Stg},
    {"csf", Csf},
    {"pat", Pat},
    {"sym_table", SymTable},
    {"lzo", Lzo},
    {"disc_file", DiscFile},
    {"nvram", NVRam},
    {"savefile", SaveFile},
    {"input_script", InputScript},
    {"command_line", CommandLine},
    {"thp", Thp},
    {"bowlingdb", BowlingDb},
    {"disc_check", DiscCheck},
    {"db_tables", DbTables},
    {"lanesim_args", LanesimArgs},
    {"lanesim_oil", LanesimOil},
    {"sfp", Sfp},
    {"hbm", Hbm},
    {"hostcmd", HostCmd},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_seeds DATA_DIR OUT_DIR\n");
        return 2;
    }
    try {
        const fs::path out = argv[2];
        fs::remove_all(out);
        discbuild::BuildDisc(argv[1], (out / "disc").string());
        dbcompile::BuildDiscDatabase(argv[1], (out / "disc").string());
        sfpc::BuildDiscScreens(argv[1], (out / "disc").string());
        for (const auto& harness : kHarnesses) {
            const fs::path folder = out / harness.harness;
            fs::create_directories(folder);
            const Seeds seeds = harness.make(out / "disc");
            for (std::size_t i = 0; i < seeds.size(); ++i) {
                std::ofstream file(folder / ("seed-" + std::to_string(i)), std::ios::binary);
                file.write(reinterpret_cast<const char*>(seeds[i].data()), std::streamsize(seeds[i].size()));
            }
        }
        fs::remove_all(out / "disc");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
