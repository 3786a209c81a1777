// A real-display device connected through the built display-interface library to an
// emulated PA271W (chosen by the test's environment), driven by slot position.
#include <cstring>
#include <string>

#include "ConformanceChecks.h"
#include "HostStreams.h"

std::string EmulatedSlot(int slot, const char* operation)
{
    return std::string(kRealModule) + " on an emulated PA271W: slot " + std::to_string(slot) + " " + operation;
}

DeviceHandle ConnectEmulatedDisplay(PluginSession& session, CheckReport& report)
{
    DeviceHandle device = session.CreateDevice(kRealModule);
    if (!device) {
        report.Expect(false, "the real module creates a device");
        return device;
    }
    report.ExpectEqual(device->ConnectMonitorID(0, 0), 0, EmulatedSlot(2, "ConnectMonitorID(0, 0)"));
    if (!device->IsConnected()) device.reset();
    return device;
}

void CheckEmulatedDisplay(PluginSession& session, CheckReport& report)
{
    RecordingStream stream;
    ScopedDebugStream installed(session, &stream);
    DeviceHandle device = ConnectEmulatedDisplay(session, report);
    report.Expect(device != nullptr, EmulatedSlot(6, "IsConnected after connecting"));
    if (!device) return;
    try {
        report.ExpectEqual(device->GetPort(), 0, EmulatedSlot(4, "GetPort"));

        uint8_t edid[128] = {};
        report.ExpectEqual(device->ReadEDID(edid), 0, EmulatedSlot(7, "ReadEDID"));
        const uint8_t header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
        report.Expect(std::memcmp(edid, header, sizeof header) == 0, EmulatedSlot(7, "ReadEDID gives the EDID header"));
        report.ExpectEqual(device->GetVendorProductID(), 0xA3386810u, EmulatedSlot(39, "GetVendorProductID"));
        report.ExpectText(device->GetModelName(), "PA271W", EmulatedSlot(40, "GetModelName"));
        report.Expect(device->IsDigitalInput(), EmulatedSlot(13, "IsDigitalInput"));

        const char* capabilities = device->GetCapabilityStr();
        const std::string text = capabilities ? capabilities : "";
        report.Expect(text.find("type(LCD)") != std::string::npos && text.find("vcp(") != std::string::npos,
                      EmulatedSlot(48, "GetCapabilityStr holds type(LCD) and vcp("));

        report.ExpectEqual(device->GetBrightness(), 0.7, EmulatedSlot(18, "GetBrightness (70 of 100)"));
        device->Disconnect();
        report.Expect(!device->IsConnected(), EmulatedSlot(5, "Disconnect"));
    } catch (const OvError& error) {
        report.Expect(false, std::string("no OvError while talking to the emulated display; got code ") +
                                 std::to_string(error.code) + " " + (error.name ? error.name : ""));
    }
}
