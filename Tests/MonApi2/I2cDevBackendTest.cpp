// The Linux backend against a fabricated sysfs tree and emulated displays behind a
// stand-in for the i2c-dev system calls.
#include <gtest/gtest.h>
#include <linux/i2c-dev.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

#include "HostSide.h"
#include "MonApi2/BackendSelection.h"
#include "MonApi2/EmulatedBackend.h"
#include "MonApi2/LinuxI2cBackend.h"
#include "MonApi2/PosixI2cDevSystem.h"
#include "Support/OvEmulatedI2cDev.h"
#include "Support/OvTestSupport.h"

using namespace OvEmulatorTest;
using OvI2cDevTest::AddConnector;
using OvI2cDevTest::EmulatedI2cDevSystem;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

// An emulated display behind /dev/i2c-4 of connector card0-DP-1, reached through the
// Linux backend, with HostSide's Write and Read.
struct I2cDevSide {
    I2cDevSide()
    {
        auto owned = std::make_unique<EmulatedI2cDevSystem>(bus, calls);
        system = owned.get();
        system->Route(4, 0);
        fs::create_directories(fs::path(tree.Path("class/drm/card0")));  // a card, not a connector
        AddConnector(tree, "card0-DP-1", "connected", ModelEdid("PA271W"), "../../i2c-4");
        const auto report = [this](const std::string& line) { problems.push_back(line); };
        backend = std::make_unique<MonApi2::LinuxI2cBackend>(std::move(owned), tree.Path(), report);
        backend->Enumerate({});
    }
    int32_t Write(int32_t address, const Bytes& bytes)
    {
        return backend->Write(0, address, bytes.data(), static_cast<int32_t>(bytes.size()));
    }
    Bytes Read(int32_t address, size_t count, int32_t* result = nullptr)
    {
        Bytes bytes(count, 0xEE);
        const int32_t r = backend->Read(0, address, bytes.data(), static_cast<int32_t>(count));
        if (result) *result = r;
        return bytes;
    }

    OvVirtualClock clock;
    OvEmulator::EmulatedBus bus{clock};
    std::shared_ptr<OvEmulator::EmulatedDisplay> display = bus.Attach(*OvEmulator::FindModel("PA271W"));
    int32_t enumerated = bus.EnumerateInterfaces(1, 0);
    OvTestFolder tree;
    Lines calls;
    Lines problems;
    EmulatedI2cDevSystem* system;
    std::unique_ptr<MonApi2::LinuxI2cBackend> backend;
};

// The EDID, then DDC/CI exchanges of several kinds; every reply as read.
template <class Side>
std::vector<Bytes> HostScript(Side& side)
{
    std::vector<Bytes> replies;
    EXPECT_EQ(side.Write(0xA0, {0x00}), 0);
    replies.push_back(side.Read(0xA1, 128));
    for (const Bytes& payload : {Bytes{0x01, 0x10}, Bytes{0x03, 0x10, 0x00, 0x21}, Bytes{0x01, 0x10},
                                 Bytes{0xC6, 0x10, 0x54}, Bytes{0xF3, 0x00, 0x20}}) {
        EXPECT_EQ(side.Write(0x6E, HostPacket(payload)), 0);
        side.clock.Advance(50);
        replies.push_back(side.Read(0x6F, 38));
    }
    return replies;
}

}  // namespace

TEST(I2cDevBackend, ListsConnectedConnectorsWithTheirDisplaysIdentity)
{
    I2cDevSide side;
    Bytes plain = ModelEdid("V193A");
    for (size_t at : {54 + 3, 72 + 3, 90 + 3, 108 + 3}) {
        if (plain[at] == 0xFC || plain[at] == 0xFF) plain[at] = 0x10;  // no name, no serial text
    }
    std::copy_n(Bytes{0xEF, 0xBE, 0xAD, 0xDE}.begin(), 4, plain.begin() + 12);
    AddConnector(side.tree, "card0-HDMI-A-1", "disconnected", {}, "../../i2c-5");
    AddConnector(side.tree, "card1-DP-2", "connected", plain, "", "i2c-9");
    AddConnector(side.tree, "card1-HDMI-A-3", "connected", {}, "../../i2c-11");
    AddConnector(side.tree, "card1-eDP-1", "connected", plain, "");  // no DDC bus
    for (int adapter : {5, 9, 11}) side.system->Route(adapter, 0);
    ASSERT_EQ(side.backend->Enumerate({}), 3);

    DisplayInterfaceInfo info{};
    ASSERT_TRUE(side.backend->Info(0, info));
    EXPECT_EQ(std::tuple(info.size, info.interfaceType, info.edidDetected, info.pnpId),
              std::tuple(260u, int32_t{kMonApi2GraphicsDdc}, uint8_t{1}, 0xA3386810u));
    EXPECT_STREQ(info.displayName, "PA271W");
    EXPECT_STREQ(info.interfaceName, "card0-DP-1");
    EXPECT_STREQ(info.serialNumber, "91000123");
    EXPECT_EQ(Bytes(info.edid, info.edid + 128), ModelEdid("PA271W"));
    EXPECT_EQ(info.displayRect[0] | info.displayRect[1] | info.displayRect[2] | info.displayRect[3], 0);

    // Without a name the connector names the display; without a serial text, the number.
    ASSERT_TRUE(side.backend->Info(1, info));
    EXPECT_EQ(std::tuple(std::string(info.displayName), std::string(info.serialNumber), info.pnpId),
              std::tuple("card1-DP-2", "3735928559", 0xA3381234u));
    ASSERT_TRUE(side.backend->Info(2, info));
    EXPECT_EQ(std::tuple(std::string(info.displayName), info.edidDetected, std::string(info.serialNumber), info.pnpId),
              std::tuple("card1-HDMI-A-3", uint8_t{0}, "", 0u));
    EXPECT_FALSE(side.backend->Info(3, info));
}

