#include <gtest/gtest.h>

#include "orblib47/source/Debug.h"
#include "tests/support/EngineFixture.h"

namespace {

using DebugOutputTest = EngineFixture;
using DebugOutputDeathTest = EngineDeathFixture;

TEST_F(DebugOutputTest, PrintsFormattedTextInOrder) {
    DEBUG_PRINT("value %d name %s\n", 5, "x");
    DEBUG_PRINT("next\n");
    EXPECT_TRUE(report().contains("value 5 name x\nnext\n"));
}

TEST_F(DebugOutputTest, SoftAssertAndWarningsCarryOn) {
    report_->clear();
    SoftAssert("what kinda button did we hit!? we shouldnt get here.", __FILE_NAME__, __LINE__);
    EXPECT_EQ(report().text(), "");
    DebugAssertWarn("table", "Data.cpp", 42, "DataAdd: id %d out of range\n", 9);
    EXPECT_EQ(report().text(),
              "Assertion Failure: \"table\"\n  File: Data.cpp\n  Line: 42\n  DataAdd: id 9 out of range\n");
}

TEST_F(DebugOutputDeathTest, FatalAssertionPrintsHeaderAndMessageThenStops) {
    EXPECT_DEATH(
        DebugAssertFail("HeapStackDepth < MAX_HEAP_STACK_DEPTH", "Heap.cpp", 768,
                        "HeapPush: Stack Overflow!\n"),
        "Assertion Failure: \"HeapStackDepth < MAX_HEAP_STACK_DEPTH\"\n  File: Heap.cpp\n  Line: 768\n  "
        "HeapPush: Stack Overflow!\n");
}

TEST_F(DebugOutputDeathTest, FatalErrorEndsWithStatusOne) {
    EXPECT_EXIT(DEBUG_ERROR("Unable to allocate Memory!\n"), ::testing::ExitedWithCode(1),
                "Unable to allocate Memory!");
}

}  // namespace
