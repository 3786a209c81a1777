// SetRGBCalibration: chooses the display family's path by the vendor-product id. Here
// the paths of the 256-entry and the 10-bit tables; the newer series are in
// OvDeviceSeriesCalibration.cpp. Each path computes its table (OvCalibrationTables) and
// uploads it.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include <algorithm>
#include <cstring>

#include "OvCore/OvError.h"
#include "OvDevices/OvCalibrationLists.h"
#include "OvDevices/OvCalibrationTables.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvThrottledProgress.h"
#include "OvDevices/OvVCPIds.h"
#include "OvMath/OvColorType.h"
#include "OvMath/OvTrafo.h"
#include "OvSystem/OvPlatform.h"
#include "OvTools/OvDebug.h"

using namespace OvCalibrationTables;

namespace {
constexpr int32_t kDefaultTenBitFullScale = 1023;

void RequireRGBOutput(const OvTrafo& transform)
{
    if (transform.OutputColorType() != kOvColorRGB) OV_RAISE(kOvWrongDataType, "OvWrongDataType");
}

void LogPath(const char* name) { DebugPrintf(kOvChannelMonitor, "DDC2Device%s", name); }
}  // namespace

void OvROVUvidedImpl::SetRGBCalibration(OvTrafo* calibration, OvProgress* progress)
{
    if (!calibration) OV_RAISE(kOvArgErr, "OvArgErr");
    if (calibration->InterfaceVersion() != kOvTrafoInterfaceVersion) OV_RAISE(kOvVersionErr, "OvVersionErr");
    DebugPrintf(kOvChannelMonitor, "DDC2Device%s", "::SetRGBCalibration");
    const uint32_t id = GetVendorProductID();
    DebugPrintf(kOvChannelMonitor, "- vendorID = %x", id);
    if (OvIdListContains(kOv19InchPath, id))
        SetRGBCalibration19Inch(*calibration, progress);
    else if (OvIdListContains(kOv10To10BitPath, id))
        SetRGBCalibration10To10bit(*calibration, progress);
    else if (OvIdListContains(kOvSeriesPAPath, id))
        SetRGBCalibrationSeriesPA(*calibration, progress);
    else if (OvIdListContains(kOvSeries90Path, id))
        SetRGBCalibrationSeries90(*calibration, progress);
    else
        SetRGBCalibrationIgnoreGain(*calibration, progress);
    DumpPictureValues(OvString("Dump values after SetRGBCalibration"));
}

void OvROVUvidedImpl::UploadTable256(const Table256& table, OvProgress* progress)
{
    UpdateCalibration(kTable256Bytes, table.data(), fTableImage, progress);
    RefreshGammatable();
    SaveGammatable();
}

void OvROVUvidedImpl::SetRGBCalibrationIgnoreGain(OvTrafo& calibration, OvProgress* progress)
{
    LogPath("::SetRGBCalibrationIgnoreGain");
    RequireRGBOutput(calibration);
    const Table256 table = IgnoreGainTable(calibration);
    UploadTable256(table, progress);
    std::memcpy(fTableImage, table.data(), sizeof fTableImage);
}

void OvROVUvidedImpl::SetRGBCalibration10To10bit(OvTrafo& calibration, OvProgress* progress)
{
    LogPath("::SetRGBCalibration10To10bit");
    const uint32_t start = OvPlatform::TickCount();
    uint32_t fullScale = 0;
    uint32_t maximum = 0;
    const bool read = GetVCPPageFeature(VcpPage(kVcpCscGain), VcpCode(kVcpCscGain), &fullScale, &maximum);
    const int32_t scale = read && static_cast<int32_t>(fullScale) > 0 ? static_cast<int32_t>(fullScale)
                                                                      : kDefaultTenBitFullScale;
    const std::vector<uint8_t> table = TenBitTable(calibration, scale);
    // Sent whole: the table image only mirrors the 256-entry table.
    SendTableChunks(static_cast<int32_t>(table.size()), table.data(), nullptr, progress,
                    OvThrottledProgress(progress, start));
    RefreshGammatable();
    SaveGammatable();
}

void OvROVUvidedImpl::SetRGBCalibration19Inch(OvTrafo& calibration, OvProgress* progress)
{
    LogPath("::SetRGBCalibration19Inch");
    RequireRGBOutput(calibration);
    const NineteenInchTable computed = NineteenInch(calibration);
    // The computed entries are marked changed in the image, so their chunks are sent.
    for (int32_t c = 0; c < kChannels; ++c) {
        for (int32_t i = 0; i < computed.computed[c]; ++i) {
            fTableImage[c * kEntries256 * 2 + i * 2] = 0xFF;
            fTableImage[c * kEntries256 * 2 + i * 2 + 1] = 0xFF;
        }
    }
    SetRedGain(1.0);
    SetGreenGain(1.0);
    SetBlueGain(1.0);
    UploadTable256(computed.table, progress);
    SetRedGain(computed.white[0] / 255.0);
    SetGreenGain(computed.white[1] / 255.0);
    SetBlueGain(computed.white[2] / 255.0);
    std::memcpy(fTableImage, computed.table.data(), sizeof fTableImage);
}