TEST(I2cDevBackend, CarriesTheEmulatedDisplaysTrafficUnchangedSelectingAddressesOnChange)
{
    HostSide direct;
    I2cDevSide side;
    const std::vector<Bytes> replies = HostScript(side);
    EXPECT_EQ(replies, HostScript(direct));
    EXPECT_EQ(replies[0], ModelEdid("PA271W"));
    EXPECT_EQ(replies[3][9], 0x21);  // the Set VCP reached the display
    // A slave address is selected only when it changes: 0xA0/0xA1 as 0x50, 0x6E/0x6F as 0x37.
    EXPECT_EQ(Lines(side.calls.begin(), side.calls.begin() + 7),
              (Lines{"open /dev/i2c-4", "ioctl 104 0x703 0x50", "write 104 1", "read 104 128", "ioctl 104 0x703 0x37",
                     "write 104 5", "read 104 38"}));
    EXPECT_EQ(side.calls.size(), 15u);
}

TEST(I2cDevBackend, MapsKernelErrorsToResults)
{
    I2cDevSide side;
    const Bytes request = HostPacket({0x01, 0x10});
    const std::pair<int, int32_t> cases[] = {{EIO, kMonApi2IoError},    {ETIMEDOUT, kMonApi2IoError},
                                             {EBUSY, kMonApi2IoError},  {ENXIO, kMonApi2NoDevice},
                                             {EREMOTEIO, kMonApi2NoDevice}, {ENODEV, kMonApi2NoDevice}};
    for (const auto& [error, result] : cases) {
        SCOPED_TRACE(error);
        EXPECT_EQ(side.Write(0xA0, {0x00}), 0);
        side.system->nextError = error;
        EXPECT_EQ(side.Write(0x6E, request), result);  // selecting 0x37 fails
        EXPECT_EQ(side.Write(0x6E, request), 0);       // and is tried again
        EXPECT_EQ(Lines(side.calls.end() - 3, side.calls.end()),
                  (Lines{"ioctl 104 0x703 0x37", "ioctl 104 0x703 0x37", "write 104 5"}));
        side.system->nextError = error;
        EXPECT_EQ(side.Write(0x6E, request), result);
        side.system->nextError = error;
        int32_t read = 0;
        side.Read(0x6F, 11, &read);
        EXPECT_EQ(read, result);
    }
    side.system->shortfall = 1;
    EXPECT_EQ(side.Write(0x6E, request), kMonApi2IoError);
    side.system->shortfall = 0;
    side.display->AddFault({OvEmulator::FaultKind::kWriteError, OvEmulator::RequestKind::kAny, 1, 0, kMonApi2NoDevice});
    EXPECT_EQ(side.Write(0x6E, request), kMonApi2NoDevice);
    EXPECT_EQ(side.Write(0x100, request), kMonApi2BadArgument);
    EXPECT_EQ(side.backend->Read(1, 0x6F, nullptr, 0), kMonApi2NoInterface);
}

TEST(I2cDevBackend, KeepsDevicesOpenBetweenScansAndReportsTheUnopenable)
{
    I2cDevSide side;
    AddConnector(side.tree, "card0-DP-2", "connected", {}, "../../i2c-6");
    side.system->Route(6, 0);
    side.calls.clear();
    side.system->nextError = EACCES;  // card0-DP-1's bus
    EXPECT_EQ(side.backend->Enumerate({}), 1);
    EXPECT_EQ(side.problems, Lines{"cannot open /dev/i2c-4 for card0-DP-1: Permission denied"
                                   " (needs read and write access, e.g. membership of group i2c)"});
    DisplayInterfaceInfo info{};
    ASSERT_TRUE(side.backend->Info(0, info));
    EXPECT_STREQ(info.interfaceName, "card0-DP-2");
    side.backend.reset();
    EXPECT_EQ(side.calls, (Lines{"close 104", "open /dev/i2c-4", "open /dev/i2c-6", "close 106"}));
}

// OV_MONAPI2_EMULATE, even empty, replaces the machine's displays. Without it the backend is
// this one: zezctl's bad-input test shows it reporting a connector it cannot open.
TEST(I2cDevBackend, ChosenEmulationReplacesRealDisplaysEvenWhenEmpty)
{
    Lines problems;
    const auto select = [&](const char* emulate) {
        return MonApi2::SelectBackends(
            [emulate](const char* name) -> std::optional<std::string> {
                if (std::string(name) == "OV_MONAPI2_EMULATE") return emulate;
                return std::nullopt;
            },
            [&problems](const std::string& line) { problems.push_back(line); });
    };
    EXPECT_TRUE(select("").empty());
    const auto backends = select("PA271W,Nope");
    ASSERT_EQ(backends.size(), 1u);
    EXPECT_NE(dynamic_cast<MonApi2::EmulatedBackend*>(backends[0].get()), nullptr);
    EXPECT_EQ(problems, Lines{"unknown emulated model 'Nope' skipped"});
}
