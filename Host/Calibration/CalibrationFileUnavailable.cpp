// Builds without Little CMS: the calibration file readers only say so.
#include "Calibration/CalibrationFile.h"
#include "HostError.h"

namespace {
[[noreturn]] void Unavailable()
{
    throw HostError("reading calibration files is not available in this build of zezctl (built without Little CMS)");
}
}  // namespace

CalibrationCurves ReadCalibrationData(std::string_view, const std::string&)
{
    Unavailable();
}

CalibrationCurves ReadCalibrationFile(const std::filesystem::path&)
{
    Unavailable();
}
