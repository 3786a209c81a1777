// The 3D LUT download: a transform (or the identity) sampled on the display's cubic grid,
// sent point by point, then named, enabled and stored.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "OvCore/OvError.h"
#include "OvData/OvArray.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvVCPIds.h"
#include "OvDevices/OvVendorLists.h"
#include "OvMath/OvColorType.h"
#include "OvMath/OvTrafo.h"
#include "OvSystem/OvSystem.h"
#include "OvTools/OvDebug.h"
#include "Progress/OvProgress.h"

namespace {

constexpr int32_t kSmallGrid = 9;
constexpr int32_t kLargeGrid = 17;
// Models with the large grid, which also take the table into RAM and save it to EEPROM.
constexpr const char* kLargeGridModels[] = {"PA322UHD", "X841UHD"};
constexpr uint8_t kLutSlot = 2;
constexpr int32_t kAfterSaveMs = 2000;
constexpr int32_t kAfterNameMs = 1000;

struct LutTransfer {
    int32_t pointsPerMessage;
    int32_t ramSendWaitMs;
};
constexpr LutTransfer kDdcTransfer = {4, 300};
constexpr LutTransfer kUsbTransfer = {8, 50};

bool ContainsIgnoringCase(std::string text, std::string part)
{
    const auto upper = [](std::string& s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    };
    upper(text);
    upper(part);
    return text.find(part) != std::string::npos;
}

OvVCPListRecord SetIfDifferent(uint16_t vcp, uint32_t value) { return {0x0101, vcp, value, 0, 0}; }

// Runs the records with SetGetVCPList; its result.
int32_t RunVCPList(OvROVUvidedImpl& device, std::initializer_list<OvVCPListRecord> records, OvProgress* progress)
{
    OvArray<OvVCPListRecord> list;
    list.SetCount(static_cast<int32_t>(records.size()));
    int32_t i = 0;
    for (const OvVCPListRecord& record : records) list[i++] = record;
    return device.SetGetVCPList(&list, progress);
}

}  // namespace

bool OvROVUvidedImpl::HasLargeLutGrid()
{
    const std::string model = GetModelName();
    return std::any_of(std::begin(kLargeGridModels), std::end(kLargeGridModels),
                       [&](const char* name) { return ContainsIgnoringCase(model, name); });
}

void OvROVUvidedImpl::Set3DLUT(OvTrafo* transform, OvProgress* progress)
{
    if (transform && transform->InterfaceVersion() != kOvTrafoInterfaceVersion) OV_RAISE(kOvVersionErr, "OvVersionErr");
    if (!Supports3DLUT()) OV_RAISE(kOvUndefProc, "OvUndefProc");
    Download3DLUT(transform, progress);
}

std::vector<int32_t> OvROVUvidedImpl::SampleLutGrid(OvTrafo* transform, int32_t n, OvProgress& progress)
{
    std::vector<int32_t> grid(static_cast<size_t>(3 * n * n * n));
    const double step = 1.0 / (n * n);
    double done = 0.0;
    size_t at = 0;
    for (int32_t b = 0; b < n; ++b) {
        for (int32_t g = 0; g < n; ++g) {
            for (int32_t r = 0; r < n; ++r) {
                OvVector colour(3, kOvColorRGB, r * 255.0 / (n - 1), g * 255.0 / (n - 1), b * 255.0 / (n - 1));
                if (transform) transform->EvaluateVector(colour);
                for (int32_t c = 0; c < 3; ++c) grid[at++] = LutValue(colour.Get(c));
            }
            done += step;
            progress.SetProgress(std::min(done, 1.0));
        }
    }
    return grid;
}

int32_t OvROVUvidedImpl::LutValue(double output)
{
    // trunc(4 * output), within what a signed 32-bit value holds; NaN as 0.
    const double scaled = 4.0 * output;
    if (!(scaled == scaled)) return 0;
    return static_cast<int32_t>(std::clamp(scaled, -2147483648.0, 2147483647.0));
}

