// The simulated display driven through the device interface, as a host drives it, against
// simulation files in a temporary application-data folder.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "OvDevices/OvZEZSimulatorDevice.h"
#include "OvMath/OvColorLinearization.h"
#include "OvSystem/OvMonitorMgrTestSupport.h"
#include "OvSystem/OvVirtualClock.h"
#include "OvTools/OvDebug.h"
#include "Progress/RecordingProgress.h"
#include "Support/OvCaptureStream.h"

namespace {

using Lines = std::vector<std::string>;

// Display "Port3" answers ZEZ port 3; "Port7" answers port 7 and has a fixed brightness.
const std::string kDescription =
    "Display0 = Port3\nDisplay1 = Port7\n"
    "Port3 =\n{\n\tZEZPort = 3\n}\n"
    "Port7 =\n{\n\tZEZPort = 7\n\tBrightness = 0.3\n\tVCPMAX_0010 = 100\n}\n";

const char* const kDefaultEdid =
    "00FFFFFFFFFFFF0038A32C6601010101100E0103802B2078EE0555A6554B9B24145054BFEF80315945596159714F814F81808199A940483F4"
    "03062B0324040C01300B0441100001E000000FD0030571E6011000A202020202020000000FC004C43443231383055580A20202000000"
    "0FF00343431303039383359420A202000C7";

struct DeviceDestroyer {
    void operator()(OvROVUvided* device) const { device->Destroy(); }
};

class OvSimulatorDevice : public ::testing::Test {
protected:
    OvSimulatorDevice()
    {
        folder.Write("MonitorSimulation.txt", kDescription);
        // Only the device's own lines: not its construction, not the errors that the
        // simulation files catch (a controls file that does not exist yet, for one).
        EnableChannel(kOvChannelError, false);
        capture.Clear();
    }

    std::string Controls() const { return folder.Read("MonitorSimulationControls.txt"); }
    bool ControlsHold(const std::string& line) const { return Controls().find(line) != std::string::npos; }
    // The curve stored under key ("RLUT", ...), split into its numbers.
    std::vector<double> Curve(const char* key) const
    {
        const std::string controls = Controls();
        const std::string start = std::string("\t") + key + " = \"";
        size_t from = controls.find(start);
        if (from == std::string::npos) return {};
        from += start.size();
        std::istringstream numbers(controls.substr(from, controls.find('"', from) - from));
        return {std::istream_iterator<double>(numbers), std::istream_iterator<double>()};
    }
    std::pair<uint32_t, uint32_t> VCP(uint8_t page, uint8_t code)
    {
        uint32_t current = 99;
        uint32_t maximum = 99;
        EXPECT_TRUE(device->GetVCPPageFeature(page, code, &current, &maximum));
        return {current, maximum};
    }

    OvScopedMakerFolder folder;
    OvScopedDebugCapture capture;
    OvScopedVirtualClock clock;
    std::unique_ptr<OvROVUvided, DeviceDestroyer> device{new OvZEZSimulatorDevice};
    OvZEZSimulatorDevice& simulator = static_cast<OvZEZSimulatorDevice&>(*device);
};

// A transform that gives black for grey levels 100 to 109 of red and is the identity else.
class DippingTrafo : public OvTrafo {
public:
    OV_DESTROY_SLOT(DippingTrafo)
    uint32_t OutputColorType() const override { return kOvColorRGB; }
    void EvaluateVector(OvVector& inOut) override
    {
        if (inOut.Get(0) >= 100 && inOut.Get(0) < 110) inOut.Ref(0) = 0;
    }
};

}  // namespace

