#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "HostSide.h"
#include "MonApi2/EmulatedBackend.h"
#include "MonApi2/EmulationSelection.h"
#include "MonApi2/InterfaceTable.h"
#include "OvSystem/OvPlatform.h"
#include "Support/OvTestSupport.h"

using namespace OvEmulatorTest;
using OvEmulator::Link;
using Lines = std::vector<std::string>;

TEST(MonApi2Library, SelectionNamesModelsAndLinks)
{
    const MonApi2::EmulationSelection selection =
        MonApi2::ParseEmulationSelection(" PA271W, usb:pa311d ,,Nope,USB:V193A,DDC:PA322UHD", "0.5");
    ASSERT_EQ(selection.displays.size(), 3u);
    const std::tuple<const char*, Link> expected[] = {{"PA271W", Link::kDdc}, {"PA311D", Link::kUsb},
                                                      {"PA322UHD", Link::kDdc}};
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::tuple(selection.displays[i].model->name, selection.displays[i].link), expected[i]) << i;
    EXPECT_EQ(selection.waitScale, 0.5);
    EXPECT_EQ(selection.problems,
              (Lines{"unknown emulated model 'Nope' skipped", "emulated model 'V193A' has no USB link, skipped"}));

    EXPECT_TRUE(MonApi2::ParseEmulationSelection("", "").displays.empty());
    const MonApi2::EmulationSelection badScale = MonApi2::ParseEmulationSelection("PA271W", "-2");
    EXPECT_EQ(badScale.waitScale, 1.0);
    EXPECT_EQ(badScale.problems, Lines{"invalid wait scale '-2', using 1"});
}

TEST(MonApi2Library, TableNumbersInterfacesAndChecksArguments)
{
    MonApi2::InterfaceTable empty({});
    EXPECT_EQ(empty.SetUSBDeviceList(nullptr, 0), 0);
    EXPECT_EQ(empty.EnumerateInterfaces(), 0);

    std::vector<std::unique_ptr<MonApi2::Backend>> backends;
    backends.push_back(std::make_unique<MonApi2::EmulatedBackend>(MonApi2::ParseEmulationSelection("V193A", "")));
    backends.push_back(
        std::make_unique<MonApi2::EmulatedBackend>(MonApi2::ParseEmulationSelection("SV241C,USB:PA311D", "0")));
    MonApi2::InterfaceTable table(std::move(backends));
    EXPECT_EQ(table.SetUSBDeviceList(nullptr, 1), kMonApi2BadArgument);
    const uint32_t usb = 0x0409046B;
    EXPECT_EQ(table.SetUSBDeviceList(&usb, 1), 0);
    ASSERT_EQ(table.EnumerateInterfaces(), 3);
    DisplayInterfaceInfo info{};
    info.size = 260;
    ASSERT_EQ(table.Info(2, &info), 0);
    EXPECT_STREQ(info.interfaceName, "USB");
    EXPECT_EQ(table.Info(3, &info), kMonApi2NoInterface);
    info.size = 0;
    EXPECT_EQ(table.Info(0, &info), kMonApi2BadArgument);

    const Bytes save = HostPacket({0x0C});
    EXPECT_EQ(table.Write(1, 0x6E, save.data(), 4), 0);
    EXPECT_EQ(table.Write(3, 0x6E, save.data(), 4), kMonApi2NoInterface);
    EXPECT_EQ(table.Read(0, 0x6F, nullptr, 3), kMonApi2BadArgument);
}

TEST(MonApi2Library, SharedLibraryServesTheModelsChosenInTheEnvironment)
{
    OvScopedEnvironment emulate("OV_MONAPI2_EMULATE", "PA271W,USB:PA311D");
    OvScopedEnvironment waitScale("OV_MONAPI2_EMULATE_WAIT_SCALE", "0");
    void* library = OvPlatform::LoadLibrary(MONAPI2_PATH);
    ASSERT_NE(library, nullptr);
    const auto find = [library](const char* name) { return OvPlatform::FindSymbol(library, name); };
    const auto setUsb = reinterpret_cast<MonApi2SetUSBDeviceListFn>(find("SetUSBDeviceList"));
    const auto enumerate = reinterpret_cast<MonApi2EnumerateInterfacesFn>(find("EnumerateInterfaces"));
    const auto count = reinterpret_cast<MonApi2GetNumDisplayInterfacesFn>(find("GetNumDisplayInterfaces"));
    const auto getInfo = reinterpret_cast<MonApi2GetDisplayInterfaceInfoFn>(find("GetDisplayInterfaceInfo"));
    const auto write = reinterpret_cast<MonApi2I2CWriteFn>(find("I2C_WRITE"));
    const auto read = reinterpret_cast<MonApi2I2CReadFn>(find("I2C_READ"));
    ASSERT_TRUE(setUsb && enumerate && count && getInfo && write && read);

    const uint32_t usb = 0x0409046B;
    EXPECT_EQ(setUsb(&usb, 1), 0);
    EXPECT_EQ(enumerate(1, 0), 2);
    EXPECT_EQ(count(), 2);
    DisplayInterfaceInfo info{};
    info.size = 260;
    ASSERT_EQ(getInfo(1, &info), 0);
    EXPECT_STREQ(info.displayName, "PA311D");
    EXPECT_STREQ(info.interfaceName, "USB");

    const Bytes request = HostPacket({0xC6, 0x00, 0x12});
    EXPECT_EQ(write(0, 0x6E, request.data(), 6, 10000), 0);
    Bytes reply(12);
    EXPECT_EQ(read(0, 0x6F, reply.data(), 12, 10000), 0);
    EXPECT_EQ(reply, (Bytes{0x6E, 0x89, 0xC7, 0x00, 0x00, 0x12, 0x00, 0x00, 0x64, 0x00, 0x32, 0x34}));
    OvPlatform::FreeLibrary(library);
}
