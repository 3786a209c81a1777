// The calibration file readers over Little CMS: its IT8/CGATS parser for ".cal" texts and
// its vcgt tag support for ICC profiles. Each read runs in a context of its own, so the
// first error Little CMS reports becomes part of the message.
#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "Calibration/CalibrationFile.h"
#include "HostError.h"

namespace {

constexpr size_t kLargestFile = 64u << 20;  // no calibration comes near this
constexpr size_t kIccSignatureOffset = 36;
constexpr const char* kIccSignature = "acsp";
constexpr const char* kCalColumns[] = {"RGB_I", "RGB_R", "RGB_G", "RGB_B"};
// A vcgt formula (gamma, minimum, maximum) is sampled this finely.
constexpr int kFormulaSamples = 4096;

class LcmsContext {
public:
    LcmsContext() : fContext(cmsCreateContext(nullptr, &fFirstError))
    {
        if (fContext == nullptr) throw HostError("Little CMS could not start");
        cmsSetLogErrorHandlerTHR(fContext, Collect);
    }
    LcmsContext(const LcmsContext&) = delete;
    LcmsContext& operator=(const LcmsContext&) = delete;
    ~LcmsContext() { cmsDeleteContext(fContext); }

    cmsContext Get() const { return fContext; }
    // ": <the first error Little CMS reported>", or nothing.
    std::string Reason() const { return fFirstError.empty() ? std::string() : ": " + fFirstError; }

private:
    static void Collect(cmsContext context, cmsUInt32Number, const char* text)
    {
        auto* first = static_cast<std::string*>(cmsGetContextUserData(context));
        if (first != nullptr && first->empty() && text != nullptr) *first = text;
    }

    std::string fFirstError;
    cmsContext fContext;
};

struct CloseIt8 {
    void operator()(void* it8) const { cmsIT8Free(it8); }
};
struct CloseProfile {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};

[[noreturn]] void Fail(const std::string& name, const std::string& reason)
{
    throw HostError(name + ": " + reason);
}

bool IsIccProfile(std::string_view bytes)
{
    return bytes.size() >= kIccSignatureOffset + 4 && bytes.substr(kIccSignatureOffset, 4) == kIccSignature;
}

std::string Trimmed(const char* text)
{
    std::string s = text ? text : "";
    const size_t first = s.find_first_not_of(" \t\r\n");
    const size_t last = s.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
}

CalibrationCurves ReadCal(std::string_view bytes, const std::string& name)
{
    LcmsContext lcms;
    const std::unique_ptr<void, CloseIt8> it8(
        cmsIT8LoadFromMem(lcms.Get(), bytes.data(), static_cast<cmsUInt32Number>(bytes.size())));
    if (!it8) Fail(name, "not a readable CGATS calibration" + lcms.Reason());
    const std::string sheet = Trimmed(cmsIT8GetSheetType(it8.get()));
    if (sheet != "CAL") Fail(name, "the CGATS sheet is '" + sheet + "', not a CAL sheet");
    int columns[4];
    for (size_t i = 0; i < std::size(kCalColumns); ++i) {
        columns[i] = cmsIT8FindDataFormat(it8.get(), kCalColumns[i]);
        if (columns[i] < 0) Fail(name, std::string("the CAL sheet has no ") + kCalColumns[i] + " column");
    }
    const double declared = cmsIT8GetPropertyDbl(it8.get(), "NUMBER_OF_SETS");
    if (!(declared >= 2 && declared <= 1e6)) Fail(name, "a calibration needs at least 2 rows (NUMBER_OF_SETS)");
    const int rows = static_cast<int>(declared);
    CalibrationCurves curves;
    double previousInput = -1.0;
    for (int row = 0; row < rows; ++row) {
        double values[4];
        for (size_t i = 0; i < std::size(values); ++i) {
            const char* text = cmsIT8GetDataRowCol(it8.get(), row, columns[i]);
            if (text == nullptr || *text == '\0')
                Fail(name, "row " + std::to_string(row + 1) + " has no " + kCalColumns[i] + " value (truncated?)");
            values[i] = cmsIT8GetDataRowColDbl(it8.get(), row, columns[i]);
            if (!(values[i] >= 0.0 && values[i] <= 1.0))
                Fail(name, "row " + std::to_string(row + 1) + ": " + kCalColumns[i] + " = " + text + " is outside 0..1");
        }
        if (values[0] <= previousInput)
            Fail(name, "row " + std::to_string(row + 1) + ": RGB_I does not rise from the row before");
        previousInput = values[0];
        for (size_t c = 0; c < 3; ++c) curves.channels[c].push_back({values[0], values[c + 1]});
    }
    return curves;
}

ToneCurve Sampled(const cmsToneCurve* curve)
{
    if (cmsGetToneCurveParametricType(curve) == 0) {
        // A table: its own entries, evenly spaced, as the tag holds them.
        const cmsUInt32Number count = cmsGetToneCurveEstimatedTableEntries(curve);
        const cmsUInt16Number* table = cmsGetToneCurveEstimatedTable(curve);
        std::vector<double> outputs;
        for (cmsUInt32Number k = 0; k < count; ++k) outputs.push_back(table[k] / 65535.0);
        return EvenlySpaced(outputs);
    }
    std::vector<double> outputs;
    for (int k = 0; k < kFormulaSamples; ++k) {
        const double value = cmsEvalToneCurveFloat(curve, static_cast<cmsFloat32Number>(k) / (kFormulaSamples - 1));
        outputs.push_back(std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0);
    }
    return EvenlySpaced(outputs);
}

CalibrationCurves ReadVcgt(std::string_view bytes, const std::string& name)
{
    LcmsContext lcms;
    const std::unique_ptr<void, CloseProfile> profile(
        cmsOpenProfileFromMemTHR(lcms.Get(), bytes.data(), static_cast<cmsUInt32Number>(bytes.size())));
    if (!profile) Fail(name, "not a readable ICC profile" + lcms.Reason());
    if (!cmsIsTag(profile.get(), cmsSigVcgtTag)) Fail(name, "the ICC profile has no vcgt tag (no calibration curves)");
    const auto* curves = static_cast<cmsToneCurve**>(cmsReadTag(profile.get(), cmsSigVcgtTag));
    if (curves == nullptr || !curves[0] || !curves[1] || !curves[2])
        Fail(name, "the profile's vcgt tag cannot be read" + lcms.Reason());
    CalibrationCurves result;
    for (size_t c = 0; c < 3; ++c) {
        result.channels[c] = Sampled(curves[c]);
        if (result.channels[c].size() < 2) Fail(name, "the profile's vcgt tag has fewer than 2 entries a channel");
    }
    return result;
}

}  // namespace

CalibrationCurves ReadCalibrationData(std::string_view bytes, const std::string& name)
{
    if (bytes.empty()) Fail(name, "the file is empty");
    return IsIccProfile(bytes) ? ReadVcgt(bytes, name) : ReadCal(bytes, name);
}

CalibrationCurves ReadCalibrationFile(const std::filesystem::path& file)
{
    const std::string name = file.string();
    std::ifstream in(file, std::ios::binary);
    if (!in) Fail(name, "cannot be opened");
    std::string bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
        if (bytes.size() > kLargestFile) Fail(name, "larger than 64 MiB, not a calibration");
    }
    return ReadCalibrationData(bytes, name);
}
