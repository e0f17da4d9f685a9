#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "console/gx/efb_control.h"
#include "console/hio2/hio2_control.h"
#include "console/os.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Screenshot.h"
#include "orblib47/source/ScreenshotInternal.h"
#include "tests/support/EngineFixture.h"

namespace {

constexpr HIO2DeviceType kDevice = 0;

constexpr u32 Word(u32 command, u32 chunk) {
    return command << 16 | chunk;
}

constexpr u32 kPing = Word(1, 0);
constexpr u32 kXfb = 2;
constexpr u32 kEfb = 3;
constexpr u32 kSizes = Word(4, 0);

// Flat rectangles whose colours differ in every channel, so swapped channels and
// shifted pixels or rows show.
void DrawPattern() {
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DrawSetConstantZ(-0.5f);
    const std::pair<s_Irect16, u32> rects[] = {{{0, 0, 640, 448}, 0x102030FFu},
                                               {{13, 7, 200, 100}, 0xC08040FFu},
                                               {{300, 200, 211, 240}, 0x4080C0FFu},
                                               {{639, 0, 1, 448}, 0xFF7F01FFu}};
    for (const auto& [rect, color] : rects) {
        DrawSetFlatColor(color);
        DrawFilledIrect(&rect);
    }
}

// Pixels as the host expects them: rows from the top, R, G, B.
std::vector<u8> RgbBytes(const u32* argb, size_t count) {
    std::vector<u8> bytes;
    for (size_t i = 0; i < count; ++i)
        bytes.insert(bytes.end(), {u8(argb[i] >> 16), u8(argb[i] >> 8), u8(argb[i])});
    return bytes;
}

std::vector<u8> HostBytes(u32 size) {
    const auto memory = HostHIO2Memory();
    return {memory.begin(), memory.begin() + size};
}

// A host that sends one more word after the console's first echo.
struct FollowUpHost {
    u32 followUp;
    size_t writesAtEcho = 0;
    bool sent = false;

    static void OnMail(u32, void* context) {
        auto* host = static_cast<FollowUpHost*>(context);
        if (host->sent)
            return;
        host->sent = true;
        host->writesAtEcho = HostHIO2Writes().size();
        HostHIO2PostMail(host->followUp);
    }
};

class ScreenshotTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        for (size_t i = 0; i < xfb_.size(); ++i)
            xfb_[i] = u8(i * 7 + i / 251);
    }

    void Service() { SCREENSHOTService(xfb_.data(), work_.data(), u32(work_.size())); }

    void Connect() {
        HostHIO2Attach(kDevice);
        Service();
        ASSERT_TRUE(HostHIO2IsOpen());
    }

    // The request reaches the console at a poll point; the service answers it.
    void Request(u32 word) {
        HostHIO2PostMail(word);
        OSGetTime();
        Service();
    }

    std::vector<u8> xfb_ = std::vector<u8>(640 * 480 * 2);
    std::array<u8, SCRNSHOT_SHARE_MEMORY_SIZE> work_{};
};

TEST_F(ScreenshotTest, WithoutTheChannelTheServiceReturnsAtOnce) {
    const OSTime before = OSGetTime();
    Service();
    EXPECT_EQ(OSGetTime() - before, HostGetConfig().virtualReadStep);
    EXPECT_FALSE(HostHIO2IsOpen());
}

struct ChunkCase {
    u32 command;
    u32 chunk;
    u16 xfbHeight;
    u32 length;  // bytes sent
    bool more;   // the transfer goes on
};

class ScreenshotChunkTest : public ScreenshotTest, public ::testing::WithParamInterface<ChunkCase> {};

