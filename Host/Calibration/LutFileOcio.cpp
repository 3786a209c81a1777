// LUT files through OpenColorIO: a raw configuration (no config file needed) with one
// file transform, applied by the CPU processor.
#include <OpenColorIO/OpenColorIO.h>

#include <fstream>
#include <string_view>

#include "Calibration/LutFile.h"
#include "HostError.h"

namespace OCIO = OCIO_NAMESPACE;

struct LutFile::Processor {
    OCIO::ConstCPUProcessorRcPtr cpu;
};

namespace {
constexpr double kByteScale = 255.0;

// OpenColorIO's messages run over several lines; an error of zezctl is one.
std::string OneLine(const char* text)
{
    std::string line;
    for (const char* c = text; *c != '\0'; ++c) {
        const bool blank = *c == ' ' || *c == '\t' || *c == '\n' || *c == '\r';
        if (!blank) line += *c;
        else if (!line.empty() && line.back() != ' ') line += ' ';
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}
// OpenColorIO also reads ICC profiles, and falls back to every reader it has when the
// extension's own fails. Its profile reader sizes the tag directory from the count in the
// header unchecked: a damaged profile claiming 757 million tags made zezctl use 18 GB. A
// profile is never a LUT here, so none reaches OpenColorIO.
bool IsIccProfile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    char header[40] = {};
    in.read(header, sizeof header);
    return in.gcount() == sizeof header && std::string_view(header + 36, 4) == "acsp";
}
}  // namespace

void ForgetLutFiles()
{
    OCIO::ClearAllCaches();
}

LutFile::LutFile(const std::filesystem::path& file)
{
    const std::string name = file.string();
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) throw HostError(name + ": cannot be opened");
    if (IsIccProfile(file)) throw HostError(name + ": an ICC profile, not a LUT file (calibrate loads its vcgt curves)");
    try {
        const OCIO::FileTransformRcPtr transform = OCIO::FileTransform::Create();
        transform->setSrc(std::filesystem::absolute(file).string().c_str());
        transform->setInterpolation(OCIO::INTERP_TETRAHEDRAL);
        transform->setDirection(OCIO::TRANSFORM_DIR_FORWARD);
        const OCIO::ConstConfigRcPtr config = OCIO::Config::CreateRaw();
        fProcessor = std::make_shared<const Processor>(
            Processor{config->getProcessor(transform)->getDefaultCPUProcessor()});
    } catch (const OCIO::Exception& failure) {
        throw HostError(name + ": not a LUT OpenColorIO can read: " + OneLine(failure.what()));
    }
}

RgbFunction LutFile::OnByteScale() const
{
    return [processor = fProcessor](const Rgb& in) {
        float pixel[3];
        for (size_t c = 0; c < 3; ++c) pixel[c] = static_cast<float>(in[c] / kByteScale);
        processor->cpu->applyRGB(pixel);
        return Rgb{pixel[0] * kByteScale, pixel[1] * kByteScale, pixel[2] * kByteScale};
    };
}
