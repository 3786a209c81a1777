#pragma once
// Reads a round's traffic from the display's record: which table chunk or 3D LUT message
// the download sent last (the one that failed, when it failed), and what followed it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "MonApi2/Emulator/EmulatedDisplay.h"

struct SoakTransferWrite {
    size_t request;      // index among the requests
    bool lut;            // a 3D LUT point message, else a table chunk
    uint32_t address;    // table entry, or grid point
    std::string text;    // "table chunk at 0x0120", "LUT message at r=4 g=0 b=0"
};

// The payloads of the DDC/CI packets the host wrote, attempts that failed included.
std::vector<std::vector<uint8_t>> SoakRequests(const OvEmulator::EmulatedDisplay& display);

// The last table chunk or point message written; gridSize is the LUT's n.
std::optional<SoakTransferWrite> LastTransferWrite(const std::vector<std::vector<uint8_t>>& requests, int32_t gridSize);

// Whether a request from `from` on tells the display to apply or store its table.
bool AppliesOrStoresAfter(const std::vector<std::vector<uint8_t>>& requests, size_t from);

// A short name of the last request, for reports.
std::string LastRequestText(const std::vector<std::vector<uint8_t>>& requests);
