#pragma once
// Calibrations people already have, read into curves: a CGATS ".cal" text (a CAL sheet
// with the columns RGB_I RGB_R RGB_G RGB_B, any number of rows, values 0..1) or an ICC
// profile with a vcgt tag (its table or its formula form). Little CMS reads both formats;
// this code checks what it gets. Builds without Little CMS cannot read them.
#include <filesystem>
#include <string>
#include <string_view>

#include "Calibration/CalibrationCurves.h"

// Raises HostError "<file>: <what is wrong>" for a file that cannot be read or does not
// hold a usable calibration.
CalibrationCurves ReadCalibrationFile(const std::filesystem::path& file);
// The same for the bytes of a file; name stands for the file in messages. An ICC profile
// is told from a CGATS text by its signature.
CalibrationCurves ReadCalibrationData(std::string_view bytes, const std::string& name);
