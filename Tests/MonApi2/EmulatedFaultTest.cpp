#include <gtest/gtest.h>

#include "HostSide.h"

using namespace OvEmulatorTest;
using OvEmulator::FaultKind;
using OvEmulator::RequestKind;

namespace {

const Bytes kGetBrightness = {0x01, 0x10};

}  // namespace

TEST(EmulatedFaults, I2CErrorsFailTheTransactionForTheirRequestKind)
{
    HostSide host;
    host.display->AddFault({FaultKind::kWriteError, RequestKind::kGetVcp, 2});
    host.display->AddFault({FaultKind::kReadError, RequestKind::kPagedRead, OvEmulator::kAlways, 1, -7});
    EXPECT_EQ(host.Send(kGetBrightness), -5);
    EXPECT_EQ(host.Send({0x03, 0x12, 0x00, 0x01}), 0);  // another kind passes
    EXPECT_EQ(host.Send(kGetBrightness), -5);
    EXPECT_EQ(host.Exchange(kGetBrightness, 8), kBrightnessReply);  // the error was used up

    int32_t result = 0;
    host.Exchange({0xC6, 0x00, 0x10}, 9);  // the skipped first read
    host.Send({0xC6, 0x00, 0x10});
    host.clock.Advance(50);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(host.Read(0x6F, 12, &result), Bytes(12, 0));
        EXPECT_EQ(result, -7);
    }
    host.display->Faults().Clear();
    EXPECT_EQ(host.Read(0x6F, 12)[2], 0xC7);  // the reply waited behind the errors

    host.display->AddFault({FaultKind::kReadError, RequestKind::kEdid});
    host.Write(0xA0, {0x00});
    host.Read(0xA1, 128, &result);
    EXPECT_EQ(result, -5);
    EXPECT_EQ(host.Read(0xA1, 8), (Bytes{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}));
}

TEST(EmulatedFaults, ReplyFaultsSpoilOneReplyEach)
{
    const std::pair<FaultKind, Bytes> cases[] = {
        {FaultKind::kBadChecksum, {0x6E, 0x88, 0x02, 0x00, 0x10, 0x00, 0x00, 0x64, 0x00, 0x46, 0x79}},
        {FaultKind::kWrongSource, {0x6F, 0x88, 0x02, 0x00, 0x10, 0x00, 0x00, 0x64, 0x00, 0x46, 0x87}},
        {FaultKind::kWrongOpcode, {0x6E, 0x88, 0x03, 0x00, 0x10, 0x00, 0x00, 0x64, 0x00, 0x46, 0x87}},
        {FaultKind::kWrongEcho, {0x6E, 0x88, 0x02, 0x00, 0x11, 0x00, 0x00, 0x64, 0x00, 0x46, 0x87}},
        {FaultKind::kWrongLength, {0x6E, 0x87, 0x02, 0x00, 0x10, 0x00, 0x00, 0x64, 0x00, 0xCF, 0x00}},
        {FaultKind::kLongerThanAsked, {0x6E, 0x89, 0x02, 0x00, 0x10, 0x00, 0x00, 0x64, 0x00, 0x46, 0x00}},
        {FaultKind::kEmptyReply, NullReply(11)},
    };
    for (const auto& [kind, delivered] : cases) {
        SCOPED_TRACE(static_cast<int>(kind));
        HostSide host;
        host.display->AddFault({kind, RequestKind::kGetVcp});
        EXPECT_EQ(host.Exchange(kGetBrightness, 8), delivered);
        const Bytes next = kind == FaultKind::kEmptyReply ? host.Read(0x6F, 11) : host.Exchange(kGetBrightness, 8);
        EXPECT_EQ(next, kBrightnessReply);
    }
}

TEST(EmulatedFaults, EchoFaultsHitTheEchoOfEachRequest)
{
    HostSide host;
    host.display->AddFault({FaultKind::kWrongEcho, RequestKind::kAny, OvEmulator::kAlways});
    host.display->AddFault({FaultKind::kWrongLength, RequestKind::kCapabilities, 1, 0, -5, 2});
    const Bytes paged = host.Exchange({0xC6, 0x10, 0x54}, 9);
    EXPECT_EQ(Bytes(paged.begin() + 4, paged.begin() + 6), (Bytes{0x10, 0x55}));
    const Bytes chunk = host.Exchange({0xF3, 0x00, 0x20}, 35);
    EXPECT_EQ(Bytes(chunk.begin() + 2, chunk.begin() + 5), (Bytes{0xE3, 0x00, 0x21}));
    host.display->Faults().Clear();
    host.display->AddFault({FaultKind::kWrongLength, RequestKind::kCapabilities, 1, 0, -5, 2});
    EXPECT_EQ(host.Exchange({0xF3, 0x00, 0x20}, 35)[1], 0x82);
}
