// The Wii Remote input layer on scripted remotes: the conversion into pad
// slots, the read classification and the direct queries.
#include <gtest/gtest.h>

#include "console/input/input_control.h"
#include "console/vi.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/Cont.h"
#include "tests/support/EngineFixture.h"

namespace {

class ContTest : public EngineFixture {
protected:
    // Installs the script and reads the remotes of the next retrace.
    void ReadNext(const std::string& script) {
        std::string error;
        ASSERT_TRUE(HostInputSetScript(script, &error)) << error;
        Next();
    }
    void Next() {
        VIWaitForRetrace();
        ContRead();
    }
    e_cont_type Convert(s32 channel = 0) { return ContGetReadData(channel, &word, analog, types); }

    u32 word = 0;
    s32 analog[CONT_SLOTS] = {};
    s8 types[CONT_SLOTS] = {};
};

TEST_F(ContTest, EachButtonFillsItsPadSlot) {
    const struct {
        const char* button;
        s32 slot;
    } table[] = {{"left", 0}, {"right", 1}, {"up", 2}, {"down", 3},  {"1", 8},      {"z", 10},   {"c", 11},
                 {"b", 12},   {"a", 13},    {"2", 18}, {"plus", 20}, {"minus", 21}, {"home", 22}};
    for (const auto& row : table) {
        ReadNext(std::string("0 0 connect\n0 0 nunchuk on\n0 0 button ") + row.button + " down\n");
        ASSERT_EQ(Convert(), CONT_TYPE_PAD);
        EXPECT_EQ(word, 1u << row.slot) << row.button;
        EXPECT_EQ(analog[row.slot], 128) << row.button;
        EXPECT_EQ(types[row.slot], 1);
    }
    EXPECT_EQ(types[4], 2) << "the stick's slots are axes";
}

TEST_F(ContTest, StickSaturatesAtHalfDeflectionAndSetsItsBitAboveSixty) {
    const struct {
        float x;
        s32 right;
        s32 left;
        bool bit;
    } table[] = {{0.2f, 51, -51, false}, {0.3f, 76, -76, true}, {0.9f, 128, -128, true}};
    for (const auto& row : table) {
        ReadNext("0 0 connect\n0 0 nunchuk on\n0 0 stick " + std::to_string(row.x) + " 0\n");
        Convert();
        EXPECT_EQ(analog[5], row.right) << row.x;
        EXPECT_EQ(analog[4], row.left) << row.x;
        EXPECT_EQ(word, row.bit ? 0x20u : 0u) << row.x;
    }
}

TEST_F(ContTest, ProbeAndSampleCodesDecideWhatAChannelDelivers) {
    const char* remote =
        "0 0 connect\n0 0 nunchuk on\n0 0 button a down\n0 0 button c down\n0 0 stick 0.5 0\n"
        "0 0 pointer 0 0\n0 0 acc 0.5 1 0\n";
    ReadNext(std::string(remote) + "0 0 probe -2\n");
    EXPECT_EQ(Convert(), CONT_TYPE_PAD);
    EXPECT_EQ(word, 0u) << "probe -2: present, nothing pressed";
    EXPECT_EQ(analog[5], 0);

    ReadNext(std::string(remote) + "0 0 error -7\n");
    Convert();
    EXPECT_EQ(word, 0x2000u) << "-7: the remote's own buttons only";
    EXPECT_EQ(Pads[0][0].ex_status.fs.stick.x, 0.0f);

    ReadNext(std::string(remote) + "0 0 error -4\n");
    Convert();
    EXPECT_EQ(word, 0x2000u | 0x0800u) << "-4: the buttons only";
    float acc[3];
    ASSERT_EQ(ContGetPointerAcc(0, acc), 1);
    EXPECT_EQ(acc[0], 0.0f);
    s_Vector2 pos;
    EXPECT_EQ(ContGetPointerPos(0, &pos), 0);

    ReadNext("0 0 disconnect\n");
    EXPECT_EQ(Convert(), CONT_TYPE_NONE);
    EXPECT_EQ(ContGetPointerAcc(0, acc), 0);
    u32 type;
    s32 result;
    ContGetStatus(0, &type, &result);
    EXPECT_EQ(result, WPAD_ERR_NO_CONTROLLER);

    PadDisabled = 1;
    EXPECT_EQ(Convert(), CONT_TYPE_PAD) << "disabled: present and empty";
    ContColdReset();
    ReadNext("0 0 connect\n0 0 button a down\n");
    Convert();
    EXPECT_EQ(word, 0x2000u) << "a cold reset enables the pads again";
}

TEST_F(ContTest, RemotesAreReadAtMostOncePerRetrace) {
    ReadNext("0 0 connect\n0 0 button a down\n");
    Pads[0][0].hold = 0;
    ContRead();
    EXPECT_EQ(Pads[0][0].hold, 0u) << "the same retrace: not read again";
    Next();
    EXPECT_EQ(Pads[0][0].hold, WPAD_BUTTON_A);
}

TEST_F(ContTest, PointerScalesWithTheScreenOnEachAxis) {
    DrawContext.screenSize = {640, 480};
    ReadNext("0 0 connect\n0 0 pointer 0.5 -0.5\n");
    ReadNext("0 0 connect\n0 0 pointer 0.75 -0.25\n");
    s_Vector2 pos;
    ASSERT_EQ(ContGetPointerPos(0, &pos), 1);
    EXPECT_FLOAT_EQ(pos.x, 560.0f);
    EXPECT_FLOAT_EQ(pos.y, 180.0f);
    s_Vector2 delta;
    ASSERT_EQ(ContGetPointerDelta(0, &delta), 1);
    // The motion in the same pixels: from (480, 120) to (560, 180).
    EXPECT_FLOAT_EQ(delta.x, 80.0f);
    EXPECT_FLOAT_EQ(delta.y, 60.0f);
    EXPECT_EQ(ContEnabledPointer(0, 0), 1);
    Next();
    EXPECT_EQ(ContGetPointerPos(0, &pos), 0);
    EXPECT_EQ(ContEnabledPointer(4, 1), 0);
}

TEST_F(ContTest, TiltRollStaysInOneTurnAndNeedsNoPointer) {
    const char* accs[] = {"0 0 1", "0 1 0", "1 0 0", "-1 0 0", "0.3 -1 0", "-0.01 -1 0"};
    for (const char* acc : accs) {
        ReadNext(std::string("0 0 connect\n0 0 acc ") + acc + "\n");
        float roll = -1.0f;
        ASSERT_EQ(ContGetTiltRoll(0, &roll), 1);
        EXPECT_GE(roll, 0.0f) << acc;
        EXPECT_LE(roll, 6.283203125f) << acc;
    }
    ReadNext("0 0 connect\n0 0 acc 0 0 1\n");
    float roll;
    ContGetTiltRoll(0, &roll);
    EXPECT_EQ(roll, 1.57080078125f);
}

TEST_F(ContTest, AScriptedSwingReachesTheLaneControllerAsAcceleration) {
    ReadNext("0 0 connect\n");
    const u32 start = VIGetRetraceCount() + 1;
    ReadNext("0 0 connect\n" + std::to_string(start) + " 0 swing 3 2\n");
    float z[4];
    for (float& value : z) {
        float acc[3];
        ASSERT_EQ(ContGetPointerAcc(0, acc), 1);
        value = acc[2];
        Next();
    }
    EXPECT_NEAR(z[0], 1.0f, 1e-6);
    EXPECT_NEAR(z[1], 2.0f, 1e-6);
    EXPECT_NEAR(z[2], 1.0f, 1e-6);
    EXPECT_NEAR(z[3], 0.0f, 1e-6);
}

TEST_F(ContTest, SensitivityAndRumbleNeedAValidChannel) {
    EXPECT_EQ(ContSetAccSensitivity(0, 0.1f, 0.9f), 0);
    PadSetVibe(0, 1, 0);
    EXPECT_TRUE(HostMotorLog().empty());
    ReadNext("0 0 connect\n");
    EXPECT_EQ(ContSetAccSensitivity(0, 0.1f, 2.0f), 1);
    PadSetVibe(0, 1, 0);
    ASSERT_EQ(HostMotorLog().size(), 1u);
    EXPECT_TRUE(HostMotorLog()[0].on);
}

TEST_F(ContTest, RemoteLibraryAllocatesFromTheExtraHeap) {
    WPADAlloc alloc;
    WPADFree free;
    HostWPADGetAllocator(&alloc, &free);
    const u32 before = HeapAvail(&ExtraHeap);
    void* block = alloc(256);
    EXPECT_LT(HeapAvail(&ExtraHeap), before);
    EXPECT_EQ(free(block), 1);
    EXPECT_EQ(HeapAvail(&ExtraHeap), before);
    EXPECT_EQ(CurrentHeap, &MainHeap);
}

}  // namespace
