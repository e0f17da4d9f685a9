#include "console/hio2.h"

#include <gtest/gtest.h>

#include <array>

#include "console/hio2/hio2_control.h"
#include "console/os.h"
#include "support.h"

namespace {

constexpr HIO2DeviceType kDevice = 1;

s32 gReceived = 0;
s32 gDisconnected = 0;

void OnReceive(HIO2Handle) {
    ++gReceived;
}

void OnDisconnect(HIO2Handle) {
    ++gDisconnected;
}

HIO2DeviceType gFound = HIO2_DEVICE_INVALID;

BOOL Found(HIO2DeviceType type) {
    gFound = type;
    return TRUE;
}

class HIO2Test : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        gReceived = gDisconnected = 0;
        gFound = HIO2_DEVICE_INVALID;
    }

    static HIO2Handle Open() {
        HostHIO2Attach(kDevice);
        EXPECT_TRUE(HIO2Init());
        return HIO2Open(kDevice, OnReceive, OnDisconnect);
    }
};

TEST_F(HIO2Test, WithoutAHostThereIsNoChannel) {
    EXPECT_FALSE(HIO2Init());
    EXPECT_FALSE(HIO2EnumDevices(Found));
    EXPECT_EQ(HIO2Open(kDevice, OnReceive, OnDisconnect), HIO2_HANDLE_INVALID);
    u32 mail = 0;
    EXPECT_FALSE(HIO2ReadMailbox(0, &mail));
}

TEST_F(HIO2Test, AnAttachedHostIsFoundAndOpensOnce) {
    HostHIO2Attach(kDevice);
    ASSERT_TRUE(HIO2Init());
    EXPECT_TRUE(HIO2EnumDevices(Found));
    EXPECT_EQ(gFound, kDevice);
    EXPECT_EQ(HIO2Open(kDevice + 1, OnReceive, OnDisconnect), HIO2_HANDLE_INVALID);
    const HIO2Handle handle = HIO2Open(kDevice, OnReceive, OnDisconnect);
    ASSERT_NE(handle, HIO2_HANDLE_INVALID);
    EXPECT_EQ(HIO2Open(kDevice, OnReceive, OnDisconnect), HIO2_HANDLE_INVALID);
    EXPECT_TRUE(HIO2Close(handle));
    EXPECT_FALSE(HostHIO2IsOpen());
}

TEST_F(HIO2Test, PostedMailArrivesAtTheNextPollPoint) {
    const HIO2Handle handle = Open();
    HostHIO2PostMail(0x00010000u);
    EXPECT_EQ(gReceived, 0);
    OSGetTime();
    EXPECT_EQ(gReceived, 1);
    u32 mail = 0;
    EXPECT_TRUE(HIO2ReadMailbox(handle, &mail));
    EXPECT_EQ(mail, 0x00010000u);
}

TEST_F(HIO2Test, WritesReachTheHostUnlessBusyOrOutsideItsMemory) {
    const HIO2Handle handle = Open();
    const std::array<u8, 4> data = {1, 2, 3, 4};
    HostHIO2FailWrites(2);
    EXPECT_FALSE(HIO2Write(handle, 8, data.data(), 4));
    EXPECT_FALSE(HIO2WriteMailbox(handle, 5));
    EXPECT_TRUE(HIO2Write(handle, 8, data.data(), 4));
    EXPECT_TRUE(HIO2WriteMailbox(handle, 5));
    EXPECT_FALSE(HIO2Write(handle, kHostHIO2MemorySize - 2, data.data(), 4));
    EXPECT_FALSE(HIO2Write(handle, 0, data.data(), -1));

    ASSERT_EQ(HostHIO2Writes().size(), 1u);
    EXPECT_EQ(HostHIO2Writes()[0].addr, 8u);
    EXPECT_EQ(HostHIO2Writes()[0].size, 4u);
    EXPECT_EQ(HostHIO2Memory()[8], 1);
    EXPECT_EQ(HostHIO2Memory()[11], 4);
    EXPECT_EQ(HostHIO2SentMail(), std::vector<u32>{5});
}

TEST_F(HIO2Test, DetachingClosesTheChannelWithACallbackAtTheNextPollPoint) {
    const HIO2Handle handle = Open();
    HostHIO2Detach();
    EXPECT_EQ(gDisconnected, 0);
    EXPECT_FALSE(HIO2WriteMailbox(handle, 1));
    OSGetTime();
    EXPECT_EQ(gDisconnected, 1);
    EXPECT_EQ(HIO2Open(kDevice, OnReceive, OnDisconnect), HIO2_HANDLE_INVALID);

    HostHIO2Attach(kDevice);
    EXPECT_NE(HIO2Open(kDevice, OnReceive, OnDisconnect), HIO2_HANDLE_INVALID);
}

}  // namespace
