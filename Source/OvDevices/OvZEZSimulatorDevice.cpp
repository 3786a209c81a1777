#define OV_SOURCE_FILE "Source/OvDevices/OvZEZSimulatorDevice"
#include "OvDevices/OvZEZSimulatorDevice.h"

#include <new>
#include <string_view>

#include "OvCore/OvError.h"
#include "OvDevices/OvEdidText.h"
#include "OvDevices/OvMonitorSimulation.h"
#include "OvMath/OvColorType.h"
#include "OvMath/OvTrafo.h"
#include "OvMath/OvVector.h"
#include "OvSystem/OvSystem.h"
#include "OvTools/OvDebug.h"
#include "Progress/OvProgress.h"

static_assert(std::string_view(OvZEZSimulatorDevice::kDefaultEdid).size() == 256, "128 EDID bytes as hex");
static_assert(std::string_view(OvZEZSimulatorDevice::kDefaultCapability).size() == 334);

namespace {

constexpr int32_t kEdidBytes = 128;
constexpr const char* kDefaultFraction = "1.0";
constexpr const char* kDefaultVCPValue = "0";
constexpr const char* kDefaultVCPMaximum = "1024";
constexpr int32_t kCurveEntries = 256;
constexpr double kFullScale = 255.0;
constexpr int32_t kUpdateSteps = 10;
constexpr int32_t kUpdateStepMs = 100;

int Int(int32_t value) { return static_cast<int>(value); }

// Key of a page/code VCP value or maximum: two lower-case hex digits each.
OvString VCPKey(const char* prefix, uint8_t page, uint8_t code)
{
    return OvString::Format("%s_%02x%02x", prefix, static_cast<unsigned>(page), static_cast<unsigned>(code));
}

// The capability text handed to the host, shared by every simulator object of the process.
OvString& SharedCapabilityText()
{
    static OvString text;
    return text;
}

}  // namespace

OvZEZSimulatorDevice::OvZEZSimulatorDevice()
{
    fConnected = false;
    fSelector.key = OvString();
    fSelector.value = -1;
}

OvROVUvided* OvZEZSimulatorDevice::OvDestroy(uint8_t flags)
{
    // The members (the selector) go first, then the real display's part.
    this->OvZEZSimulatorDevice::~OvZEZSimulatorDevice();
    if (flags & 1) ::operator delete(this);
    return this;
}

OvString OvZEZSimulatorDevice::GetValue(const OvString& key, const char* defaultValue) const
{
    return OvMonitorSimulation::GetSimulationValue(fSelector, key, OvString(defaultValue));
}

void OvZEZSimulatorDevice::SetValue(const OvString& key, const OvString& value) const
{
    OvMonitorSimulation::SetSimulationValue(fSelector, key, value);
}

void OvZEZSimulatorDevice::RequireConnected() const
{
    if (!fConnected) OV_RAISE(kOvIOErr, "OvIOErr");
}

// ---- Connection ----------------------------------------------------------------------

int32_t OvZEZSimulatorDevice::ConnectMonitorID(int32_t displayID, int32_t)
{
    return ConnectPort(displayID);
}

int32_t OvZEZSimulatorDevice::ConnectMonitor(int32_t, int32_t port)
{
    return ConnectPort(port);
}

int32_t OvZEZSimulatorDevice::ConnectPort(int32_t port)
{
    DebugPrintf(kOvChannelMonitor, "ZEZSimulatorDevice::ConnectPort %d", Int(port));
    fPort = port;
    // A port that no described display lists, or controls that cannot be saved, leave the
    // device unconnected; the host learns it from the result.
    try {
        fSelector.key = kPortKey;
        fSelector.value = port;
        SetValue("Connected", "true");
        fConnected = true;
    } catch (const OvError&) {
        fConnected = false;
    }
    if (fConnected) ReadEDID(fEdid);
    DebugPrintf(kOvChannelMonitor, "OvZEZSimulatorDevice::ConnectPort(%d) %s", Int(port),
                fConnected ? "succeeded" : "failed");
    return fConnected ? 0 : -1;
}