// ConnectMonitorID takes its first argument as the port, ConnectMonitor its second.
TEST_F(OvSimulatorDevice, ConnectsThePortItIsAskedForAndNoUnknownOne)
{
    EnableChannel(kOvChannelGeneral, true);
    EXPECT_EQ(device->ConnectMonitorID(3, 7), 0);
    EXPECT_TRUE(device->IsConnected());
    EXPECT_EQ(device->GetPort(), 3);
    EXPECT_EQ(Controls(), "Port3 = \r\n{\r\n\tConnected = true\r\n}\r\n");
    EXPECT_EQ(capture.Lines(), (Lines{"ZEZSimulatorDevice::ConnectPort 3", "ZEZSimulatorDevice::ReadEDID 3",
                                      "OvZEZSimulatorDevice::ConnectPort(3) succeeded"}));
    EXPECT_EQ(device->ConnectMonitor(3, 7), 0);
    EXPECT_EQ(device->GetPort(), 7);
    EXPECT_TRUE(ControlsHold("Port7 = \r\n{\r\n\tConnected = true\r\n}"));

    capture.Clear();
    device->Disconnect();
    EXPECT_FALSE(device->IsConnected());
    EXPECT_TRUE(ControlsHold("Port7 = \r\n{\r\n\tConnected = false\r\n}"));
    EXPECT_EQ(capture.Lines(), Lines{"OvZEZSimulatorDevice::Disconnect"});

    // An unknown port leaves it unconnected, without raising; so does a later failure.
    EXPECT_EQ(device->ConnectPort(5), -1);
    EXPECT_FALSE(device->IsConnected());
    EXPECT_EQ(device->GetPort(), 5);
    EXPECT_EQ(capture.Lines().back(), "OvZEZSimulatorDevice::ConnectPort(5) failed");
    uint8_t edid[128] = {0x42};
    EXPECT_EQ(device->ReadEDID(edid), -1);
    EXPECT_EQ(edid[0], 0x42);
    ASSERT_EQ(device->ConnectPort(3), 0);
    EXPECT_EQ(device->ConnectPort(4), -1);
    EXPECT_FALSE(device->IsConnected());
}

TEST_F(OvSimulatorDevice, DisplaysDescribedBeforeASyntaxErrorStillConnect)
{
    // The line without "=" stops the reading: Port3 was read, Port7 was not, and the
    // controls file (which would say Port3 is connected) is not read at all.
    folder.Write("MonitorSimulation.txt", "Display0 = Port3\nPort3 =\n{\n\tZEZPort = 3\n}\n"
                                          "broken line\nDisplay1 = Port7\nPort7 =\n{\n\tZEZPort = 7\n}\n");
    folder.Write("MonitorSimulationControls.txt", "Port3 =\n{\n\tBrightness = 0.25\n}\n");
    EnableChannel(kOvChannelError, true);
    EXPECT_EQ(device->ConnectPort(3), 0);
    EXPECT_EQ(capture.Lines().at(1).rfind(R"(Error: 19 "Missing "=" after "broken"")", 0), 0u) << capture.Lines().at(1);
    EXPECT_EQ(device->GetBrightness(), 1.0);
    EXPECT_EQ(device->ConnectPort(7), -1);
}

TEST_F(OvSimulatorDevice, DefaultsDescribeAnLCD2180UX)
{
    folder.Write("MonitorSimulationControls.txt", "");
    for (double control : {device->GetBrightness(), device->GetRedGain(), device->GetGreenGain(),
                           device->GetBlueGain(), simulator.GetContrast()})
        EXPECT_EQ(control, 1.0);
    EXPECT_EQ(VCP(0, 0x10), std::pair(0u, 1024u));
    EXPECT_EQ(Controls(), "") << "reading writes nothing";

    ASSERT_EQ(device->ConnectPort(3), 0);
    uint8_t edid[128] = {};
    EXPECT_EQ(device->ReadEDID(edid), 0);
    EXPECT_STREQ(OvString::BytesToHex(edid, 128).Chars(), kDefaultEdid);
    EXPECT_EQ(device->GetVendorProductID(), 0xA338662Cu);
    EXPECT_STREQ(device->GetModelName(), "LCD2180UX");
    EXPECT_TRUE(device->IsDigitalInput());
    const std::string capability = device->GetCapabilityStr();
    EXPECT_EQ(capability, OvZEZSimulatorDevice::kDefaultCapability);
    EXPECT_NE(capability.find(" r_ofs(0 )g_ofs(100) b_ofs(200))"), std::string::npos);

    // A longer EDID text is cut to the 128 bytes of the buffer.
    folder.Write("MonitorSimulation.txt",
                 std::string("Display0 = A\nA =\n{\n\tZEZPort = 3\n\tEDID = ") + kDefaultEdid + "FFFF\n}\n");
    uint8_t buffer[130] = {};
    EXPECT_EQ(device->ReadEDID(buffer), 0);
    EXPECT_EQ(buffer[127], 0xC7);
    EXPECT_EQ(buffer[128], 0x00);
}

