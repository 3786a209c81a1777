// The device's text commands against an emulated PA271W: answers, argument forms, the
// result buffer's rules and what the commands change.
#include <cstring>

#include "OvDevices/OvVCPNames.h"
#include "OvEmulatedBusFixture.h"

namespace {

class DeviceCommandsTest : public EmulatedBusTest {
protected:
    DeviceCommandsTest() : device(ConnectTo("PA271W")) {}
    // The command's answer, or "<untouched>" when it left the buffer as it was.
    std::string Run(const char* command, const char* argument = "", int32_t size = 4096)
    {
        buffer.assign(static_cast<size_t>(size), '#');
        buffer.back() = '\0';
        EXPECT_EQ(device->ExecuteCommand(command, argument, buffer.data(), size), buffer.data());
        return buffer[0] == '#' ? "<untouched>" : std::string(buffer.data());
    }

    std::unique_ptr<OvROVUvidedImpl> device;
    std::vector<char> buffer;
};

}  // namespace

TEST_F(DeviceCommandsTest, AnswersMustFitTheBufferAndUnknownNamesDoNothing)
{
    EXPECT_EQ(Run("Version", "", 6), "18403");
    EXPECT_OV_ERROR(Run("Version", "", 5), kOvArgErr, "OvArgErr");
    EXPECT_OV_ERROR(device->ExecuteCommand("Version", "", nullptr, 10), kOvArgErr, "OvArgErr");
    EXPECT_OV_ERROR(device->ExecuteCommand(nullptr, "", buffer.data(), 10), kOvArgErr, "OvArgErr");
    EXPECT_EQ(Run("version"), "<untouched>");
    EXPECT_EQ(Run("GetPictureMode"), "0");
    EXPECT_EQ(Run("GetPicturePreset"), "0");
    EXPECT_TRUE(Requests(*display).empty()) << "the display is not asked";
}

TEST_F(DeviceCommandsTest, LastErrorIsCutToTheBufferAndCleared)
{
    try {
        OV_RAISE(kOvIOErr, "OvIOErr");
    } catch (const OvError&) {
    }
    EXPECT_EQ(Run("LastError", "", 4), "Err");
    EXPECT_EQ(Run("LastError", "", 4), "No ");
    EXPECT_EQ(Run("LastError"), "No Error");
}

TEST_F(DeviceCommandsTest, VCPAddressesComeInHexadecimalOrAsPageAndCode)
{
    const struct {
        const char* argument;
        std::string answer;
    } cases[] = {
        {"0x1051", "VCP_1051_PA_PICTURE_PRESET -> 1 (max: 12)"},
        {"16 81", "VCP_1051_PA_PICTURE_PRESET -> 1 (max: 12)"},
        {"0x0x1051", "VCP_1051_PA_PICTURE_PRESET -> 1 (max: 12)"},  // every "0x" is removed
        {"0X1051", std::string(VCPName(0).Chars()) + " -> UNSUPPORTED"},  // upper-case X: decimal page 0, code 0
        {"272 337", "VCP_1051_PA_PICTURE_PRESET -> 1 (max: 12)"},    // page and code modulo 256
    };
    for (const auto& c : cases) EXPECT_EQ(Run("GetVCP", c.argument), c.answer) << c.argument;
    EXPECT_OV_ERROR(Run("GetVCP", "0x105"), kOvArgErr, "OvArgErr");

    Run("SetVCP", "0x1050 3");
    Run("SetVCP", "16 81 7");
    EXPECT_EQ(Current(0x1050), 3);
    EXPECT_EQ(Current(0x1051), 7);
}

TEST_F(DeviceCommandsTest, TestVCPCodesListsAllOnlyWhenAskedTo)
{
    const auto lines = [&](const char* argument) {
        const std::string report = Run("TestVCPCodes", argument);
        return std::count(report.begin(), report.end(), '\n') + 1;
    };
    EXPECT_EQ(lines("16 18"), 2);
    EXPECT_EQ(lines("16 18 yes"), 3);
}

TEST_F(DeviceCommandsTest, TargetCurveKeepsGammasAndTheTwoCurveCodes)
{
    const std::pair<const char*, double> cases[] = {{"0", 2.0}, {"-1", 2.0}, {"-2", -2.0}, {"-4", -4.0},
                                                    {"-3", 2.0}, {"2.2", 2.2}, {"2,4", 2.4}, {"", 2.0}};
    for (const auto& [argument, value] : cases) {
        Run("TargetCurve", argument);
        EXPECT_EQ(device->CommandValue(), value) << argument;
    }
}

TEST_F(DeviceCommandsTest, UniformityCommandsSwitchTheCorrectionOrDeferToTheDisplay)
{
    EXPECT_EQ(Run("GetUniformityCorrection"), "-1") << "level 0 reads as off";
    Run("SetUniformityCorrection", "3");
    EXPECT_EQ(Current(0x02EE), 3);
    EXPECT_EQ(Run("GetUniformityCorrection"), "3");
    Run("SetUniformityCorrection", "0");
    EXPECT_EQ(Current(0x02EE), 0);

    device->SetCalibrationState(5);
    display->Vcps().Find(0x02EE)->current = 4;
    ForgetTraffic();
    Run("SetUniformityCorrection", "-2");
    EXPECT_EQ(device->CalibrationState(), -2);
    EXPECT_EQ(Current(0x02EE), 4);
    for (const Bytes& request : Requests(*display)) EXPECT_NE(request[0], 0xC8) << "nothing written";
}

TEST_F(DeviceCommandsTest, GetCurvesKeepsTheLinesThatFitATooSmallBuffer)
{
    const std::string curves = Run("GetCurves", "", 8192);
    EXPECT_EQ(std::count(curves.begin(), curves.end(), '\n'), 256);
    EXPECT_TRUE(curves.starts_with("0\t65535\t65535\t65535\n1\t65535")) << "the reset table image";
    EXPECT_OV_ERROR(Run("GetCurves", "", 40), kOvArgErr, "OvArgErr");
    EXPECT_EQ(std::string(buffer.data()), "0\t65535\t65535\t65535\n");
}

TEST_F(DeviceCommandsTest, LutCommandsDownloadSwapAndEnable)
{
    testing::internal::CaptureStdout();
    Run("Init3DLUT");
    const std::string progress = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(progress.starts_with("  0 %\n")) << progress;
    EXPECT_TRUE(progress.ends_with("100 %\n")) << progress;

    testing::internal::CaptureStdout();
    Run("Swap3DLUT");
    testing::internal::GetCapturedStdout();
    const auto& table = display->Controller().Lut().Table();
    EXPECT_EQ(table[1], (OvEmulator::LutPoint{0, 127, 0})) << "red input 1 of 8 lands in green";
    EXPECT_EQ(table[9], (OvEmulator::LutPoint{127, 0, 0}));

    Run("Enable3DLUT", "0");
    EXPECT_EQ(Current(0x1069), 1);
    Run("Enable3DLUT", "1");
    EXPECT_EQ(Current(0x1069), 2);
}

TEST_F(DeviceCommandsTest, GetLegalPortListNamesEveryAnsweringPort)
{
    Attach("V193A");
    ResetDisplayInterfacesForTesting();
    EXPECT_EQ(Run("GetLegalPortList"), "0 1");
}
