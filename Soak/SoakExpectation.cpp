#include "Soak/SoakExpectation.h"

#include <algorithm>
#include <cmath>

#include "OvDevices/OvCalibrationTables.h"
#include "OvMath/OvColorType.h"
#include "OvMath/OvTrafo.h"

using namespace OvCalibrationTables;

namespace {

constexpr size_t kChunkBytes = 16;

void AddWords(SoakCells& cells, const uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count / 2; ++i)
        cells.push_back({static_cast<uint32_t>(i), static_cast<uint16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1])});
}

void AddChannels(SoakCells& cells, const ChannelEntries& channels, const SoakDownload& download)
{
    for (size_t c = 0; c < channels.size(); ++c) {
        for (size_t i = 0; i < channels[c].size(); ++i)
            cells.push_back({static_cast<uint32_t>(download.offsets[c] + static_cast<int32_t>(i)),
                             static_cast<uint16_t>(channels[c][i])});
    }
}

// A grid value: trunc(4 * output) as a signed 32-bit number (NaN as 0), sent as its low 16 bits.
uint16_t GridValue(double output)
{
    const double scaled = 4.0 * output;
    if (std::isnan(scaled)) return 0;
    return static_cast<uint16_t>(static_cast<int32_t>(std::clamp(scaled, -2147483648.0, 2147483647.0)));
}

SoakCells ExpectedGrid(int32_t n, OvTrafo* transform)
{
    SoakCells cells;
    for (int32_t b = 0; b < n; ++b) {
        for (int32_t g = 0; g < n; ++g) {
            for (int32_t r = 0; r < n; ++r) {
                OvVector point(3, kOvColorRGB, r * 255.0 / (n - 1), g * 255.0 / (n - 1), b * 255.0 / (n - 1));
                if (transform) transform->EvaluateVector(point);
                for (int32_t c = 0; c < 3; ++c)
                    cells.push_back({static_cast<uint32_t>(cells.size()), GridValue(point.Get(c))});
            }
        }
    }
    return cells;
}

}  // namespace

SoakTable256 SoakIgnoreGainBytes(OvTrafo& transform)
{
    const Table256 table = IgnoreGainTable(transform);
    return {table.begin(), table.end()};
}

SoakTable256 SoakUpdatedTable(const std::vector<int32_t>& changedChunks, const SoakTable256& before, OvTrafo& next)
{
    const Table256 after = IgnoreGainTable(next);
    SoakTable256 table = before;
    for (int32_t chunk : changedChunks) {
        const size_t at = static_cast<size_t>(chunk) * kChunkBytes;
        std::copy_n(after.begin() + static_cast<std::ptrdiff_t>(at), kChunkBytes, table.begin() + static_cast<std::ptrdiff_t>(at));
        // A chunk the new transform leaves alone still changes one entry.
        if (std::equal(table.begin() + static_cast<std::ptrdiff_t>(at), table.begin() + static_cast<std::ptrdiff_t>(at + kChunkBytes),
                       before.begin() + static_cast<std::ptrdiff_t>(at)))
            table[at + 1] ^= 1;
    }
    return table;
}

SoakCells ExpectedCells(const SoakScenario& scenario, OvTrafo* transform, const SoakTable256& updated)
{
    const SoakDownload& download = *scenario.download;
    SoakCells cells;
    if (download.operation == SoakOperation::k3DLUT)
        return ExpectedGrid(OvEmulator::FindModel(download.model)->lutGridSize, transform);
    if (download.operation == SoakOperation::kUpdateCalibration) {
        AddWords(cells, updated.data(), updated.size());
        return cells;
    }
    const std::string family = download.family;
    if (family == "ignore-gain") {
        const Table256 table = IgnoreGainTable(*transform);
        AddWords(cells, table.data(), table.size());
    } else if (family == "19-inch") {
        const Table256 table = NineteenInch(*transform).table;
        AddWords(cells, table.data(), table.size());
    } else if (family == "10-to-10-bit") {
        const std::vector<uint8_t> table = TenBitTable(*transform, download.fullScale);
        AddWords(cells, table.data(), table.size());
    } else if (family == "Series PA") {
        AddChannels(cells, SeriesPA(*transform, 2.0), download);
    } else {
        AddChannels(cells, Series90(*transform, download.entries, download.fullScale), download);
    }
    return cells;
}

std::vector<uint16_t> HeldCells(OvEmulator::EmulatedDisplay& display, const SoakDownload& download, bool ram)
{
    if (download.operation != SoakOperation::k3DLUT) return display.Controller().GammaTable().Entries();
    const auto& grid = ram ? display.Controller().Lut().Ram() : display.Controller().Lut().Table();
    std::vector<uint16_t> cells;
    for (const auto& point : grid) cells.insert(cells.end(), point.begin(), point.end());
    return cells;
}

int64_t FirstDifference(const SoakCells& expected, const std::vector<uint16_t>& held, size_t count,
                        const std::vector<bool>& ignored)
{
    for (size_t i = 0; i < std::min(count, expected.size()); ++i) {
        if (i < ignored.size() && ignored[i]) continue;
        const SoakCell& cell = expected[i];
        if (cell.address >= held.size() || held[cell.address] != cell.value) return static_cast<int64_t>(i);
    }
    return -1;
}

std::vector<bool> UnsentByChangeOnlyUpload(const SoakDownload& download, const SoakCells& expected)
{
    constexpr size_t kChunkEntries = kChunkBytes / 2;
    const std::string family = download.family;
    std::vector<bool> unsent(expected.size(), false);
    if (download.operation != SoakOperation::kRGBCalibration || (family != "ignore-gain" && family != "19-inch")) return unsent;
    for (size_t chunk = 0; chunk + kChunkEntries <= expected.size(); chunk += kChunkEntries) {
        const bool marks = std::all_of(expected.begin() + static_cast<std::ptrdiff_t>(chunk),
                                       expected.begin() + static_cast<std::ptrdiff_t>(chunk + kChunkEntries),
                                       [](const SoakCell& cell) { return cell.value == 0xFFFF; });
        std::fill_n(unsent.begin() + static_cast<std::ptrdiff_t>(chunk), kChunkEntries, marks);
    }
    return unsent;
}
