#pragma once
// A readable view of a display's capability string, parsed by the framework's data
// library: the display's type and versions, its VCP codes with the values they accept,
// its command codes and the layout of its gamma table.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Catalogue/CatalogueExport.h"

struct CapabilityCode {
    uint16_t id;                   // page * 256 + code
    std::vector<uint32_t> values;  // the values it accepts, when the string lists them
};

struct CapabilityView {
    bool parsed = false;  // the string has a "vcp(" element
    std::string type;
    std::string technology;  // "LCD", "CRT" or "unknown"
    std::string mccsVersion;
    std::string firmwareVersion;
    int32_t assetMemorySize = 0;
    int32_t colorTemperatureOffset = 0;
    std::vector<CapabilityCode> vcpCodes;  // in the order of the string
    std::vector<CapabilityCode> commands;  // "cmds_c2("
    bool gammaTablePresent = false;
    int32_t gammaTableSize = 0;
    int32_t redOffset = 0;
    int32_t greenOffset = 0;
    int32_t blueOffset = 0;
};

ZEZCTL_CATALOGUE_API CapabilityView ParseCapabilityView(std::string_view capabilities);
