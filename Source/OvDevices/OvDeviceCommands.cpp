// ExecuteCommand: the device's text commands, one table of names and handlers. The
// handlers work through the device interface, so a simulated display answers with its
// own operations where it has them.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include <cstdlib>
#include <cstring>
#include <memory>

#include "OvCore/OvError.h"
#include "OvDevices/OvDisplayInterfaces.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvVCPIds.h"
#include "OvDevices/OvVCPNames.h"
#include "OvCore/OvTemplates.h"
#include "OvMath/OvEvaluateTrafo.h"
#include "Progress/OvProgress.h"

namespace {

constexpr const char* kProgressFormat = "%3.0f %%\n";
constexpr uint32_t kEnable3DLUTDelayMs = 2000;
constexpr uint32_t kSetVCPDelayMs = 50;

// The caller's result buffer.
class CommandResult {
public:
    CommandResult(char* buffer, int32_t size) : fBuffer(buffer), fSize(size) {}
    // Copies the answer with its terminating zero; "OvArgErr" when it does not fit.
    void Copy(const OvString& answer)
    {
        Require();
        if (answer.Length() + 1 > fSize) OV_RAISE(kOvArgErr, "OvArgErr");
        std::memcpy(fBuffer, answer.Chars(), static_cast<size_t>(answer.Length()) + 1);
    }
    void Require() const
    {
        if (!fBuffer) OV_RAISE(kOvArgErr, "OvArgErr");
    }
    char* Buffer() const { return fBuffer; }
    int32_t Size() const { return fSize; }

private:
    char* fBuffer;
    int32_t fSize;
};

OvString Token(const OvString& argument, int32_t n) { return argument.GetToken(n, false, ""); }

int32_t HexValue(const OvString& text) { return static_cast<int32_t>(std::strtol(text.Chars(), nullptr, 16)); }

// A VCP address: "0x" and four hexadecimal digits (page first) in token 0, or decimal
// page and code in tokens 0 and 1. The tokens after the address follow from `next`.
struct VCPAddress {
    uint8_t page;
    uint8_t code;
    int32_t next;
    uint16_t Id() const { return static_cast<uint16_t>(page * 256 + code); }
};

VCPAddress ParseVCPAddress(const OvString& argument)
{
    OvString first = Token(argument, 0);
    if (std::strncmp(first.Chars(), "0x", 2) == 0) {
        first.ReplaceAll("0x", "");
        if (first.Length() != 4) OV_RAISE(kOvArgErr, "OvArgErr");
        return {static_cast<uint8_t>(HexValue(first.Left(2))), static_cast<uint8_t>(HexValue(first.Mid(2, 2))), 1};
    }
    return {static_cast<uint8_t>(first.ToInt()), static_cast<uint8_t>(Token(argument, 1).ToInt()), 2};
}

using Handler = void (*)(OvROVUvidedImpl& device, const OvString& argument, CommandResult& result);

void Version(OvROVUvidedImpl&, const OvString&, CommandResult& result) { result.Copy(OvString(kOvDeviceBuild)); }

void LastError(OvROVUvidedImpl&, const OvString&, CommandResult& result)
{
    result.Require();
    if (result.Size() < 1) OV_RAISE(kOvArgErr, "OvArgErr");
    // Cut to the buffer rather than refused.
    std::strncpy(result.Buffer(), LastErrorRecord().GetMessage(), static_cast<size_t>(result.Size()));
    result.Buffer()[result.Size() - 1] = '\0';
    LastErrorRecord() = OvError();
}

void GetCurves(OvROVUvidedImpl& device, const OvString&, CommandResult& result)
{
    result.Require();
    const std::span<const uint8_t> image = device.TableImage();
    const auto entry = [&](int32_t channel, int32_t i) { return (image[channel * 512 + 2 * i] << 8) | image[channel * 512 + 2 * i + 1]; };
    int32_t length = 0;
    result.Buffer()[0] = '\0';
    for (int32_t i = 0; i < 256; ++i) {
        const OvString line = OvString::Format("%d\t%d\t%d\t%d\n", i, entry(0, i), entry(1, i), entry(2, i));
        // The lines that fit stay in the buffer when one does not.
        if (length + line.Length() + 1 > result.Size()) OV_RAISE(kOvArgErr, "OvArgErr");
        std::memcpy(result.Buffer() + length, line.Chars(), static_cast<size_t>(line.Length()) + 1);
        length += line.Length();
    }
}

void Init3DLUT(OvROVUvidedImpl& device, const OvString&, CommandResult&)
{
    OvConsoleProgress progress{OvString(kProgressFormat)};
    device.Set3DLUT(nullptr, &progress);
}

void Enable3DLUT(OvROVUvidedImpl& device, const OvString& argument, CommandResult&)
{
    device.SetPagedVCP(kVcpLutPrintPreviewPa, argument.ToInt() != 0 ? 2 : 1, kEnable3DLUTDelayMs, true);
}

void Swap3DLUT(OvROVUvidedImpl& device, const OvString&, CommandResult&)
{
    // Exchanges the first two colour channels.
    const OvRef<OvEvaluateTrafo> swap = OvMakeRef<OvEvaluateTrafo>(OvString("t=x0; x0=x1; x1=t"));
    OvConsoleProgress progress{OvString(kProgressFormat)};
    device.Set3DLUT(swap.Get(), &progress);
}

void TargetCurve(OvROVUvidedImpl& device, const OvString& argument, CommandResult&)
{
    const double value = argument.ToDouble();
    // Positive values are gamma exponents; -2 and -4 name predefined curves.
    device.SetCommandValue(value != -2.0 && value != -4.0 && value <= 0.0 ? 2.0 : value);
}

void SetVCP(OvROVUvidedImpl& device, const OvString& argument, CommandResult&)
{
    const VCPAddress address = ParseVCPAddress(argument);
    const auto value = static_cast<uint32_t>(Token(argument, address.next).ToInt());
    device.SetVCPPageFeature(address.page, address.code, value, kSetVCPDelayMs);
}

void GetVCP(OvROVUvidedImpl& device, const OvString& argument, CommandResult& result)
{
    const VCPAddress address = ParseVCPAddress(argument);
    uint32_t current = 0;
    uint32_t maximum = 0;
    const OvString name = VCPName(address.Id());
    result.Copy(device.GetPagedVCP(address.Id(), &current, &maximum)
                    ? OvString::Format("%s -> %d (max: %d)", name.Chars(), static_cast<int32_t>(current),
                                       static_cast<int32_t>(maximum))
                    : OvString::Format("%s -> UNSUPPORTED", name.Chars()));
}

void TestVCPCodes(OvROVUvidedImpl& device, const OvString& argument, CommandResult& result)
{
    const bool all = Token(argument, 2).ToBool();
    result.Copy(device.ScanVCPCodes(static_cast<uint32_t>(Token(argument, 0).ToInt()),
                                    static_cast<uint32_t>(Token(argument, 1).ToInt()), !all));
}

void SetUniformityCorrection(OvROVUvidedImpl& device, const OvString& argument, CommandResult&)
{
    uint32_t state = 0;
    uint32_t level = 0;
    device.GetUniformityCorrection(&state, &level);
    const int32_t n = argument.ToInt();
    if (n == -2) {
        // The next preparation for calibration reads the display's setting again.
        device.SetCalibrationState(-2);
    } else if (n >= 1) {
        device.SetUniformityCorrection(2, static_cast<uint32_t>(n));
    } else {
        device.SetUniformityCorrection(1, level);
    }
}

void GetUniformityCorrection(OvROVUvidedImpl& device, const OvString&, CommandResult& result)
{
    uint32_t state = 0;
    uint32_t level = 0;
    device.GetUniformityCorrection(&state, &level);
    result.Copy(OvString::Format("%ld", state == 1 ? -1L : static_cast<long>(level)));
}

void SetPicturePreset(OvROVUvidedImpl& device, const OvString& argument, CommandResult&)
{
    device.SetPicturePreset(static_cast<uint32_t>(argument.ToInt()));
}

void SetPictureMode(OvROVUvidedImpl& device, const OvString& argument, CommandResult&)
{
    device.SetPictureMode(static_cast<uint32_t>(argument.ToInt()));
}

// The display is not asked: the answer is always 0.
void GetPictureSetting(OvROVUvidedImpl&, const OvString&, CommandResult& result) { result.Copy(OvString("0")); }

void GetLegalPortList(OvROVUvidedImpl& device, const OvString&, CommandResult& result)
{
    InitLegalPortList(&device);
    OvString answer;
    for (const int32_t port : LegalPortList()) {
        if (!answer.IsEmpty()) answer += " ";
        answer += OvString::Format("%ld", static_cast<long>(port));
    }
    result.Copy(answer);
}

struct Command {
    const char* name;
    Handler handler;
};

// In the order the names are tested.
constexpr Command kCommands[] = {
    {"Version", Version},
    {"LastError", LastError},
    {"GetCurves", GetCurves},
    {"Init3DLUT", Init3DLUT},
    {"Enable3DLUT", Enable3DLUT},
    {"Swap3DLUT", Swap3DLUT},
    {"TargetCurve", TargetCurve},
    {"SetVCP", SetVCP},
    {"GetVCP", GetVCP},
    {"TestVCPCodes", TestVCPCodes},
    {"SetUniformityCorrection", SetUniformityCorrection},
    {"GetUniformityCorrection", GetUniformityCorrection},
    {"SetPicturePreset", SetPicturePreset},
    {"GetPicturePreset", GetPictureSetting},
    {"SetPictureMode", SetPictureMode},
    {"GetPictureMode", GetPictureSetting},
    {"GetLegalPortList", GetLegalPortList},
};

}  // namespace

char* OvROVUvidedImpl::ExecuteCommand(const char* command, const char* argument, char* result, int32_t resultSize)
{
    if (!command) OV_RAISE(kOvArgErr, "OvArgErr");
    for (const Command& entry : kCommands) {
        if (std::strcmp(command, entry.name) != 0) continue;
        CommandResult answer(result, resultSize);
        entry.handler(*this, OvString(argument ? argument : ""), answer);
        break;
    }
    return result;
}
