#include <gtest/gtest.h>

#include "orblib47/source/DebugMemory.h"
#include "tests/support/EngineFixture.h"

namespace {

using DebugMemoryTest = EngineFixture;
using DebugMemoryDeathTest = EngineDeathFixture;

// One list's life: a full list refuses, a freed slot is reused after the slots
// that never held a pointer, and reusing it loses that slot's history.
TEST_F(DebugMemoryTest, TracksEachPointerOnce) {
    s_debug_memory* mem = DebugMemoryInit(2, "Tracked");
    ASSERT_NE(mem, nullptr);
    int a = 0, b = 0, c = 0;
    EXPECT_EQ(DebugMemoryAddPtr(mem, &a), 1);
    EXPECT_EQ(DebugMemoryAddPtr(mem, &b), 1);
    EXPECT_EQ(DebugMemoryAddPtr(mem, &c), 0);
    EXPECT_TRUE(report().contains("DEBUG_MEMORY list FULL!\n"));
    EXPECT_EQ(DebugMemoryRemovePtr(mem, &a, "Here.cpp", 7), 1);
    EXPECT_EQ(DebugMemoryRemovePtr(mem, &c, "Here.cpp", 8), 0);  // never added: silent
    EXPECT_EQ(DebugMemoryAddPtr(mem, &c), 1);                    // takes a's slot, forgetting a
    EXPECT_EQ(mem->pointer[0], &c);
    EXPECT_EQ(DebugMemoryRemovePtr(mem, &a, "Here.cpp", 9), 0);
    EXPECT_EQ(mem->currentNumPtr, 2);
    DebugMemoryFree(mem);
    EXPECT_TRUE(
        report().contains("Freeing DEBUG_MEMORY but there's still 2 pointers in it\n"
                          "DEBUG_MEMORY was Tracked\n"));
}

TEST_F(DebugMemoryDeathTest, RefusesBadUse) {
    EXPECT_DEATH(DebugMemoryInit(0, "None"), "DebugMemoryInit: Invalid number of pointers\n");
    s_debug_memory* mem = DebugMemoryInit(2, "Two");
    int a = 0;
    EXPECT_DEATH(DebugMemoryAddPtr(mem, nullptr), "DebugMemoryAddPtr: NULL pointer\n");
    EXPECT_DEATH(DebugMemoryAddPtr(nullptr, &a), "DebugMemoryAddPtr: NULL mem pointer\n");
    DebugMemoryAddPtr(mem, &a);
    EXPECT_DEATH(DebugMemoryAddPtr(mem, &a), "ptr has already been added\n");
    DebugMemoryRemovePtr(mem, &a, "First.cpp", 12);
    EXPECT_DEATH(DebugMemoryRemovePtr(mem, &a, "Second.cpp", 34),
                 "Previously freed by First.cpp - 12\n(.|\n)*Removed a pointer more than once\n");
    DebugMemoryFree(mem);
}

}  // namespace
