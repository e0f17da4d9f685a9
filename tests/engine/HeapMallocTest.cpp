#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "orblib47/source/Heap.h"
#include "tests/engine/HeapFixture.h"

namespace {

using HeapMallocTest = HeapFixture;
using HeapMallocDeathTest = HeapFixture;

std::string OutOfRam(u32 need, u32 have, u32 largest) {
    return "HEAP: Out of RAM (need " + std::to_string(need) + ", have " + std::to_string(have) +
           ", largest " + std::to_string(largest) + ")!\n";
}

TEST_F(HeapMallocTest, FullMainHeapFallsBackToTheExtraHeap) {
    u32 avail = MainHeap.avail;
    u32 largest = HeapLargestAvail(&MainHeap);
    void* p = HeapMalloc(MainHeap.size, "Big.cpp", 1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(HandleOf(p)->heap, &ExtraHeap);
    EXPECT_EQ(MainHeap.errorFlag, 1u);
    EXPECT_EQ(MainHeap.errorSize, MainHeap.size + 32);
    EXPECT_NE(output().find(OutOfRam(MainHeap.size + 32, avail, largest)), std::string::npos);
    EXPECT_NE(output().find("MALLOC: Allocating " + std::to_string(MainHeap.size + 32) +
                            " bytes from Extra Heap!\n"),
              std::string::npos);

    HeapMallocFree(p);
    clearOutput();
    void* low = HeapMallocLow(MainHeap.avail, "Big.cpp", 2);
    void* best = HeapMallocBestFit(MainHeap.avail, "Big.cpp", 3);
    ASSERT_TRUE(low && best);
    EXPECT_EQ(HandleOf(low)->heap, &ExtraHeap);
    EXPECT_EQ(HandleOf(best)->heap, &ExtraHeap);
    EXPECT_EQ(output().find("MALLOC:"), std::string::npos);
}

TEST_F(HeapMallocTest, FirstFitOutOfRamCarriesTheAssertionHeaderOncePerRun) {
    constexpr u32 kHuge = 16u * 1024 * 1024;
    EXPECT_EQ(HeapMalloc(kHuge, "Huge.cpp", 1), nullptr);
    EXPECT_EQ(HeapMalloc(kHuge, "Huge.cpp", 2), nullptr);
    std::string text = output();
    EXPECT_EQ(Count(text, "Assertion Failure: \"FALSE\"\n  File: HeapPlace.cpp\n  Line: "), 1u);
    EXPECT_EQ(Count(text, "HEAP: Out of RAM"), 1u);
    EXPECT_EQ(Count(text, "MALLOC: Allocating 16777248 bytes from Extra Heap!\n"), 2u);
    EXPECT_LT(text.find("Assertion Failure"), text.find("HEAP: Out of RAM"));

    // Best fit reports every time, without the header.
    clearOutput();
    HeapMallocBestFit(kHuge, "Huge.cpp", 3);
    HeapMallocBestFit(kHuge, "Huge.cpp", 4);
    EXPECT_EQ(output(), OutOfRam(kHuge + 32, MainHeap.avail, HeapLargestAvail(&MainHeap)) +
                            OutOfRam(kHuge + 32, MainHeap.avail, HeapLargestAvail(&MainHeap)));

    // Low is silent when the request exceeds what is free at all.
    clearOutput();
    EXPECT_EQ(HeapMallocLow(kHuge, "Huge.cpp", 5), nullptr);
    EXPECT_EQ(output(), "");

    // A new run reports again.
    Rebuild(kMaxHandle);
    HeapMalloc(kHuge, "Huge.cpp", 6);
    EXPECT_EQ(Count(output(), "Assertion Failure"), 1u);
}

TEST_F(HeapMallocTest, LowReportsAFragmentedMainHeap) {
    s_mem_handle* a = NewHandleLow(&MainHeap, 1000, 1, "a", 1);
    s_mem_handle* b = NewHandleLow(&MainHeap, 1000, 1, "b", 1);
    s_mem_handle* c = NewHandleLow(&MainHeap, 1000, 1, "c", 1);
    ASSERT_TRUE(a && b && c);
    ASSERT_NE(NewHandleLow(&MainHeap, MainHeap.avail, 1, "rest", 1), nullptr);
    FreeHandle(a);
    FreeHandle(c);
    EXPECT_EQ(NewHandleLow(&MainHeap, 1500, 1, "x", 1), nullptr);
    EXPECT_EQ(output(), OutOfRam(1500, 2000, 1000));
    EXPECT_EQ(MainHeap.errorSize, 1500u);
}

TEST_F(HeapMallocTest, SizesThatWrapGiveNull) {
    EXPECT_EQ(HeapMalloc(UINT32_MAX - 31, "w", 1), nullptr);
    EXPECT_EQ(HeapMallocLow(UINT32_MAX, "w", 2), nullptr);
    EXPECT_EQ(HeapMallocBestFit(UINT32_MAX - 10, "w", 3), nullptr);
    EXPECT_EQ(HeapMallocFromExtraHeap(UINT32_MAX, "w", 4), nullptr);
    EXPECT_EQ(HeapCalloc(0x10000, 0x10001, "w", 5), nullptr);
    EXPECT_EQ(HeapCallocFromExtraHeap(0x10000, 0x10000), nullptr);
    EXPECT_EQ(MainHeap.numHandles + ExtraHeap.numHandles, 0u);
    EXPECT_EQ(output(), "");
}

TEST_F(HeapMallocTest, SizesPastTwoGigabytesPrintUnsigned) {
    EXPECT_EQ(HeapMalloc(0x7FFFFFF0u, "Huge.cpp", 1), nullptr);
    EXPECT_NE(output().find("(need 2147483664, "), std::string::npos);
    EXPECT_NE(output().find("MALLOC: Allocating 2147483664 bytes from Extra Heap!\n"), std::string::npos);
}

TEST_F(HeapMallocTest, TheLimitIsTheLargestBlockAnEmptyHeapGives) {
    void* largest = HeapMalloc(HeapMallocLimit(), "Limit.cpp", 1);
    EXPECT_NE(largest, nullptr);
    HeapMallocFree(largest);
    EXPECT_EQ(HeapMalloc(HeapMallocLimit() + 1, "Limit.cpp", 2), nullptr);
}

// An empty block's pointer is its end: at the top of the heap, the heap's own end.
TEST_F(HeapMallocTest, EmptyBlocksAtEitherEndOfTheHeapAreFreed) {
    for (auto* strategy : {HeapMalloc, HeapMallocLow}) {
        void* p = strategy(0, "e", 1);
        ASSERT_NE(p, nullptr);
        HeapMallocFree(p);
    }
    EXPECT_EQ(MainHeap.numHandles, 0u);
}

TEST_F(HeapMallocTest, CallocClearsReusedMemory) {
    void* dirty = HeapMalloc(400, "c", 1);
    std::memset(dirty, 0xab, 400);
    HeapMallocFree(dirty);
    auto* clean = static_cast<u8*>(HeapCalloc(10, 40, "c", 2));
    ASSERT_EQ(clean, dirty);
    EXPECT_EQ(std::vector<u8>(clean, clean + 400), std::vector<u8>(400, 0));

    auto* extra = static_cast<u8*>(HeapCallocFromExtraHeap(3, 7));
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(HandleOf(extra)->heap, &ExtraHeap);
    EXPECT_EQ(std::vector<u8>(extra, extra + 21), std::vector<u8>(21, 0));
}

TEST_F(HeapMallocTest, DelayedFreesWaitTheirPasses) {
    void* now = HeapMalloc(10, "d", 1);
    void* later = HeapMalloc(10, "d", 2);
    void* kept = HeapMalloc(10, "d", 3);
    HeapMallocDelayedFree(now, 0);
    HeapMallocDelayedFree(later, 2);
    EXPECT_EQ(MainHeap.numHandles, 3u);

    HeapThread(nullptr, nullptr);
    EXPECT_EQ(MainHeap.numHandles, 2u);
    EXPECT_EQ(HandleOf(now)->address, nullptr);
    HeapThread(nullptr, nullptr);
    EXPECT_EQ(MainHeap.numHandles, 2u);
    HeapThread(nullptr, nullptr);
    EXPECT_EQ(MainHeap.numHandles, 1u);
    EXPECT_EQ(Blocks(MainHeap), std::vector<s_mem_handle*>{HandleOf(kept)});
    HeapThread(nullptr, nullptr);
    EXPECT_EQ(MainHeap.numHandles, 1u);
}

TEST_F(HeapMallocTest, PushAndPopSwitchTheCurrentHeap) {
    HeapPush(&ExtraHeap);
    void* p = HeapMalloc(10, "p", 1);
    HeapPop();
    void* q = HeapMalloc(10, "p", 2);
    EXPECT_EQ(HandleOf(p)->heap, &ExtraHeap);
    EXPECT_EQ(HandleOf(q)->heap, &MainHeap);
    EXPECT_EQ(CurrentHeap, &MainHeap);
    for (int i = 0; i < 8; ++i)
        HeapPush(&ExtraHeap);
    for (int i = 0; i < 8; ++i)
        HeapPop();
    EXPECT_EQ(CurrentHeap, &MainHeap);
}

TEST_F(HeapMallocTest, CommentsAreCutAndCallbacksMakeBlocksMovable) {
    void* p = HeapMalloc(10, "c", 1);
    HeapAddrAddComment(p, std::string(100, 'x').c_str());
    EXPECT_EQ(std::string(HandleOf(p)->comment), std::string(63, 'x'));
    HeapAddrAddComment(p, "ThreadWarmReset:SystemThreads");
    EXPECT_STREQ(HandleOf(p)->comment, "ThreadWarmReset:SystemThreads");
    HeapAddrAddComment(nullptr, "ignored");

    int parm = 0;
    HeapCallbackFunc func = [](void*) {};
    HandleOf(p)->flags |= HANDLE_FLAG_LOCKED;
    HeapSetCallback(HandleOf(p), func, &parm);
    EXPECT_EQ(HandleOf(p)->flags, 5u | HANDLE_FLAG_MOVABLE);
    EXPECT_EQ(HandleOf(p)->func, func);
    EXPECT_EQ(HandleOf(p)->parm, &parm);
}

TEST_F(HeapMallocTest, SysIdStackRestoresInOrder) {
    SysIdPush(FourCC("ANIM"));
    SysIdPush(FourCC("ARAM"));
    EXPECT_EQ(SysId, FourCC("ARAM"));
    SysIdPop();
    EXPECT_EQ(SysId, FourCC("ANIM"));
    SysIdPop();
    EXPECT_EQ(SysId, FourCC(" SYS"));
    for (int i = 0; i < 16; ++i)
        SysIdPush(u32(i));
    SysIdReset();
    EXPECT_EQ(SysId, FourCC(" SYS"));
    SysIdPush(1);  // the reset emptied the stack
}

TEST_F(HeapMallocTest, WithoutAnExtraHeapNothingFallsBack) {
    MemoryExit();
    EXPECT_EQ(MemoryGetDebugSize(), 0u);
    alignas(32) static u8 buffer[256 * 1024];
    HeapWarmReset(64, buffer, sizeof(buffer));
    EXPECT_EQ(ExtraHeap.size, 0u);
    EXPECT_EQ(ExtraHeap.avail, 0u);
    EXPECT_EQ(HeapMallocFromExtraHeap(10, "e", 1), nullptr);
    EXPECT_EQ(HeapCallocFromExtraHeap(1, 10), nullptr);
    clearOutput();
    EXPECT_EQ(HeapMalloc(sizeof(buffer), "e", 2), nullptr);
    EXPECT_EQ(output().find("MALLOC:"), std::string::npos);
    EXPECT_FALSE(HeapOwnsPointer(nullptr));

    clearOutput();
    HeapBeginTrack("none");  // the table lives in the extra heap
    HeapEndTrack();
    EXPECT_EQ(output(), "");
}

TEST_F(HeapMallocDeathTest, FreeingTwiceStops) {
    void* p = HeapMalloc(10, "f", 1);
    HeapMallocFree(p);
    EXPECT_DEATH(Uncaptured([&] { HeapMallocFree(p); }), "FREE: Invalid Addresss\n");
    // Still caught when the handle went straight to another block.
    void* q = HeapMallocLow(10, "f", 2);
    ASSERT_NE(q, p);
    ASSERT_EQ(HandleOf(q), HeaderOf(p)->handle);
    EXPECT_DEATH(Uncaptured([&] { HeapMallocFree(p); }), "FREE: Invalid Addresss\n");
}

TEST_F(HeapMallocDeathTest, FreeingWhatIsNoBlockStops) {
    EXPECT_DEATH(Uncaptured([&] { HeapMallocFree(nullptr); }),
                 "Assertion Failure: \"address\".*FREE: Invalid Addresss\n");
    alignas(32) static u8 foreign[64];
    EXPECT_DEATH(Uncaptured([&] { HeapMallocFree(foreign + 32); }), "FREE: Invalid Addresss\n");
    void* p = HeapMalloc(10, "f", 1);
    void* q = HeapMalloc(10, "f", 2);
    EXPECT_DEATH(Uncaptured([&] { HeapMallocFree(static_cast<u8*>(p) + 32); }), "FREE: Invalid Addresss\n");
    // A header that still looks live but whose handle was freed.
    HeapMallocFree(p);
    HeaderOf(p)->cookie = HeaderOf(q)->cookie;
    EXPECT_DEATH(Uncaptured([&] { HeapMallocFree(p); }),
                 "Assertion Failure: \"handle->address\".*FREE: Invalid Addresss\n");
}

TEST_F(HeapMallocDeathTest, DelayedBlockCannotBeFreedAgain) {
    void* p = HeapMalloc(10, "d", 1);
    HeapMallocDelayedFree(p, 1);
    EXPECT_DEATH(Uncaptured([&] { HeapMallocFree(p); }), "FREE: Invalid Addresss\n");
    EXPECT_DEATH(Uncaptured([&] { HeapMallocDelayedFree(p, 1); }), "FREE: Invalid Addresss\n");
}

TEST_F(HeapMallocDeathTest, HeapStackOverflowAndUnderflowStop) {
    auto pushNine = [] {
        for (int i = 0; i < 9; ++i)
            HeapPush(&ExtraHeap);
    };
    EXPECT_DEATH(Uncaptured(pushNine),
                 "Assertion Failure: \"HeapStackDepth < MAX_HEAP_STACK_DEPTH\".*HeapPush: Stack Overflow!\n");
    EXPECT_DEATH(Uncaptured([&] { HeapPop(); }),
                 "Assertion Failure: \"HeapStackDepth\".*HeapPop: Stack Underflow!\n");
}

TEST_F(HeapMallocDeathTest, SysIdStackOverflowAndUnderflowStop) {
    auto pushSeventeen = [] {
        for (int i = 0; i < 17; ++i)
            SysIdPush(u32(i));
    };
    EXPECT_DEATH(Uncaptured(pushSeventeen), "SysIdPush: Stack Overflow!\n");
    EXPECT_DEATH(Uncaptured([&] { SysIdPop(); }), "SysIdPop: Stack Underflow!\n");
}

}  // namespace
