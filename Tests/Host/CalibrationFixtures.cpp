#include "CalibrationFixtures.h"

#include <lcms2.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <sstream>

std::string CalText(int rows, const std::array<UnitCurve, 3>& curves)
{
    std::ostringstream text;
    text << "CAL\n\nDESCRIPTOR \"test\"\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nRGB_I RGB_R RGB_G RGB_B\n"
            "END_DATA_FORMAT\nNUMBER_OF_SETS "
         << rows << "\nBEGIN_DATA\n";
    text.precision(10);
    for (int k = 0; k < rows; ++k) {
        const double x = static_cast<double>(k) / (rows - 1);
        text << x << ' ' << curves[0](x) << ' ' << curves[1](x) << ' ' << curves[2](x) << '\n';
    }
    text << "END_DATA\n";
    return text.str();
}

namespace {
void SaveWithVcgt(const std::filesystem::path& file, cmsToneCurve* const curves[3])
{
    cmsHPROFILE profile = cmsCreate_sRGBProfile();
    if (curves) cmsWriteTag(profile, cmsSigVcgtTag, curves);
    cmsSaveProfileToFile(profile, file.string().c_str());
    cmsCloseProfile(profile);
}
}  // namespace

void WriteVcgtTableProfile(const std::filesystem::path& file, const std::array<UnitCurve, 3>& curves)
{
    cmsToneCurve* tone[3];
    for (size_t c = 0; c < 3; ++c) {
        cmsUInt16Number table[256];
        for (int i = 0; i < 256; ++i) table[i] = static_cast<cmsUInt16Number>(std::lround(curves[c](i / 255.0) * 65535));
        tone[c] = cmsBuildTabulatedToneCurve16(nullptr, 256, table);
    }
    SaveWithVcgt(file, tone);
    for (cmsToneCurve* curve : tone) cmsFreeToneCurve(curve);
}

void WriteVcgtFormulaProfile(const std::filesystem::path& file, const std::array<VcgtFormula, 3>& channels)
{
    cmsToneCurve* tone[3];
    for (size_t c = 0; c < 3; ++c) {
        // Type 5: (a x + b)^g + e, with a^g = max - min and e = min.
        const VcgtFormula& f = channels[c];
        const cmsFloat64Number parameters[7] = {f.gamma, std::pow(f.maximum - f.minimum, 1.0 / f.gamma), 0, 0, 0,
                                                f.minimum, 0};
        tone[c] = cmsBuildParametricToneCurve(nullptr, 5, parameters);
    }
    SaveWithVcgt(file, tone);
    for (cmsToneCurve* curve : tone) cmsFreeToneCurve(curve);
}

void WriteProfileWithoutVcgt(const std::filesystem::path& file)
{
    SaveWithVcgt(file, nullptr);
}

std::string CubeText(int size, const std::function<UnitColour(const UnitColour&)>& function)
{
    std::ostringstream text;
    text.precision(10);
    text << "TITLE \"test\"\nLUT_3D_SIZE " << size << '\n';
    for (int b = 0; b < size; ++b) {
        for (int g = 0; g < size; ++g) {
            for (int r = 0; r < size; ++r) {
                const double step = size - 1.0;
                const UnitColour out = function({r / step, g / step, b / step});
                text << out[0] << ' ' << out[1] << ' ' << out[2] << '\n';
            }
        }
    }
    return text.str();
}

DisplayState ReadDisplayState(const std::filesystem::path& file)
{
    DisplayState state;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string keyword;
        int index = 0;
        words >> keyword >> index;
        if (keyword == "gamma") {
            for (int value = 0, address = index; words >> value; ++address) state.gamma[address] = value;
        } else if (keyword == "lut") {
            std::array<int, 3> point{};
            words >> point[0] >> point[1] >> point[2];
            state.lut[index] = point;
        }
    }
    return state;
}

std::array<std::vector<int>, 3> CurvesJsonValues(const std::string& json)
{
    const nlohmann::json parsed = nlohmann::json::parse(json);
    std::array<std::vector<int>, 3> values;
    const char* names[] = {"red", "green", "blue"};
    for (size_t c = 0; c < 3; ++c) values[c] = parsed.at("channels").at(names[c]).at("values").get<std::vector<int>>();
    return values;
}
