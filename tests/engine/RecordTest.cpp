#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbRecord.h"
#include "orblib47/source/Record.h"
#include "tests/support/EngineFixture.h"

namespace {

using RecordPoolTest = EngineFixture;
using RecordPoolDeathTest = EngineDeathFixture;

TEST_F(RecordPoolTest, CountIsRoundedUpToFourAndRecordsComeFromTheTopDown) {
    s_stdrec* pool = RecordCreate(5, 64);
    ASSERT_NE(pool, nullptr);
    EXPECT_EQ(pool->count, 8u);
    EXPECT_EQ(pool->priority, 65535u);
    EXPECT_EQ(pool->next, nullptr);

    std::vector<u8*> records;
    for (int i = 0; i < 8; ++i)
        records.push_back(static_cast<u8*>(RecordAlloc(pool)));
    EXPECT_EQ(RecordAlloc(pool), nullptr);
    for (std::size_t i = 1; i < records.size(); ++i)
        EXPECT_EQ(records[i - 1] - records[i], 64);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(records.back()) % 16, 0u);
}

TEST_F(RecordPoolTest, EmptyPoolHandsOutNothing) {
    s_stdrec* pool = RecordCreate(0, 64);
    ASSERT_NE(pool, nullptr);
    EXPECT_EQ(RecordAlloc(pool), nullptr);
}

TEST_F(RecordPoolTest, MostRecentlyFreedRecordIsHandedOutNext) {
    s_stdrec* pool = RecordCreate(4, 32);
    void* a = RecordAlloc(pool);
    void* b = RecordAlloc(pool);
    RecordFree(pool, a);
    RecordFree(pool, b);
    EXPECT_EQ(RecordAlloc(pool), b);
    EXPECT_EQ(RecordAlloc(pool), a);
}

TEST_F(RecordPoolTest, SizesThatOverflowGiveNoPool) {
    u32 bytes = 0;
    EXPECT_FALSE(RecordPoolBytes(0x10000, 0x10000, &bytes));
    EXPECT_EQ(RecordCreate(0x10000, 0x10000), nullptr);
    EXPECT_EQ(RecordCreate(0xFFFFFFFFu, 1), nullptr);
    EXPECT_TRUE(RecordPoolBytes(8, 64, &bytes));
    EXPECT_GE(bytes, 8u * 64u);
}

TEST_F(RecordPoolDeathTest, FreeingARecordTwiceIsFatal) {
    s_stdrec* pool = RecordCreate(4, 32);
    void* a = RecordAlloc(pool);
    RecordFree(pool, a);
    EXPECT_DEATH(RecordFree(pool, a), "Assertion Failure.*\n.*\n.*\n  RecordFree: record .* is not in use");
}

TEST_F(RecordPoolDeathTest, FreeingAForeignPointerIsFatal) {
    s_stdrec* pool = RecordCreate(4, 32);
    u8* a = static_cast<u8*>(RecordAlloc(pool));
    EXPECT_DEATH(RecordFree(pool, a + 1), "is not in use");
    int local = 0;
    EXPECT_DEATH(RecordFree(pool, &local), "is not in use");
}

struct Node : s_linked_list {
    int tag;
};

std::vector<int> Tags(s_linked_list* head) {
    std::vector<int> tags;
    for (s_linked_list* n = head->next; n != nullptr; n = n->next)
        tags.push_back(static_cast<Node*>(n)->tag);
    return tags;
}

TEST(PriorityListTest, EqualPrioritiesGoInFrontOfTheirEquals) {
    s_linked_list head{nullptr, nullptr, 65535};
    Node a{{nullptr, nullptr, 10}, 1};
    Node b{{nullptr, nullptr, 20}, 2};
    Node c{{nullptr, nullptr, 10}, 3};
    for (Node* n : {&a, &b, &c})
        EXPECT_EQ(RecordInsertPriorityList(&head, n), &head);
    EXPECT_EQ(Tags(&head), (std::vector<int>{2, 3, 1}));
    // The back links mirror the forward ones.
    EXPECT_EQ(a.prev, &c);
    EXPECT_EQ(c.prev, &b);
    EXPECT_EQ(b.prev, &head);
}

TEST(PriorityListTest, NodeAboveTheHeadBecomesTheFirstNode) {
    s_linked_list head{nullptr, nullptr, 100};
    Node low{{nullptr, nullptr, 5}, 1};
    RecordInsertPriorityList(&head, &low);
    Node high{{nullptr, nullptr, 200}, 2};
    EXPECT_EQ(RecordInsertPriorityList(&head, &high), &high);
    EXPECT_EQ(high.prev, nullptr);
    EXPECT_EQ(high.next, &head);
    EXPECT_EQ(head.prev, &high);
}

TEST(PriorityListTest, AppendInsertAndRemoveKeepBothDirectionsLinked) {
    s_linked_list head{nullptr, nullptr, 0};
    Node a{{nullptr, nullptr, 0}, 1};
    Node b{{nullptr, nullptr, 0}, 2};
    Node c{{nullptr, nullptr, 0}, 3};
    RecordAppendList(&head, &a);
    RecordAppendList(&head, &b);
    RecordInsertList(&head, &c);
    EXPECT_EQ(Tags(&head), (std::vector<int>{3, 1, 2}));
    RecordRemoveList(&a);
    EXPECT_EQ(Tags(&head), (std::vector<int>{3, 2}));
    EXPECT_EQ(b.prev, &c);
    RecordRemoveList(&b);
    EXPECT_EQ(c.next, nullptr);
}

TEST(PriorityListTest, DefaultCompareIsUnsigned) {
    EXPECT_EQ(DefaultCompare(0x80000000u, 1), 1);
    EXPECT_EQ(DefaultCompare(1, 0x80000000u), -1);
    EXPECT_EQ(DefaultCompare(7, 7), 0);
}

TEST_F(RecordPoolTest, InlinePoolHandsOutExactlyItsCount) {
    CRecord pool;
    EXPECT_EQ(pool.Alloc(), nullptr);
    pool.Create(3, 48);
    EXPECT_EQ(pool.FreeCount(), 3u);
    void* a = pool.Alloc();
    void* b = pool.Alloc();
    void* c = pool.Alloc();
    EXPECT_EQ(pool.Alloc(), nullptr);
    pool.Free(nullptr);
    pool.Free(b);
    EXPECT_EQ(pool.Alloc(), b);
    EXPECT_NE(a, c);
    pool.Destroy();
    EXPECT_EQ(pool.Alloc(), nullptr);
}

TEST_F(RecordPoolDeathTest, InlinePoolCatchesADoubleFree) {
    CRecord pool;
    pool.Create(2, 16);
    void* a = pool.Alloc();
    pool.Free(a);
    EXPECT_DEATH(pool.Free(a), "is not in use");
}

}  // namespace
