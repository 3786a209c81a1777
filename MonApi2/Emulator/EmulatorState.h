#pragma once
// What an emulated display remembers between runs: the current values of its VCP
// controls, its gamma-table memory and its 3D LUT memory (table and RAM), as a text of
// one fact a line:
//   vcp <id> <current>                       id in hexadecimal (0x0010)
//   gamma <address> <up to 16 entries>       decimal
//   lut|lutram <index> <R> <G> <B>           one grid point, red index fastest
// Lines that do not fit the display (unknown ids, addresses outside its memories) are
// skipped, so a state written by another model or version cannot break it.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "MonApi2/Emulator/DisplayController.h"

namespace OvEmulator {

std::string StateText(DisplayController& controller);
void RestoreState(DisplayController& controller, std::string_view text);

// The file's text; nothing when it cannot be read.
std::optional<std::string> ReadStateFile(const std::filesystem::path& file);
// Writes the text beside the file and renames it into place, so the file is always either
// the previous complete state or the new one. False when that failed.
bool WriteStateFile(const std::filesystem::path& file, const std::string& text);

}  // namespace OvEmulator
