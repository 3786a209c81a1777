// The text commands (slot 49) of a real-display device on the emulated PA271W: answers
// copied into the host's buffer, a buffer too small for its answer, and a 3D LUT command
// refused by a device whose display is outside the 3D LUT group.
#include <cmath>
#include <cstdlib>
#include <string>

#include "ConformanceChecks.h"

namespace {
constexpr int32_t kUndefProc = 1;
constexpr int32_t kArgErr = 3;

std::string Command(const char* command, const char* argument)
{
    return EmulatedSlot(49, "ExecuteCommand") + " \"" + command + "\" \"" + argument + "\"";
}

// The answer to a command whose answer fits a generous buffer.
std::string Answer(OvROVUvided& device, const char* command, const char* argument)
{
    char result[256] = "(untouched)";
    return device.ExecuteCommand(command, argument, result, sizeof result);
}

// The code of the OvError the command raises with that buffer size, or "none".
std::string RaisedCode(OvROVUvided& device, const char* command, int32_t resultSize)
{
    char result[256] = {};
    try {
        device.ExecuteCommand(command, "", result, resultSize);
    } catch (const OvError& error) {
        return std::to_string(error.code);
    }
    return "none";
}
}  // namespace

void CheckEmulatedCommands(PluginSession& session, CheckReport& report)
{
    DeviceHandle device = ConnectEmulatedDisplay(session, report);
    if (!device) return;
    report.ExpectEqual(Answer(*device, "Version", ""), std::string("18403"), Command("Version", ""));
    report.ExpectEqual(RaisedCode(*device, "Version", 6), std::string("none"),
                       Command("Version", "") + " fits a 6-byte buffer");
    report.ExpectEqual(RaisedCode(*device, "Version", 5), std::to_string(kArgErr),
                       Command("Version", "") + " with a 5-byte buffer raises OvArgErr");
    report.ExpectEqual(Answer(*device, "GetVCP", "0x0010"), std::string("VCP_0010_BRIGHTNESS -> 70 (max: 100)"),
                       Command("GetVCP", "0x0010"));
    report.ExpectEqual(Answer(*device, "GetLegalPortList", ""), std::string("0"), Command("GetLegalPortList", ""));
}

// The identity download on the PA271W itself is 183 direct writes and the steps around
// them, about 45 s of real waits here, so only the refusal is checked: an unconnected
// device's empty EDID gives vendor-product id 0, which no 3D LUT display has.
void CheckInit3DLUTOutsideGroup(PluginSession& session, CheckReport& report)
{
    DeviceHandle device = session.CreateDevice(kRealModule);
    if (!device) {
        report.Expect(false, "the real module creates a device");
        return;
    }
    const std::string what = std::string(kRealModule) + " unconnected: slot ";
    report.ExpectEqual(device->Supports3DLUT(), false, what + "36 Supports3DLUT");
    report.ExpectEqual(RaisedCode(*device, "Init3DLUT", 256), std::to_string(kUndefProc),
                       what + "49 ExecuteCommand \"Init3DLUT\" raises OvUndefProc");
}

// SetGamma (slot 34) on the PA271W loads 256 entries a channel on the full scale 1023;
// ReadGammaTable (slot 33) and "GetCurves" show the red channel. The host computes the
// curve on its own, so an entry may differ from the plug-in's by its last truncation.
void CheckEmulatedSetGamma(PluginSession& session, CheckReport& report)
{
    DeviceHandle device = ConnectEmulatedDisplay(session, report);
    if (!device) return;
    device->SetGamma(2.2, nullptr);
    device->ReadGammaTable();
    static char curves[8192];
    device->ExecuteCommand("GetCurves", "", curves, sizeof curves);
    for (const int input : {0, 64, 128, 255}) {
        const std::string prefix = "\n" + std::to_string(input) + "\t";
        const std::string text = std::string("\n") + curves;
        const size_t at = text.find(prefix);
        const int red = at == std::string::npos ? -1 : std::atoi(text.c_str() + at + prefix.size());
        const int expected = static_cast<int>(255.0 * std::pow(input / 255.0, 2.2) * 1023 / 255.0);
        report.Expect(red >= expected - 1 && red <= expected + 1,
                      EmulatedSlot(34, "SetGamma") + " 2.2, then slot 33: red entry " + std::to_string(input) + " is " +
                          std::to_string(red) + ", about " + std::to_string(expected));
    }
}
