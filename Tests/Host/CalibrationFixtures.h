#pragma once
// Calibration files the tests write themselves (a .cal text, ICC profiles with a vcgt tag
// through Little CMS, a .cube), and what the emulated display's state file and zezctl's
// JSON say a display holds.
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

using UnitCurve = std::function<double(double)>;  // 0..1 to 0..1
using UnitColour = std::array<double, 3>;

// A CAL sheet with n rows sampling the three curves at k / (n - 1).
std::string CalText(int rows, const std::array<UnitCurve, 3>& curves);
// An sRGB profile with a vcgt tag: a 256-entry table of the curves, or the formula
// min + (max - min) * x^gamma per channel.
void WriteVcgtTableProfile(const std::filesystem::path& file, const std::array<UnitCurve, 3>& curves);
struct VcgtFormula {
    double gamma, minimum, maximum;
};
void WriteVcgtFormulaProfile(const std::filesystem::path& file, const std::array<VcgtFormula, 3>& channels);
// A profile without a vcgt tag.
void WriteProfileWithoutVcgt(const std::filesystem::path& file);
// A .cube with a size-n 3D LUT sampling function (red index fastest).
std::string CubeText(int size, const std::function<UnitColour(const UnitColour&)>& function);

// The emulated display's memories as its state file keeps them.
struct DisplayState {
    std::map<int, int> gamma;                      // address -> entry
    std::map<int, std::array<int, 3>> lut;         // grid index -> point
};
DisplayState ReadDisplayState(const std::filesystem::path& file);

// The three channels of "curves --json".
std::array<std::vector<int>, 3> CurvesJsonValues(const std::string& json);