// The data (from offset 0 of the host's memory) comes before the echo; while a
// transfer goes on, the host's next word is answered in the same frame.
TEST_P(ScreenshotChunkTest, SendsWhatLiesInsideThenTheEcho) {
    const ChunkCase& c = GetParam();
    DrawPattern();
    SCREENSHOTSetEFBSize(480, 640);
    SCREENSHOTSetXFBSize(c.xfbHeight, 640);
    Connect();
    FollowUpHost host{kPing};
    HostHIO2SetMailHandler(FollowUpHost::OnMail, &host);
    const u32 word = Word(c.command, c.chunk);
    Request(word);

    EXPECT_EQ(HostHIO2SentMail(), (c.more ? std::vector<u32>{word, kPing} : std::vector<u32>{word}));
    ASSERT_EQ(HostHIO2Writes().size(), c.length == 0 ? 0u : 1u);
    if (c.length == 0)
        return;
    EXPECT_EQ(host.writesAtEcho, 1u);
    EXPECT_EQ(HostHIO2Writes()[0].addr, 0u);
    EXPECT_EQ(HostHIO2Writes()[0].size, c.length);
    std::vector<u8> image = xfb_;
    if (c.command == kEfb) {
        std::vector<u32> efb;
        for (u32 i = 0; i < 640 * 480; ++i)
            efb.push_back(HostEFBColor(i % 640, i / 640));
        image = RgbBytes(efb.data(), efb.size());
    }
    const auto begin = image.begin() + c.chunk * SCRNSHOT_SHARE_MEMORY_SIZE;
    EXPECT_EQ(HostBytes(c.length), std::vector<u8>(begin, begin + c.length));
}

// Chunk numbers at and past the end of each buffer.
INSTANTIATE_TEST_SUITE_P(
    Chunks, ScreenshotChunkTest,
    ::testing::Values(ChunkCase{kEfb, 0, 480, 8192, true}, ChunkCase{kEfb, 111, 480, 8192, true},
                      ChunkCase{kEfb, 112, 480, 4096, false}, ChunkCase{kEfb, 113, 480, 0, false},
                      ChunkCase{kXfb, 74, 480, 8192, false}, ChunkCase{kXfb, 75, 480, 0, false},
                      ChunkCase{kXfb, 0xFFFF, 480, 0, false}, ChunkCase{kXfb, 14, 100, 8192, true},
                      ChunkCase{kXfb, 15, 100, 5120, false}, ChunkCase{kXfb, 16, 100, 0, false}));

// EFB width, height, XFB width, height, big-endian: the engine's, then set ones.
TEST_F(ScreenshotTest, AnswersTheSizesBigEndian) {
    Connect();
    Request(kSizes);
    ASSERT_EQ(HostHIO2Writes().size(), 1u);
    EXPECT_EQ(HostHIO2Writes()[0].size, 32u);
    EXPECT_EQ(HostBytes(8), (std::vector<u8>{0x02, 0x80, 0x01, 0xC0, 0x02, 0x80, 0x01, 0xC0}));
    SCREENSHOTSetEFBSize(264, 320);
    SCREENSHOTSetXFBSize(528, 608);
    Request(kSizes);
    EXPECT_EQ(HostBytes(8), (std::vector<u8>{0x01, 0x40, 0x01, 0x08, 0x02, 0x60, 0x02, 0x10}));
    EXPECT_EQ(HostHIO2SentMail(), (std::vector<u32>{kSizes, kSizes}));
}

TEST_F(ScreenshotTest, APingIsEchoedAndEndsServingForTheFrame) {
    Connect();
    FollowUpHost host{kPing};
    HostHIO2SetMailHandler(FollowUpHost::OnMail, &host);
    const OSTime before = OSGetTime();
    Request(kPing);
    EXPECT_LT(OSGetTime() - before, kNextRequestWait);
    EXPECT_EQ(HostHIO2SentMail(), std::vector<u32>{kPing});
    OSGetTime();
    Service();
    EXPECT_EQ(HostHIO2SentMail(), (std::vector<u32>{kPing, kPing}));
    Request(Word(9, 0));  // unknown: not answered
    EXPECT_EQ(HostHIO2SentMail().size(), 2u);
    EXPECT_TRUE(HostHIO2Writes().empty());
}

TEST_F(ScreenshotTest, AHostSilentInTheMiddleOfATransferHoldsTheFrameOnlyBriefly) {
    Connect();
    const OSTime before = OSGetTime();
    Request(Word(kEfb, 0));
    const OSTime waited = OSGetTime() - before;
    EXPECT_GE(waited, kNextRequestWait);
    EXPECT_LT(waited, 2 * kNextRequestWait);
}

