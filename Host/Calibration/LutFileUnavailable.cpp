// Builds without OpenColorIO: LUT files cannot be read, and a LutFile only says so.
#include "Calibration/LutFile.h"
#include "HostError.h"

struct LutFile::Processor {};

void ForgetLutFiles() {}

LutFile::LutFile(const std::filesystem::path&)
{
    throw HostError("reading LUT files is not available in this build of zezctl (built without OpenColorIO)");
}

RgbFunction LutFile::OnByteScale() const
{
    return [](const Rgb& in) { return in; };
}