TEST_F(OvSimulatorDevice, ControlsAreStoredAsFractionsButTheDescriptionWins)
{
    device->SetBrightness(0.5);
    device->SetContrast(0.25);
    device->SetRedGain(0.125);
    device->SetGreenGain(1.5);
    device->SetBlueGain(-0.75);
    for (const char* line : {"\tBrightness = 0.500000\r\n", "\tContrast = 0.250000\r\n", "\tRedGain = 0.125000\r\n",
                             "\tGreenGain = 1.500000\r\n", "\tBlueGain = -0.750000\r\n"})
        EXPECT_TRUE(ControlsHold(line)) << line;
    EXPECT_EQ(device->GetBrightness(), 0.5);
    EXPECT_EQ(simulator.GetContrast(), 0.25);
    EXPECT_EQ(device->GetBlueGain(), -0.75);
    EXPECT_EQ(capture.Lines().back(), "OvZEZSimulatorDevice::GetBlueGain -> -0.750000");

    ASSERT_EQ(device->ConnectPort(7), 0);
    device->SetBrightness(0.9);
    EXPECT_EQ(device->GetBrightness(), 0.3);
    EXPECT_TRUE(ControlsHold("\tBrightness = 0.900000\r\n"));
}

TEST_F(OvSimulatorDevice, PageCodeVCPsUseLowerCaseHexKeys)
{
    ASSERT_EQ(device->ConnectPort(7), 0);
    EXPECT_TRUE(device->SetVCPPageFeature(0x02, 0x54, 7, 500));
    EXPECT_TRUE(device->AutoSetup());  // inherited: writes VCP 0x1E through the replaced access
    EXPECT_TRUE(device->SetVCPPageFeature(0x10, 0xAB, 0xFFFFFFFFu, 0));
    for (const char* line : {"\tVCPVAL_0254 = 7\r\n", "\tVCPVAL_001e = 1\r\n", "\tVCPVAL_10ab = -1\r\n"})
        EXPECT_TRUE(ControlsHold(line)) << line;
    EXPECT_EQ(VCP(0x10, 0xAB).first, 0xFFFFFFFFu);
    EXPECT_EQ(VCP(0x00, 0x10).second, 100u) << "maxima come from the description";

    // Inherited operations work through the same keys.
    ASSERT_TRUE(device->SetVCPPageFeature(0, 0xFA, 1001, 0));
    uint32_t hours = 0;
    EXPECT_TRUE(device->GetRunningHours(&hours));
    EXPECT_EQ(hours, 500u);
    EXPECT_TRUE(device->SupportsVCPPageFeature(0x7F, 0x01));
    EXPECT_EQ(capture.Lines().back(), "ZEZSimulatorDevice::SupportsVCPPageFeature 7f 01");
    // So do the text commands.
    device->ExecuteCommand("SetVCP", "0x0233 9", nullptr, 0);
    EXPECT_TRUE(ControlsHold("\tVCPVAL_0233 = 9\r\n"));
    EXPECT_TRUE(clock->Sleeps().empty());
}