void OvROVUvidedImpl::Download3DLUT(OvTrafo* transform, OvProgress* progress)
{
    if (!fDDCControl) OV_RAISE(kOvIOErr, "OvIOErr");
    const bool large = HasLargeLutGrid();
    const int32_t n = large ? kLargeGrid : kSmallGrid;
    OvSubProgress steps(progress, 0.0, 1.0);
    steps.NextRange(0.1);
    int32_t error = RunVCPList(*this,
                               {SetIfDifferent(kVcpPictureModePa, 4), SetIfDifferent(kVcpPicturePresetPa, 9),
                                SetIfDifferent(kVcpLutNumberSelectPa, 2), SetIfDifferent(kVcpLutPrintPreviewPa, 1),
                                SetIfDifferent(kVcpDisableColorConvert, 3)},
                               &steps);
    steps.NextRange(0.2);
    std::vector<int32_t> grid;
    if (error == 0) grid = SampleLutGrid(transform, n, steps);
    steps.NextRange(0.7);
    if (error == 0) error = ThreeD_LUT_write(grid, n, &steps);
    steps.NextRange(0.8);
    if (error == 0) {
        error = large ? RunVCPList(*this,
                                   {SetIfDifferent(kVcpSaveLutToEepromPa, 1), SetIfDifferent(kVcpDisableColorConvert, 1),
                                    SetIfDifferent(kVcpLutPrintPreviewPa, 2)},
                                   &steps)
                      : RunVCPList(*this, {SetIfDifferent(kVcpDisableColorConvert, 1), SetIfDifferent(kVcpLutPrintPreviewPa, 2)},
                                   &steps);
        if (error == 0) WaitForColorConvert();
    }
    steps.NextRange(0.9);
    if (error == 0) {
        error = fDDCControl->SaveCurrentSettings();
        SleepMs(kAfterSaveMs);
        steps.SetProgress(1.0);
    }
    steps.NextRange(1.0);
    if (error == 0) {
        error = fDDCControl->NameLutSlot(kLutSlot, transform ? "Custom3DLUT" : "Linear3DLUT");
        SleepMs(kAfterNameMs);
    }
    steps.SetProgress(1.0);
    if (error != 0) throw OvError(kOvIOErr, OvString::Format("error code: %d", error).Chars(), OV_SOURCE_FILE, __LINE__, 0);
}

int32_t OvROVUvidedImpl::ThreeD_LUT_write(const std::vector<int32_t>& grid, int32_t n, OvProgress* progress)
{
    const bool toRam = HasLargeLutGrid();
    DebugPrintf(kOvChannelMonitor, "%s", "ThreeD_LUT_write");
    DebugPrintf(kOvChannelMonitor, "\twrite_to_ram = %i", toRam ? 1 : 0);
    if (!fDDCControl) OV_RAISE(kOvIOErr, "OvIOErr");
    const LutTransfer transfer = fConnectedPerUSB ? kUsbTransfer : kDdcTransfer;
    const int32_t points = n * n * n;
    OvSubProgress messages(progress, 0.0, 1.0);
    // The step is taken as whole messages of the grid; a partial last message would
    // carry it past the end, so the reports stop at 1.
    const double step = 1.0 / (points / transfer.pointsPerMessage);
    double done = 0.0;
    for (int32_t p = 0; p < points;) {
        const int32_t k = std::min(transfer.pointsPerMessage, points - p);
        const auto r = static_cast<uint8_t>(p % n);
        const auto g = static_cast<uint8_t>((p / n) % n);
        const auto b = static_cast<uint8_t>((p / (n * n)) % n);
        const int32_t* values = grid.data() + 3 * p;
        DebugPrintf(kOvChannelMonitor, "\tr=%3i, g=%3i, b=%3i (%4d,%4d,%4d)", r, g, b, values[0], values[1], values[2]);
        const int32_t result = toRam ? fDDCControl->WriteLutPointsToRam(r, g, b, values, k, transfer.ramSendWaitMs)
                                     : fDDCControl->WriteLutPointsDirect(r, g, b, values, k);
        if (result != 0) return result;
        done += step;
        messages.SetProgress(std::min(done, 1.0));
        p += k;
    }
    return 0;
}
