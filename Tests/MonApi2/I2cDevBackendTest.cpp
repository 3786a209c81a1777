#include <gtest/gtest.h>
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "HostSide.h"
#include "I2cDevEmulatedSystem.h"
#include "MonApi2/BackendSelection.h"
#include "MonApi2/EmulatedBackend.h"
#include "MonApi2/LinuxI2cBackend.h"

using namespace OvEmulatorTest;
using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

// A sysfs tree in a temporary folder, removed at the end.
class SysfsTree {
public:
    SysfsTree()
    {
        std::string pattern = (fs::temp_directory_path() / "ov-sysfs-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
        root = pattern;
        fs::create_directories(root / "class/drm/card0");
    }
    ~SysfsTree()
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    // A connector with its status, an edid file unless empty, and a "ddc" link or an
    // "i2c-N" folder naming its bus.
    void Connector(const std::string& name, const std::string& status, const Bytes& edid, const std::string& ddcLink,
                   const std::string& i2cFolder = "") const
    {
        const fs::path folder = root / "class/drm" / name;
        fs::create_directories(folder);
        std::ofstream(folder / "status") << status << '\n';
        std::ofstream(folder / "edid", std::ios::binary)
            .write(reinterpret_cast<const char*>(edid.data()), static_cast<std::streamsize>(edid.size()));
        if (!ddcLink.empty()) fs::create_directory_symlink(ddcLink, folder / "ddc");
        if (!i2cFolder.empty()) fs::create_directories(folder / i2cFolder);
    }

    fs::path root;
};

Bytes ModelEdid(const char* model)
{
    const OvEmulator::EdidMemory memory = OvEmulator::FindModel(model)->Edid();
    return Bytes(memory.begin(), memory.begin() + 128);
}

// An emulated display behind /dev/i2c-4 of connector card0-DP-1, reached through the
// Linux backend, with HostSide's Write and Read.
struct I2cDevSide {
    I2cDevSide()
    {
        display = bus.Attach(*OvEmulator::FindModel("PA271W"));
        bus.EnumerateInterfaces(1, 0);
        auto owned = std::make_unique<I2cDevTest::EmulatedI2cDevSystem>(bus, calls);
        system = owned.get();
        system->Route(4, 0);
        tree.Connector("card0-DP-1", "connected", ModelEdid("PA271W"), "../../i2c-4");
        backend = std::make_unique<MonApi2::LinuxI2cBackend>(std::move(owned), tree.root.string(),
                                                             [this](const std::string& line) { problems.push_back(line); });
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
    std::shared_ptr<OvEmulator::EmulatedDisplay> display;
    SysfsTree tree;
    Lines calls;
    Lines problems;
    I2cDevTest::EmulatedI2cDevSystem* system;
    std::unique_ptr<MonApi2::LinuxI2cBackend> backend;
};

// The EDID, then DDC/CI exchanges of several kinds; every reply as read.
template <class Side>
std::vector<Bytes> HostScript(Side& side)
{
    std::vector<Bytes> replies;
    EXPECT_EQ(side.Write(0xA0, {0x00}), 0);
    replies.push_back(side.Read(0xA1, 128));
    for (const Bytes& payload : {Bytes{0x01, 0x10}, Bytes{0x03, 0x10, 0x00, 0x21}, Bytes{0x01, 0x10}, Bytes{0xC6, 0x10, 0x54},
                                 Bytes{0xF3, 0x00, 0x20}}) {
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
    side.tree.Connector("card0-HDMI-A-1", "disconnected", {}, "../../i2c-5");
    side.tree.Connector("card1-DP-2", "connected", plain, "", "i2c-9");
    side.tree.Connector("card1-HDMI-A-3", "connected", {}, "../../i2c-11");
    side.tree.Connector("card1-eDP-1", "connected", plain, "");  // no DDC bus
    for (int adapter : {5, 9, 11}) side.system->Route(adapter, 0);
    ASSERT_EQ(side.backend->Enumerate({}), 3);

    DisplayInterfaceInfo info{};
    ASSERT_TRUE(side.backend->Info(0, info));
    EXPECT_EQ(info.size, 260u);
    EXPECT_EQ(info.interfaceType, kMonApi2GraphicsDdc);
    EXPECT_EQ(info.edidDetected, 1);
    EXPECT_STREQ(info.displayName, "PA271W");
    EXPECT_STREQ(info.interfaceName, "card0-DP-1");
    EXPECT_STREQ(info.serialNumber, "91000123");
    EXPECT_EQ(info.pnpId, 0xA3386810u);
    EXPECT_EQ(Bytes(info.edid, info.edid + 128), ModelEdid("PA271W"));
    EXPECT_EQ(info.displayRect[0] | info.displayRect[1] | info.displayRect[2] | info.displayRect[3], 0);

    ASSERT_TRUE(side.backend->Info(1, info));
    EXPECT_STREQ(info.displayName, "card1-DP-2");
    EXPECT_STREQ(info.serialNumber, "3735928559");
    EXPECT_EQ(info.pnpId, 0xA3381234u);
    ASSERT_TRUE(side.backend->Info(2, info));
    EXPECT_STREQ(info.displayName, "card1-HDMI-A-3");
    EXPECT_EQ(info.edidDetected, 0);
    EXPECT_STREQ(info.serialNumber, "");
    EXPECT_EQ(info.pnpId, 0u);
    EXPECT_FALSE(side.backend->Info(3, info));
}

TEST(I2cDevBackend, CarriesTheEmulatedDisplaysTrafficUnchanged)
{
    HostSide direct;
    I2cDevSide side;
    const std::vector<Bytes> replies = HostScript(side);
    EXPECT_EQ(replies, HostScript(direct));
    EXPECT_EQ(replies[0], ModelEdid("PA271W"));
    EXPECT_EQ(Bytes(replies[1].begin(), replies[1].begin() + 11),
              (Bytes{0x6E, 0x88, 0x02, 0x00, 0x10, 0x00, 0x00, 0x64, 0x00, 0x46, 0x86}));
    EXPECT_EQ(replies[3][9], 0x21);
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
    const std::pair<int, int32_t> cases[] = {
        {EIO, kMonApi2IoError}, {ETIMEDOUT, kMonApi2IoError}, {EBUSY, kMonApi2IoError},
        {ENXIO, kMonApi2NoDevice}, {EREMOTEIO, kMonApi2NoDevice}, {ENODEV, kMonApi2NoDevice}};
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
    side.tree.Connector("card0-DP-2", "connected", {}, "../../i2c-6");
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

TEST(I2cDevBackend, RealDisplaysUnlessEmulationIsChosen)
{
    SysfsTree tree;
    tree.Connector("card0-DP-1", "connected", {}, "../../i2c-999999");
    const auto select = [&tree](const char* emulate, Lines& problems) {
        return MonApi2::SelectBackends(
            [&](const char* name) -> std::optional<std::string> {
                if (std::string(name) == "OV_MONAPI2_SYSFS_ROOT") return tree.root.string();
                if (std::string(name) == "OV_MONAPI2_EMULATE" && emulate) return emulate;
                return std::nullopt;
            },
            [&problems](const std::string& line) { problems.push_back(line); });
    };
    Lines problems;
    auto backends = select(nullptr, problems);
    ASSERT_EQ(backends.size(), 1u);
    ASSERT_NE(dynamic_cast<MonApi2::LinuxI2cBackend*>(backends[0].get()), nullptr);
    EXPECT_EQ(backends[0]->Enumerate({}), 0);
    EXPECT_EQ(problems, Lines{"cannot open /dev/i2c-999999 for card0-DP-1: No such file or directory"
                              " (is the i2c-dev module loaded?)"});

    EXPECT_TRUE(select("", problems).empty());
    problems.clear();
    backends = select("PA271W,Nope", problems);
    ASSERT_EQ(backends.size(), 1u);
    EXPECT_NE(dynamic_cast<MonApi2::EmulatedBackend*>(backends[0].get()), nullptr);
    EXPECT_EQ(problems, Lines{"unknown emulated model 'Nope' skipped"});
}