TEST_F(OvSimulatorDevice, HardwareOperationsFail)
{
    EXPECT_OV_ERROR(device->IsDigitalInput(), kOvIOErr, "OvIOErr");
    EXPECT_OV_ERROR(device->GetCapabilityStr(), kOvIOErr, "OvIOErr");
    EXPECT_OV_ERROR(device->SetVCPPageFeature(0, 0x10, 1, 0), kOvIOErr, "OvIOErr");
    ASSERT_EQ(device->ConnectPort(3), 0);
    EXPECT_OV_ERROR(device->ReadGammaTable(), kOvUndefProc, "OvUndefProc");
    // The 16-bit paged VCP operations need a DDC/CI channel, which a simulator never has.
    EXPECT_OV_ERROR(device->FactoryReset(), kOvIOErr, "OvIOErr");
    EXPECT_OV_ERROR(device->SetRGBCalibration(nullptr, nullptr), kOvArgErr, "OvArgErr");

    folder.Write("MonitorSimulation.txt", "Display0 = A\nA =\n{\n\tZEZPort = 3\n\tEDID = 00FG\n}\n");
    EXPECT_OV_ERROR(device->ConnectPort(3), kOvFormatErr, "FormatErr");  // the name drops the prefix before a consonant
}

TEST_F(OvSimulatorDevice, CalibrationCurvesFollowTheCalibrationButNeverDecrease)
{
    EnableChannel(kOvChannelGeneral, true);
    ASSERT_EQ(device->ConnectPort(3), 0);
    capture.Clear();
    OvColorLinearization identity;
    device->SetRGBCalibration(&identity, nullptr);
    EXPECT_EQ(capture.Lines(), Lines{"OvZEZSimulatorDevice::SetRGBCalibration"});
    EXPECT_TRUE(ControlsHold("\tRLUT = \" 0.000000 0.003922 0.007843 0.011765 "));
    EXPECT_TRUE(ControlsHold(" 0.992157 0.996078 1.000000\"\r\n"));
    const std::vector<double> red = Curve("RLUT");
    ASSERT_EQ(red.size(), 256u);
    EXPECT_EQ(red, Curve("GLUT"));
    EXPECT_EQ(red, Curve("BLUT"));

    DippingTrafo dipping;
    device->SetRGBCalibration(&dipping, nullptr);
    const std::vector<double> flat = Curve("RLUT");
    ASSERT_EQ(flat.size(), 256u);
    for (int i = 100; i < 110; ++i) EXPECT_EQ(flat[i], flat[99]) << i;
    EXPECT_EQ(std::pair(flat[99], flat[110]), std::pair(0.388235, 0.431373));
    EXPECT_EQ(Curve("GLUT")[105], 0.411765);

    device->SetGamma(2.2, nullptr);
    const std::vector<double> gamma = Curve("RLUT");
    ASSERT_EQ(gamma.size(), 256u);
    for (int i : {0, 1, 64, 128, 200, 255}) EXPECT_NEAR(gamma[i], std::pow(i / 255.0, 2.2), 5e-7) << i;
    EXPECT_EQ(gamma, Curve("BLUT"));
    device->SetGamma(-4, nullptr);  // sRGB decoding
    EXPECT_NEAR(Curve("GLUT")[128], std::pow((128 / 255.0 + 0.055) / 1.055, 2.4), 5e-7);
}

TEST_F(OvSimulatorDevice, TableOperationsOnlyLogAndReportProgress)
{
    const uint8_t table[16] = {};
    device->UpdateCalibration(16, table, table, nullptr);
    EXPECT_TRUE(clock->Sleeps().empty());
    EXPECT_EQ(capture.Lines().back(), "OvZEZSimulatorDevice::UpdateCalibration 0");
    RecordingProgress progress;
    device->UpdateCalibration(16, table, table, &progress);
    EXPECT_EQ(progress.fractions, (std::vector<double>{0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0}));
    EXPECT_EQ(clock->Sleeps(), std::vector<uint32_t>(10, 100));
    EXPECT_EQ(Controls(), "");

    ASSERT_EQ(device->ConnectPort(7), 0);
    capture.Clear();
    clock->ClearSleeps();
    device->SaveSettings();
    device->RefreshGammatable();
    device->SaveGammatable();
    EXPECT_EQ(capture.Lines(), (Lines{"OvZEZSimulatorDevice::SaveSettings 7",
                                      "OvZEZSimulatorDevice::RefreshGammatable 7",
                                      "OvZEZSimulatorDevice::SaveGammatable 7"}));
    EXPECT_TRUE(clock->Sleeps().empty());
}