void OvZEZSimulatorDevice::Disconnect()
{
    try {
        SetValue("Connected", "false");
    } catch (const OvError&) {
        // Disconnecting always succeeds, whatever became of the files.
    }
    fConnected = false;
    DebugWrite(kOvChannelGeneral, "OvZEZSimulatorDevice::Disconnect");
}

bool OvZEZSimulatorDevice::IsConnected()
{
    return fConnected;
}

// ---- Identity ------------------------------------------------------------------------

int32_t OvZEZSimulatorDevice::ReadEDID(uint8_t* edid)
{
    DebugPrintf(kOvChannelMonitor, "ZEZSimulatorDevice::ReadEDID %d", Int(fPort));
    if (!fConnected) return -1;
    const OvString text = GetValue("EDID", kDefaultEdid);
    // Longer texts are cut to the 128 bytes the caller's buffer holds.
    text.Left(2 * kEdidBytes).HexToBytes(edid, kEdidBytes);
    return 0;
}

bool OvZEZSimulatorDevice::IsDigitalInput()
{
    RequireConnected();
    return ::IsDigitalInput(fEdid);
}

const char* OvZEZSimulatorDevice::GetCapabilityStr()
{
    DebugPrintf(kOvChannelMonitor, "OvZEZSimulatorDevice::GetCapabilityStr %d", Int(fPort));
    RequireConnected();
    OvString& text = SharedCapabilityText();
    text = GetValue("Capability", kDefaultCapability);
    return text.Chars();
}

// ---- Controls ------------------------------------------------------------------------

double OvZEZSimulatorDevice::GetControl(const char* key, const char* operation)
{
    const double fraction = GetValue(key, kDefaultFraction).ToDouble();
    DebugPrintf(kOvChannelMonitor, "OvZEZSimulatorDevice::%s -> %f", operation, fraction);
    return fraction;
}

void OvZEZSimulatorDevice::SetControl(const char* key, const char* operation, double fraction)
{
    DebugPrintf(kOvChannelMonitor, "OvZEZSimulatorDevice::%s %f", operation, fraction);
    SetValue(key, OvString::Format("%f", fraction));
}

double OvZEZSimulatorDevice::GetBrightness() { return GetControl("Brightness", "GetBrightness"); }
double OvZEZSimulatorDevice::GetContrast() { return GetControl("Contrast", "GetContrast"); }
double OvZEZSimulatorDevice::GetRedGain() { return GetControl("RedGain", "GetRedGain"); }
double OvZEZSimulatorDevice::GetGreenGain() { return GetControl("GreenGain", "GetGreenGain"); }
double OvZEZSimulatorDevice::GetBlueGain() { return GetControl("BlueGain", "GetBlueGain"); }

void OvZEZSimulatorDevice::SetBrightness(double fraction) { SetControl("Brightness", "SetBrightness", fraction); }
void OvZEZSimulatorDevice::SetContrast(double fraction) { SetControl("Contrast", "SetContrast", fraction); }
void OvZEZSimulatorDevice::SetRedGain(double fraction) { SetControl("RedGain", "SetRedGain", fraction); }
void OvZEZSimulatorDevice::SetGreenGain(double fraction) { SetControl("GreenGain", "SetGreenGain", fraction); }
void OvZEZSimulatorDevice::SetBlueGain(double fraction) { SetControl("BlueGain", "SetBlueGain", fraction); }

bool OvZEZSimulatorDevice::GetVCPPageFeature(uint8_t page, uint8_t code, uint32_t* current, uint32_t* maximum)
{
    DebugPrintf(kOvChannelVCP, "OvZEZSimulatorDevice::GetVCPPageFeature %d %02x %02x", Int(fPort),
                static_cast<unsigned>(page), static_cast<unsigned>(code));
    const int32_t value = GetValue(VCPKey("VCPVAL", page, code), kDefaultVCPValue).ToInt();
    const int32_t limit = GetValue(VCPKey("VCPMAX", page, code), kDefaultVCPMaximum).ToInt();
    DebugPrintf(kOvChannelVCP, "-> %d %d", Int(value), Int(limit));
    if (current) *current = static_cast<uint32_t>(value);
    if (maximum) *maximum = static_cast<uint32_t>(limit);
    return true;
}

