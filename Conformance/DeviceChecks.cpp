#include "ConformanceChecks.h"
#include "HostStreams.h"

namespace {
constexpr int32_t kIOErr = 43;

std::string Slot(const char* module, int slot, const char* operation)
{
    return std::string(module) + ": slot " + std::to_string(slot) + " " + operation;
}

// Unconnected, the real device answers false from its empty EDID; the simulator raises
// OvIOErr.
void CheckIsDigitalInput(CheckReport& report, const char* module, OvROVUvided& device)
{
    const std::string what = Slot(module, 13, "IsDigitalInput while unconnected");
    if (std::string(module) != kSimulatorModule) {
        report.ExpectEqual(device.IsDigitalInput(), false, what + " is false");
        return;
    }
    try {
        device.IsDigitalInput();
        report.Expect(false, what + " raises OvIOErr");
    } catch (const OvError& error) {
        report.ExpectEqual(error.code, kIOErr, what + " raises OvIOErr");
    }
}

void CheckUnconnectedSlots(CheckReport& report, const char* module, OvROVUvided& device)
{
    report.ExpectEqual(device.GetInterfaceVersion(), 9, Slot(module, 1, "GetInterfaceVersion"));
    report.ExpectEqual(device.GetPort(), 0, Slot(module, 4, "GetPort"));
    report.ExpectEqual(device.IsConnected(), false, Slot(module, 6, "IsConnected"));
    CheckIsDigitalInput(report, module, device);
    report.ExpectEqual(device.GetVendorProductID(), uint32_t{0}, Slot(module, 39, "GetVendorProductID"));
    // An all-zero EDID has no name descriptor, so the text starts at byte 108: empty.
    report.ExpectText(device.GetModelName(), "", Slot(module, 40, "GetModelName"));
    report.ExpectText(device.GetSerialNumber(), "", Slot(module, 41, "GetSerialNumber"));
}
}  // namespace

void CheckUnconnectedDevice(PluginSession& session, CheckReport& report)
{
    for (const char* module : kDeviceModules) {
        const DeviceHandle device = session.CreateDevice(module);
        report.Expect(device != nullptr, std::string(module) + ": the factory creates a device");
        if (device) CheckUnconnectedSlots(report, module, *device);
    }
}

void CheckErrorReachesHost(PluginSession& session, CheckReport& report)
{
    RecordingStream stream;
    ScopedDebugStream installed(session, &stream);
    const DeviceHandle device = session.CreateDevice(kRealModule);
    if (!device) {
        report.Expect(false, "the real device's factory creates a device");
        return;
    }
    const std::string what = Slot(kRealModule, 18, "GetBrightness while unconnected");
    try {
        device->GetBrightness();
        report.Expect(false, what + " raises OvError");
    } catch (const OvError& error) {
        report.ExpectEqual(error.code, kIOErr, what + ": code");
        report.ExpectText(error.name, "OvIOErr", what + ": name");
        report.ExpectText(error.file, "ROVUvided", what + ": file");
        report.Expect(error.line > 0, what + ": line");
        const std::string logLine = "Error: 43 \"OvIOErr\", file \"ROVUvided\", line " +
                                    std::to_string(error.line) + "\n";
        report.Expect(stream.Written().find(logLine) != std::string::npos,
                      what + ": the error is logged on the debug stream");
    } catch (...) {
        report.Expect(false, what + " raises an exception of another type than OvError");
    }
}

void CheckDeviceEnding(PluginSession& session, CheckReport& report)
{
    // Freeing shows only under the address sanitizer, which reports leaks and double frees.
    for (const char* module : kDeviceModules) {
        const ModuleRegistration* registration = session.FindModule(module);
        if (!registration) {
            report.Expect(false, std::string(module) + ": module registered");
            continue;
        }
        DeviceHandle device = session.CreateDevice(module);
        report.Expect(device != nullptr, std::string(module) + ": the factory creates a device");
        if (device) {
            device.release()->Destroy();
            report.Expect(true, Slot(module, 0, "Destroy ends the device"));
        }
        registration->destroy(registration->create());
        report.Expect(true, std::string(module) + ": the registered destroy function ends the device");
        registration->destroy(nullptr);
        report.Expect(true, std::string(module) + ": the registered destroy function accepts NULL");
    }
}
