// The simulated display driven by slot position against simulation files written for it.
#include <cstdio>

#include "ConformanceChecks.h"
#include "HexText.h"
#include "HostStreams.h"
#include "SimulationFiles.h"

// The simulated display's own operation after the interface's last slot. Named as in the
// plug-in, so that the type checks of sanitizer builds accept the call.
class OvZEZSimulatorDevice : public OvROVUvided {
public:
    virtual double GetContrast() = 0;  // 57

protected:
    ~OvZEZSimulatorDevice() = default;
};

namespace {
constexpr int32_t kIOErr = 43;
constexpr int32_t kPort = 4;

const char* const kDescription =
    "Display0 = Conformance\n"
    "Conformance =\n{\n\tZEZPort = 4\n}\n";

// What the simulator answers when its files say nothing else.
const char* const kDefaultEdid =
    "00FFFFFFFFFFFF0038A32C6601010101100E0103802B2078EE0555A6554B9B24145054BFEF80315945596159714F814F81808199A940483F4"
    "03062B0324040C01300B0441100001E000000FD0030571E6011000A202020202020000000FC004C43443231383055580A20202000000"
    "0FF00343431303039383359420A202000C7";
const char* const kDefaultCapability =
    "(mccs_ver(1.1) type(LCD) vcp(04 06 08 0B 0C 10 12 14(01 02 04 06 07 08 0B) 16 18 1A 20 30 54 68(01 02 03 04 05 "
    "06 07) 8A 8C 9B 9C 9D 9E 9F A0 A8 B0 B4 B6 E3 F6 FA FB FF) vcp_p02(36 38 39 40 41 50 51 52 53 56 5F 68(01 04 06 "
    "07 08 09)) asset_eep(40) mpu_ver(1.00.00) c_tmp_ofst(BB8) gamma_table(size(300) r_ofs(0 )g_ofs(100) b_ofs(200))";

std::string Slot(int slot, const char* operation)
{
    return std::string(kSimulatorModule) + ": slot " + std::to_string(slot) + " " + operation;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Runs call and expects it to raise OvIOErr.
template <class Call>
void ExpectIOErr(CheckReport& report, Call call, const std::string& what)
{
    try {
        call();
        report.Expect(false, what + " raises OvIOErr");
    } catch (const OvError& error) {
        report.ExpectEqual(error.code, kIOErr, what + " raises OvIOErr");
    }
}

void CheckConnection(CheckReport& report, OvROVUvided& device, const ScopedSimulationFiles& files,
                     const RecordingStream& log)
{
    report.ExpectEqual(device.ConnectMonitor(0, kPort), 0, Slot(3, "ConnectMonitor connects the port argument"));
    report.ExpectEqual(device.IsConnected(), true, Slot(6, "IsConnected after connecting"));
    report.ExpectEqual(device.GetPort(), kPort, Slot(4, "GetPort"));
    report.Expect(Contains(log.Written(), "OvZEZSimulatorDevice::ConnectPort(4) succeeded\n"),
                  Slot(3, "ConnectMonitor logs its success"));
    report.Expect(Contains(files.Controls(), "\tConnected = true\r\n"), Slot(3, "ConnectMonitor records it"));
}

void CheckIdentity(CheckReport& report, OvROVUvided& device)
{
    uint8_t edid[129] = {};
    edid[128] = 0x5A;
    report.ExpectEqual(device.ReadEDID(edid), 0, Slot(7, "ReadEDID succeeds"));
    report.ExpectEqual(Hex(edid, 128), std::string(kDefaultEdid), Slot(7, "ReadEDID gives the default EDID"));
    report.ExpectEqual(static_cast<int>(edid[128]), 0x5A, Slot(7, "ReadEDID writes 128 bytes only"));
    report.ExpectEqual(device.IsDigitalInput(), true, Slot(13, "IsDigitalInput with the default EDID"));
    report.ExpectText(device.GetCapabilityStr(), kDefaultCapability, Slot(48, "GetCapabilityStr default"));
}

void CheckControls(CheckReport& report, OvROVUvided& device, const ScopedSimulationFiles& files)
{
    report.ExpectEqual(device.GetBrightness(), 1.0, Slot(18, "GetBrightness default"));
    device.SetBrightness(0.5);
    report.ExpectEqual(device.GetBrightness(), 0.5, Slot(22, "SetBrightness then slot 18 GetBrightness"));
    report.Expect(Contains(files.Controls(), "\tBrightness = 0.500000\r\n"), Slot(22, "SetBrightness stores \"%f\""));

    device.SetContrast(0.25);
    auto& simulator = static_cast<OvZEZSimulatorDevice&>(device);
    report.ExpectEqual(simulator.GetContrast(), 0.25, Slot(57, "GetContrast reads what slot 23 SetContrast set"));

    uint32_t current = 99;
    uint32_t maximum = 99;
    report.ExpectEqual(device.SetVCPPageFeature(0x02, 0x54, 7, 0), true, Slot(44, "SetVCPPageFeature"));
    report.ExpectEqual(device.GetVCPPageFeature(0x02, 0x54, &current, &maximum), true, Slot(43, "GetVCPPageFeature"));
    report.ExpectEqual(current, uint32_t{7}, Slot(43, "GetVCPPageFeature reads what slot 44 wrote"));
    report.ExpectEqual(maximum, uint32_t{1024}, Slot(43, "GetVCPPageFeature default maximum"));
    report.Expect(Contains(files.Controls(), "\tVCPVAL_0254 = 7\r\n"), Slot(44, "SetVCPPageFeature key"));
}

void CheckDisconnection(CheckReport& report, OvROVUvided& device, const ScopedSimulationFiles& files)
{
    device.Disconnect();
    report.ExpectEqual(device.IsConnected(), false, Slot(5, "Disconnect"));
    report.Expect(Contains(files.Controls(), "\tConnected = false\r\n"), Slot(5, "Disconnect records it"));
    ExpectIOErr(report, [&] { device.IsDigitalInput(); }, Slot(13, "IsDigitalInput after Disconnect"));
    ExpectIOErr(report, [&] { device.GetCapabilityStr(); }, Slot(48, "GetCapabilityStr after Disconnect"));
}
}  // namespace

void CheckSimulatedDisplay(PluginSession& session, CheckReport& report)
{
    const ScopedSimulationFiles files(kDescription);
    if (!files.IsReady()) {
        report.Expect(false, std::string("simulation files: ") + files.Problem());
        return;
    }
    RecordingStream log;
    const ScopedDebugStream installed(session, &log);
    const DeviceHandle device = session.CreateDevice(kSimulatorModule);
    if (!device) {
        report.Expect(false, std::string(kSimulatorModule) + ": the factory creates a device");
        return;
    }
    report.ExpectEqual(device->ConnectMonitor(kPort, 9), -1, Slot(3, "ConnectMonitor of an undescribed port fails"));
    report.ExpectEqual(device->IsConnected(), false, Slot(6, "IsConnected after a failed connection"));
    CheckConnection(report, *device, files, log);
    CheckIdentity(report, *device);
    CheckControls(report, *device, files);
    CheckDisconnection(report, *device, files);
}