TEST_F(ScreenshotTest, AHostThatKeepsAskingIsServedABoundedShareEachFrame) {
    Connect();
    HostHIO2SetMailHandler([](u32 mail, void*) { HostHIO2PostMail(mail); }, nullptr);
    Request(Word(kXfb, 0));
    EXPECT_EQ(HostHIO2SentMail().size(), kRequestsPerFrame);
    OSGetTime();
    Service();
    EXPECT_EQ(HostHIO2SentMail().size(), 2 * kRequestsPerFrame);
}

// A write is tried a bounded number of times; then the connection is dropped and
// made again at the next frame.
TEST_F(ScreenshotTest, WritesAreRetriedABoundedNumberOfTimes) {
    Connect();
    HostHIO2FailWrites(kWriteAttempts - 1);
    Request(Word(kEfb, 112));
    EXPECT_TRUE(HostHIO2IsOpen());
    EXPECT_EQ(HostHIO2SentMail().size(), 1u);
    EXPECT_FALSE(report().contains("connection dropped"));

    HostHIO2FailWrites(kWriteAttempts);
    Request(Word(kEfb, 112));
    EXPECT_FALSE(HostHIO2IsOpen());
    EXPECT_EQ(HostHIO2SentMail().size(), 1u);
    EXPECT_TRUE(report().contains("SCREENSHOT: host not answering, connection dropped\n"));

    HostHIO2FailWrites(0);
    Service();
    EXPECT_TRUE(HostHIO2IsOpen());
    Request(kPing);
    EXPECT_EQ(HostHIO2SentMail().back(), kPing);
}

TEST_F(ScreenshotTest, AHostThatLeavesIsFoundAgainWhenItComesBack) {
    Connect();
    HostHIO2Detach();
    Request(kPing);
    EXPECT_TRUE(HostHIO2SentMail().empty());
    Connect();
    Request(kPing);
    EXPECT_EQ(HostHIO2SentMail(), std::vector<u32>{kPing});
}

// Asks for the chunks of the EFB back to back and keeps what it is sent.
struct PullingHost {
    u32 chunks;
    std::vector<u8> received;

    static void OnMail(u32 mail, void* context) {
        auto* host = static_cast<PullingHost*>(context);
        const std::vector<u8> chunk = HostBytes(HostHIO2Writes().back().size);
        host->received.insert(host->received.end(), chunk.begin(), chunk.end());
        if ((mail & 0xFFFF) + 1 < host->chunks)
            HostHIO2PostMail(mail + 1);
    }
};

TEST_F(ScreenshotTest, AWholeTransferInOneFrameIsThePictureTheDisplayCopySaw) {
    ThreadInsertPriorityDebug(
        "Pattern", nullptr, nullptr, [](s_thread*, void*) { DrawPattern(); }, nullptr, 5000);
    HostEFBRecordCopies();
    HostHIO2Attach(kDevice);
    EventWait(1);
    PullingHost host{640 * 448 * 3 / SCRNSHOT_SHARE_MEMORY_SIZE, {}};
    HostHIO2SetMailHandler(PullingHost::OnMail, &host);
    HostHIO2PostMail(Word(kEfb, 0));
    EventWait(1);

    const HostEFBImage copy = HostEFBLastCopy();
    ASSERT_EQ(copy.width * copy.height, 640u * 448u);
    const std::vector<u8> picture = RgbBytes(copy.pixels, size_t(copy.width) * copy.height);
    ASSERT_EQ(host.received.size(), picture.size());
    const auto difference = std::mismatch(picture.begin(), picture.end(), host.received.begin());
    EXPECT_EQ(difference.first, picture.end())
        << "first difference at byte " << difference.first - picture.begin();
    EXPECT_EQ(HostHIO2SentMail().size(), host.chunks);
}

using ScreenshotDeathTest = EngineDeathFixture;

TEST_F(ScreenshotDeathTest, AWorkingBufferSmallerThanAChunkIsFatal) {
    std::array<u8, SCRNSHOT_SHARE_MEMORY_SIZE> work{};
    EXPECT_DEATH(SCREENSHOTService(nullptr, work.data(), SCRNSHOT_SHARE_MEMORY_SIZE - 1),
                 "SCREENSHOTService: Argument workingBufferSize must be >= SCRNSHOT_SHARE_MEMORY_SIZE");
}

}  // namespace
