#include <gtest/gtest.h>

#include <string>

#include "HostSide.h"

using namespace OvEmulatorTest;

TEST(EmulatedDdc, GetVcpRepliesWithValueMaximumAndChecksum)
{
    HostSide host;
    EXPECT_EQ(HostPacket({0x01, 0x10}), (Bytes{0x51, 0x82, 0x01, 0x10, 0xAC}));
    const Bytes reply = host.Exchange({0x01, 0x10}, 8);
    EXPECT_EQ(reply, kBrightnessReply);
    EXPECT_TRUE(ReplyChecksumHolds(reply));
    EXPECT_EQ(host.Read(0x6F, 11), NullReply(11));  // consumed

    const Bytes unsupported = host.Exchange({0x01, 0x99}, 8);
    EXPECT_EQ(Bytes(unsupported.begin(), unsupported.end() - 1), (Bytes{0x6E, 0x88, 0x02, 0x01, 0x99, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(ReplyChecksumHolds(unsupported));
}

TEST(EmulatedDdc, SetVcpAndSaveChangeTheDisplay)
{
    HostSide host;
    EXPECT_EQ(host.Send({0x03, 0x10, 0x00, 0x21}), 0);
    EXPECT_EQ(host.Read(0x6F, 11), NullReply(11));
    EXPECT_EQ(host.display->Vcps().Find(0x10)->current, 0x21);
    host.Send({0x03, 0x10, 0x01, 0x00});  // above the maximum of 100
    EXPECT_EQ(host.display->Vcps().Find(0x10)->current, 100);
    host.Send({0x03, 0x99, 0x00, 0x01});
    EXPECT_EQ(host.display->Vcps().Find(0x99), nullptr);

    EXPECT_EQ(host.display->Controller().SaveCount(), 0);
    host.Send({0x0C});
    EXPECT_EQ(host.display->Controller().SaveCount(), 1);
    EXPECT_EQ(host.display->Controller().SavedVcps().Find(0x10)->current, 100);
}

TEST(EmulatedDdc, PagedReadAndWriteReplyWithTheState)
{
    HostSide host;
    EXPECT_EQ(host.Exchange({0xC6, 0x10, 0x54}, 9),
              (Bytes{0x6E, 0x89, 0xC7, 0x00, 0x10, 0x54, 0x00, 0x01, 0xF4, 0x00, 0x00, 0xC1}));
    const Bytes written = host.Exchange({0xC8, 0x10, 0x54, 0x00, 0x7B}, 9);
    EXPECT_EQ(Bytes(written.begin() + 2, written.end() - 1),
              (Bytes{0xC7, 0x00, 0x10, 0x54, 0x00, 0x01, 0xF4, 0x00, 0x7B}));
    EXPECT_TRUE(ReplyChecksumHolds(written));
    const Bytes unsupported = host.Exchange({0xC8, 0x10, 0x99, 0x00, 0x01}, 9);
    EXPECT_EQ(Bytes(unsupported.begin() + 2, unsupported.end() - 1), (Bytes{0xC7, 0x01, 0x10, 0x99, 0, 0, 0, 0, 0}));

    host.display->Vcps().Find(0x1054)->behaviour = OvEmulator::WriteBehaviour::kNeverSticks;
    EXPECT_EQ(host.Exchange({0xC8, 0x10, 0x54, 0x00, 0x05}, 9)[10], 0x7B);
    host.display->Vcps().Find(0x1054)->behaviour = OvEmulator::WriteBehaviour::kReadBackDiffers;
    EXPECT_EQ(host.Exchange({0xC8, 0x10, 0x54, 0x00, 0x05}, 9)[10], 0x06);
    EXPECT_EQ(host.Exchange({0xC6, 0x10, 0x54}, 9)[10], 0x06);
}

TEST(EmulatedDdc, CapabilityStringComesIn32ByteChunksEndedByAnEmptyOne)
{
    HostSide host;
    // What the string says is checked through zezctl's capability view.
    const std::string expected = host.display->Model().CapabilityString();

    std::string text;
    for (int chunk = 0;; ++chunk) {
        const uint8_t hi = static_cast<uint8_t>(text.size() >> 8), lo = static_cast<uint8_t>(text.size());
        const Bytes reply = host.Exchange({0xF3, hi, lo}, 35);
        ASSERT_TRUE(ReplyChecksumHolds(reply));
        ASSERT_EQ(Bytes(reply.begin(), reply.begin() + 5), (Bytes{0x6E, reply[1], 0xE3, hi, lo}));
        const size_t data = (reply[1] & 0x7F) - 3u;
        EXPECT_EQ(data, std::min<size_t>(32, expected.size() - text.size())) << "chunk " << chunk;
        if (data == 0) break;
        text.append(reply.begin() + 5, reply.begin() + 5 + static_cast<long>(data));
    }
    EXPECT_EQ(text, expected);
    EXPECT_EQ(host.Exchange({0xF3, 0x7F, 0xFF}, 35)[1], 0x83);  // far beyond the end
}

TEST(EmulatedDdc, ReplyIsReadableOnlyAfterTheMinimumDelay)
{
    HostSide host;
    EXPECT_EQ(host.display->MinimumReplyDelay(), 40u);
    EXPECT_EQ(host.Read(0x6F, 3), kNullReply);  // nothing asked yet
    host.Send({0x01, 0x12});
    host.clock.Advance(39);
    EXPECT_EQ(host.Read(0x6F, 11), NullReply(11));
    host.clock.Advance(1);
    EXPECT_EQ(host.Read(0x6F, 11)[2], 0x02);  // still pending after the early read

    host.display->SetMinimumReplyDelay(0);
    host.Send({0x01, 0x12});
    EXPECT_EQ(host.Read(0x6F, 11)[2], 0x02);
}

TEST(EmulatedDdc, DropsHostPacketsARealDisplayWouldIgnore)
{
    HostSide host;
    host.display->SetMinimumReplyDelay(0);
    const Bytes good = HostPacket({0x01, 0x10});
    // A bad checksum, a wrong source, a short length.
    for (const auto& [at, byte] : {std::pair<size_t, int>{4, good[4] ^ 1}, {0, 0x50}, {1, 0x81}}) {
        Bytes packet = good;
        packet[at] = static_cast<uint8_t>(byte);
        EXPECT_EQ(host.Write(0x6E, packet), 0);  // acknowledged on the wire all the same
        EXPECT_EQ(host.Read(0x6F, 11), NullReply(11));
    }
    EXPECT_EQ(host.display->Traffic().Stats().ignoredPackets, 3u);
}

TEST(EmulatedDdc, GammaTableAndLutMessagesReachTheirMemories)
{
    HostSide host("PA322UHD");
    host.display->SetMinimumReplyDelay(0);
    host.Send({0xC2, 0x05, 0x01, 0x00, 0x12, 0x34, 0x03, 0xFF});
    EXPECT_EQ(host.Exchange({0xC2, 0x04, 0x01, 0x00, 0x02}, 6),
              (Bytes{0x6E, 0x86, 0xC3, 0x04, 0x12, 0x34, 0x03, 0xFF, 0xA5}));
    host.display->Controller().GammaTable().SetReadBackDiffers(1);
    EXPECT_EQ(host.Exchange({0xC2, 0x0A, 0x01, 0x00, 0x01}, 4)[5], 0x35);
    EXPECT_EQ(host.Exchange({0xC2, 0x0A, 0x01, 0x00, 0x01}, 4)[5], 0x34) << "only the first read-back differs";
    host.Send({0xC2, 0x06});
    host.Send({0xC2, 0x07});
    EXPECT_EQ(host.display->Controller().GammaTable().AppliedCount(), 1);
    EXPECT_EQ(host.display->Controller().GammaTable().StoredCount(), 1);

    // Two points from grid coordinate (16, 0, 0) of the 17-point LUT: into RAM, then saved.
    const Bytes ack = host.Exchange({0xC2, 0x2F, 16, 0, 0, 0, 1, 0, 2, 0, 3, 0x03, 0xFC, 0, 0, 0, 0}, 5);
    EXPECT_EQ(Bytes(ack.begin() + 2, ack.begin() + 7), (Bytes{0xC3, 0x2F, 16, 0, 0}));
    const OvEmulator::LutMemory& lut = host.display->Controller().Lut();
    EXPECT_EQ(lut.Ram()[16], (OvEmulator::LutPoint{1, 2, 3}));
    EXPECT_EQ(lut.Ram()[17], (OvEmulator::LutPoint{1020, 0, 0}));
    EXPECT_EQ(lut.Table()[16], (OvEmulator::LutPoint{0, 0, 0}));
    host.Send({0xC8, 0x11, 0x07, 0x00, 0x01});
    EXPECT_EQ(lut.Table()[17], (OvEmulator::LutPoint{1020, 0, 0}));
    const Bytes offGrid = {0xC2, 0x25, 16, 16, 16, 0, 1, 0, 1, 0, 1, 0, 2, 0, 2, 0, 2};
    EXPECT_EQ(host.Exchange(offGrid, 5)[1], 0x80);

    Bytes name = {0xC2, 0x27, 0x02};
    for (char c : std::string("Custom3DLUT  ")) name.push_back(static_cast<uint8_t>(c));
    const Bytes named = host.Exchange(name, 3);
    EXPECT_EQ(Bytes(named.begin() + 2, named.begin() + 5), (Bytes{0xC3, 0x27, 0x02}));
    EXPECT_EQ(lut.Name(2), "Custom3DLUT  ");
}

TEST(EmulatedDdc, ColourConversionRunsForSomeReadsAfterATrigger)
{
    HostSide host;
    host.display->SetMinimumReplyDelay(0);
    const Bytes status = {0xC6, 0x10, 0x97};
    EXPECT_EQ(host.Exchange(status, 9)[10], 0);
    host.Send({0xC8, 0x10, 0x67, 0x00, 0x01});
    for (uint8_t converting : {1, 1, 0}) EXPECT_EQ(host.Exchange(status, 9)[10], converting);
    EXPECT_EQ(HostSide("PA311D").Exchange(status, 9)[3], 0x01);  // unsupported
}