bool OvZEZSimulatorDevice::SetVCPPageFeature(uint8_t page, uint8_t code, uint32_t value, uint32_t)
{
    // Values are 32-bit as on the host's platform, so values above 2^31 are stored
    // negative and read back (ToInt) unchanged.
    const int32_t signedValue = static_cast<int32_t>(value);
    DebugPrintf(kOvChannelVCP, "OvZEZSimulatorDevice::SetVCPPageFeature %d %02x %02x %d", Int(fPort),
                static_cast<unsigned>(page), static_cast<unsigned>(code), Int(signedValue));
    RequireConnected();
    SetValue(VCPKey("VCPVAL", page, code), OvString::FromLong(signedValue));
    return true;
}

bool OvZEZSimulatorDevice::SupportsVCPPageFeature(uint8_t page, uint8_t code)
{
    DebugPrintf(kOvChannelMonitor, "ZEZSimulatorDevice::SupportsVCPPageFeature %02x %02x",
                static_cast<unsigned>(page), static_cast<unsigned>(code));
    return true;
}

// ---- Settings and gamma tables ---------------------------------------------------------

void OvZEZSimulatorDevice::SaveSettings()
{
    DebugPrintf(kOvChannelMonitor, "OvZEZSimulatorDevice::SaveSettings %d", Int(fPort));
}

void OvZEZSimulatorDevice::RefreshGammatable()
{
    DebugPrintf(kOvChannelMonitor, "OvZEZSimulatorDevice::RefreshGammatable %d", Int(fPort));
}

void OvZEZSimulatorDevice::SaveGammatable()
{
    DebugPrintf(kOvChannelMonitor, "OvZEZSimulatorDevice::SaveGammatable %d", Int(fPort));
}

void OvZEZSimulatorDevice::ReadGammaTable()
{
    // There is no table to read back.
    OV_RAISE(kOvUndefProc, "OvUndefProc");
}

void OvZEZSimulatorDevice::UpdateCalibration(int32_t, const uint8_t*, const uint8_t*, OvProgress* progress)
{
    DebugPrintf(kOvChannelMonitor, "OvZEZSimulatorDevice::UpdateCalibration %d", Int(fPort));
    if (!progress) return;
    // Takes about as long as a short table transfer, so the host's progress display moves.
    for (int32_t step = 0; step < kUpdateSteps; ++step) {
        progress->SetProgress(step / static_cast<double>(kUpdateSteps));
        SleepMs(kUpdateStepMs);
    }
    progress->SetProgress(1.0);
}

void OvZEZSimulatorDevice::SetRGBCalibration(OvTrafo* calibration, OvProgress*)
{
    DebugWrite(kOvChannelGeneral, "OvZEZSimulatorDevice::SetRGBCalibration");
    if (!calibration) OV_RAISE(kOvArgErr, "OvArgErr");
    constexpr int32_t kChannels = 3;
    OvString curves[kChannels];
    float previous[kChannels] = {};
    for (int32_t i = 0; i < kCurveEntries; ++i) {
        const double grey = i;
        OvVector colour(kChannels, kOvColorRGB, grey, grey, grey);
        calibration->EvaluateVector(colour);
        for (int32_t c = 0; c < kChannels; ++c) {
            float value = static_cast<float>(colour.Get(c) / kFullScale);
            // A dip in the calibration would make the display's curve fall: hold it flat.
            if (i > 0 && previous[c] > value) value = previous[c];
            previous[c] = value;
            curves[c].Append(OvString::Format(" %f", static_cast<double>(value)));
        }
    }
    SetValue("RLUT", curves[0]);
    SetValue("GLUT", curves[1]);
    SetValue("BLUT", curves[2]);
}
