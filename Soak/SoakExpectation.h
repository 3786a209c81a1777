#pragma once
// What the display should hold after a download, computed apart from the upload: the
// tables by the families' table functions, the 3D LUT grid here. Cells are listed in the
// order the download sends them, so a prefix is what a download that failed midway must
// already have written.
#include <cstdint>
#include <vector>

#include "MonApi2/Emulator/EmulatedDisplay.h"
#include "Soak/SoakScenario.h"

class OvTrafo;

struct SoakCell {
    uint32_t address;  // table entry, or grid point * 3 + channel
    uint16_t value;
};
using SoakCells = std::vector<SoakCell>;

// The 256-entry table as bytes, two per entry, most significant first.
using SoakTable256 = std::vector<uint8_t>;
SoakTable256 SoakIgnoreGainBytes(OvTrafo& transform);
// The table before with the chunks changed taken from the next transform's table.
SoakTable256 SoakUpdatedTable(const std::vector<int32_t>& changedChunks, const SoakTable256& before, OvTrafo& next);

SoakCells ExpectedCells(const SoakScenario& scenario, OvTrafo* transform, const SoakTable256& updated);

// What the display holds: its table memory, or its 3D LUT (the RAM copy when asked).
std::vector<uint16_t> HeldCells(OvEmulator::EmulatedDisplay& display, const SoakDownload& download, bool ram = false);

// The index of the first cell among the first `count` that the display does not hold, or
// -1; cells marked in `ignored` do not count.
int64_t FirstDifference(const SoakCells& expected, const std::vector<uint16_t>& held, size_t count,
                        const std::vector<bool>& ignored = {});

// The cells a change-only upload of the 256-entry table never sends: whole chunks of
// 0xFFFF, which equal the table image's marks (all 0xFF after a connection, and where
// the 19-inch path marks its computed entries).
std::vector<bool> UnsentByChangeOnlyUpload(const SoakDownload& download, const SoakCells& expected);
