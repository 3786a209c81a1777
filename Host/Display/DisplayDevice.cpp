#include "Display/DisplayDevice.h"

#include <vector>

#include "Plugin/DeviceCall.h"

namespace {

// Commands answer at most a few kilobytes ("GetCurves" 256 lines); this leaves room.
constexpr int32_t kCommandAnswerSize = 64 * 1024;
// The settle time handed to the VCP setter; the plug-in waits longer where a control needs it.
constexpr uint32_t kVcpSetDelayMs = 50;

uint8_t Page(uint16_t id)
{
    return static_cast<uint8_t>(id >> 8);
}
uint8_t Code(uint16_t id)
{
    return static_cast<uint8_t>(id & 0xFF);
}

std::string Text(const char* text)
{
    return text ? std::string(text) : std::string();
}

}  // namespace

const char* LevelName(LevelControl control)
{
    switch (control) {
    case LevelControl::kBrightness: return "brightness";
    case LevelControl::kContrast: return "contrast";
    case LevelControl::kBlackLevel: return "black level";
    case LevelControl::kRedGain: return "red gain";
    case LevelControl::kGreenGain: return "green gain";
    case LevelControl::kBlueGain: return "blue gain";
    }
    return "level";
}

DisplayDevice::DisplayDevice(DeviceHandle device) : fDevice(std::move(device))
{
    const int32_t version = CallDevice("GetInterfaceVersion", [&] { return fDevice->GetInterfaceVersion(); });
    if (version != kOvDeviceInterfaceVersion)
        throw HostError("the plug-in's device speaks interface version " + std::to_string(version) + ", this host " +
                        std::to_string(kOvDeviceInterfaceVersion));
}

void DisplayDevice::Connect(int32_t displayId, int32_t port)
{
    const int32_t result = CallDevice("ConnectMonitor", [&] { return fDevice->ConnectMonitor(displayId, port); });
    if (result == -1) throw HostError("no display on port " + std::to_string(port) + " (ConnectMonitor returned -1)");
    if (result != 0)
        throw HostError("connecting port " + std::to_string(port) + " failed with DDC/CI error " +
                        std::to_string(result));
}

int32_t DisplayDevice::ConnectPort(int32_t port)
{
    return CallDevice("ConnectPort", [&] { return fDevice->ConnectPort(port); });
}

void DisplayDevice::EnumerateInterfaces()
{
    CallDevice("ConnectMonitorID", [&] { return fDevice->ConnectMonitorID(-1, 0); });
}

DisplayIdentity DisplayDevice::Identity()
{
    DisplayIdentity identity;
    identity.port = CallDevice("GetPort", [&] { return fDevice->GetPort(); });
    identity.vendorProductId = CallDevice("GetVendorProductID", [&] { return fDevice->GetVendorProductID(); });
    // Each text stays valid only until the next name or serial call: copy it at once.
    identity.modelName = CallDevice("GetModelName", [&] { return Text(fDevice->GetModelName()); });
    identity.serialNumber = CallDevice("GetSerialNumber", [&] { return Text(fDevice->GetSerialNumber()); });
    identity.digitalInput = CallDevice("IsDigitalInput", [&] { return fDevice->IsDigitalInput(); });
    return identity;
}

EdidBlock DisplayDevice::ReadEdid()
{
    EdidBlock edid{};
    const int32_t result = CallDevice("ReadEDID", [&] { return fDevice->ReadEDID(edid.data()); });
    if (result != 0) throw HostError("ReadEDID failed with error " + std::to_string(result));
    return edid;
}

std::string DisplayDevice::CapabilityString()
{
    return CallDevice("GetCapabilityStr", [&] { return Text(fDevice->GetCapabilityStr()); });
}

std::optional<VcpReading> DisplayDevice::ReadVcp(uint16_t id)
{
    VcpReading reading;
    const bool supported = CallDevice("GetVCPPageFeature", [&] {
        return fDevice->GetVCPPageFeature(Page(id), Code(id), &reading.current, &reading.maximum);
    });
    if (!supported) return std::nullopt;
    return reading;
}

bool DisplayDevice::WriteVcp(uint16_t id, uint32_t value)
{
    return CallDevice("SetVCPPageFeature",
                      [&] { return fDevice->SetVCPPageFeature(Page(id), Code(id), value, kVcpSetDelayMs); });
}

bool DisplayDevice::HasGetter(LevelControl control)
{
    return control != LevelControl::kContrast && control != LevelControl::kBlackLevel;
}

double DisplayDevice::GetLevel(LevelControl control)
{
    switch (control) {
    case LevelControl::kBrightness: return CallDevice("GetBrightness", [&] { return fDevice->GetBrightness(); });
    case LevelControl::kRedGain: return CallDevice("GetRedGain", [&] { return fDevice->GetRedGain(); });
    case LevelControl::kGreenGain: return CallDevice("GetGreenGain", [&] { return fDevice->GetGreenGain(); });
    case LevelControl::kBlueGain: return CallDevice("GetBlueGain", [&] { return fDevice->GetBlueGain(); });
    case LevelControl::kContrast:
    case LevelControl::kBlackLevel: break;
    }
    throw HostError(std::string("the device interface has no getter for the ") + LevelName(control));
}

void DisplayDevice::SetLevel(LevelControl control, double fraction)
{
    switch (control) {
    case LevelControl::kBrightness: return CallDevice("SetBrightness", [&] { fDevice->SetBrightness(fraction); });
    case LevelControl::kContrast: return CallDevice("SetContrast", [&] { fDevice->SetContrast(fraction); });
    case LevelControl::kBlackLevel: return CallDevice("SetBlackLevel", [&] { fDevice->SetBlackLevel(fraction); });
    case LevelControl::kRedGain: return CallDevice("SetRedGain", [&] { fDevice->SetRedGain(fraction); });
    case LevelControl::kGreenGain: return CallDevice("SetGreenGain", [&] { fDevice->SetGreenGain(fraction); });
    case LevelControl::kBlueGain: return CallDevice("SetBlueGain", [&] { fDevice->SetBlueGain(fraction); });
    }
}

std::string DisplayDevice::ExecuteCommand(const std::string& name, const std::string& argument)
{
    // Commands without a text answer leave the buffer untouched: it starts empty.
    std::vector<char> answer(kCommandAnswerSize, '\0');
    CallDevice("command " + name, [&] {
        return fDevice->ExecuteCommand(name.c_str(), argument.c_str(), answer.data(), kCommandAnswerSize);
    });
    answer.back() = '\0';
    return std::string(answer.data());
}

void DisplayDevice::ReadGammaTable()
{
    CallDevice("ReadGammaTable", [&] { fDevice->ReadGammaTable(); });
}

GammaTableImage DisplayDevice::TableImage()
{
    return ParseCurvesAnswer(ExecuteCommand("GetCurves", ""));
}
