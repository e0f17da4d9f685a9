#include <array>

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/Wad.h"
#include "source/Career/BowlerPartsInternal.h"
#include "source/Career/PlayerConstruction.h"
#include "source/Levels/AlleyLayout.h"

namespace {

constexpr const char* kModelType = "VHM";
constexpr const char* kTextureType = "TIM";
constexpr size_t kMostBodies = 8;  // four players and the front end's previews

s_wad_toc* PartsToc = nullptr;

struct BodyHand {
    const s_hmodel* body;
    s32 hand;
};
std::array<BodyHand, kMostBodies> BodyHands{};

// A chunk of the archive not yet loaded is read into the extra heap, as the
// model loader reads missing textures.
bool ReadChunk(const char* name, const char* type) {
    if (PartsToc == nullptr || WadFindToc(name, type) != PartsToc)
        return false;
    HeapPush(&ExtraHeap);
    const bool read = WadReadData(PartsToc, name, type) != nullptr;
    HeapPop();
    return read;
}

}  // namespace

bool PlayerPartsLoad() {
    if (PartsToc == nullptr)
        PartsToc = WadOpen(ALLEY_GLOBAL_WAD);
    if (PartsToc == nullptr) {
        DEBUG_PRINT("PlayerPartsLoad: no %s archive\n", ALLEY_GLOBAL_WAD);
        return false;
    }
    // The bank first: every body names it.
    if (DataFind(BOWLER_ANIM_BANK, "VHA") == nullptr)
        WadReadData(PartsToc, BOWLER_ANIM_BANK, "VHA");
    return true;
}

void PlayerPartsFree() {
    if (PartsToc != nullptr)
        WadClose(PartsToc);
    PartsToc = nullptr;
}

void PlayerPartsForget() {
    PartsToc = nullptr;
    BodyHands = {};
}

s_hmodel* BowlerPartLoad(const char* name) {
    if (DataFind(name, kModelType) == nullptr && !ReadChunk(name, kModelType)) {
        DEBUG_PRINT("BowlerPartLoad: no part %s\n", name);
        return nullptr;
    }
    return HModelLoad(name, 0);
}

bool BowlerTextureLoad(const char* name) {
    return TextureFind(name) != nullptr || ReadChunk(name, kTextureType);
}

void BowlerPartFree(s_hmodel** part) {
    HModelFree(*part);
    *part = nullptr;
}

void BowlerPartSetChoice(s_hmodel* part, const char* family, s32 group, s32 choice) {
    if (part == nullptr)
        return;
    char name[16];
    if (group < 0)
        BowlerPartName(name, family, choice);
    else
        BowlerPartName(name, family, group, choice);
    const bool present = choice >= 0 && choice < 0xFF && BowlerTextureLoad(name);
    HModelSetTextureVariant(part, present ? u8(choice + 1) : 0);
}

void BowlerBodySetHand(const s_hmodel* body, s32 hand) {
    BowlerBodyForget(body);
    for (BodyHand& entry : BodyHands)
        if (entry.body == nullptr) {
            entry = {body, hand};
            return;
        }
}

void BowlerBodyForget(const s_hmodel* body) {
    for (BodyHand& entry : BodyHands)
        if (entry.body == body)
            entry = {};
}

s32 BowlerBodyHand(const s_hmodel* body) {
    for (const BodyHand& entry : BodyHands)
        if (body != nullptr && entry.body == body)
            return entry.hand;
    return 0;
}
