// A real-display device connected through the built display-interface library to an
// emulated PA271W (chosen by the test's environment), driven by slot position.
#include <cstring>
#include <string>

#include "ConformanceChecks.h"
#include "HostStreams.h"

namespace {
std::string Slot(int slot, const char* operation)
{
    return std::string(kRealModule) + " on an emulated PA271W: slot " + std::to_string(slot) + " " + operation;
}
}  // namespace

void CheckEmulatedDisplay(PluginSession& session, CheckReport& report)
{
    RecordingStream stream;
    ScopedDebugStream installed(session, &stream);
    DeviceHandle device = session.CreateDevice(kRealModule);
    if (!device) {
        report.Expect(false, "the real module creates a device");
        return;
    }
    try {
        report.ExpectEqual(device->ConnectMonitorID(0, 0), 0, Slot(2, "ConnectMonitorID(0, 0)"));
        report.Expect(device->IsConnected(), Slot(6, "IsConnected after connecting"));
        report.ExpectEqual(device->GetPort(), 0, Slot(4, "GetPort"));

        uint8_t edid[128] = {};
        report.ExpectEqual(device->ReadEDID(edid), 0, Slot(7, "ReadEDID"));
        const uint8_t header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
        report.Expect(std::memcmp(edid, header, sizeof header) == 0, Slot(7, "ReadEDID gives the EDID header"));
        report.ExpectEqual(device->GetVendorProductID(), 0xA3386810u, Slot(39, "GetVendorProductID"));
        report.ExpectText(device->GetModelName(), "PA271W", Slot(40, "GetModelName"));
        report.Expect(device->IsDigitalInput(), Slot(13, "IsDigitalInput"));

        const char* capabilities = device->GetCapabilityStr();
        const std::string text = capabilities ? capabilities : "";
        report.Expect(text.find("type(LCD)") != std::string::npos && text.find("vcp(") != std::string::npos,
                      Slot(48, "GetCapabilityStr holds type(LCD) and vcp("));

        report.ExpectEqual(device->GetBrightness(), 0.7, Slot(18, "GetBrightness (70 of 100)"));
        device->Disconnect();
        report.Expect(!device->IsConnected(), Slot(5, "Disconnect"));
    } catch (const OvError& error) {
        report.Expect(false, std::string("no OvError while talking to the emulated display; got code ") +
                                 std::to_string(error.code) + " " + (error.name ? error.name : ""));
    }
}
