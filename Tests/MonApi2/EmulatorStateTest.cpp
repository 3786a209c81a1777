// What an emulated display remembers between runs: its state text carries every memory
// back into a fresh display, and a state that does not fit is skipped line by line.
#include <gtest/gtest.h>

#include "MonApi2/Emulator/EmulatedModel.h"
#include "MonApi2/Emulator/EmulatorState.h"
#include "Support/OvTestFolder.h"

using namespace OvEmulator;

namespace {

DisplayController Fresh(const char* model)
{
    return DisplayController(*FindModel(model));
}

}  // namespace

TEST(EmulatorState, CarriesVcpsGammaTableAndBothLutMemoriesIntoAFreshDisplay)
{
    DisplayController used = Fresh("PA271W");
    used.Vcps().Write(0x0010, 33);
    const uint16_t entries[] = {1, 2, 3, 1023};
    used.GammaTable().Write(0x400 + 12, entries);
    const LutPoint points[] = {{1020, 0, 5}, {7, 8, 9}};
    used.Lut().Write(LutMemory::Target::kTable, 8, 8, 8, std::span(points, 1));
    used.Lut().Write(LutMemory::Target::kRam, 3, 0, 0, points);

    DisplayController restored = Fresh("PA271W");
    RestoreState(restored, StateText(used));
    EXPECT_EQ(restored.Vcps().Find(0x0010)->current, 33);
    EXPECT_EQ(restored.GammaTable().Entries(), used.GammaTable().Entries());
    EXPECT_EQ(restored.Lut().Table(), used.Lut().Table());
    EXPECT_EQ(restored.Lut().Ram(), used.Lut().Ram());
    EXPECT_EQ(StateText(restored), StateText(used));
}

TEST(EmulatorState, SkipsWhatDoesNotFitTheDisplay)
{
    DisplayController display = Fresh("V193A");  // 0x300 table entries, no 3D LUT
    const std::string before = StateText(display);
    RestoreState(display, "vcp 0x1054 7\nvcp 0x0010 70000\ngamma 767 1 2\ngamma 70000 1\nlut 0 1 2 3\n"
                          "gamma 5 x\nnonsense\nvcp\n");
    EXPECT_EQ(StateText(display), before);
}

TEST(EmulatorState, FileIsReplacedWholeAndALeftOverPartialWriteIsIgnored)
{
    const OvTestFolder folder;
    const std::filesystem::path file = folder.Folder() / "display1-PA271W.state";
    ASSERT_TRUE(WriteStateFile(file, "vcp 0x0010 1\n"));
    // A write that never reached its rename leaves only the file beside.
    folder.WriteFile("display1-PA271W.state.new", "vcp 0x00");
    EXPECT_EQ(ReadStateFile(file), "vcp 0x0010 1\n");
    ASSERT_TRUE(WriteStateFile(file, "vcp 0x0010 2\n"));
    EXPECT_EQ(ReadStateFile(file), "vcp 0x0010 2\n");
    EXPECT_FALSE(folder.Exists("display1-PA271W.state.new"));
    EXPECT_FALSE(ReadStateFile(folder.Folder() / "missing.state"));
}
