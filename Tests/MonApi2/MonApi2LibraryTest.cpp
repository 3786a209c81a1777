// The library's parts below its exports: the emulation choice and the interface table. The
// exports themselves are driven through the plug-in by zezctl's end-to-end tests.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "HostSide.h"
#include "MonApi2/EmulatedBackend.h"
#include "MonApi2/EmulationSelection.h"
#include "MonApi2/InterfaceTable.h"

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
