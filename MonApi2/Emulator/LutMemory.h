#pragma once
// The 3D LUT of a PA-class display: a cubic grid of RGB output points (red index fastest),
// written directly or into a RAM copy that a VCP command saves, plus named slots.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace OvEmulator {

constexpr size_t kMaxLutPointsPerMessage = 8;
constexpr size_t kLutNameLength = 13;
constexpr size_t kLutSlots = 8;

using LutPoint = std::array<uint16_t, 3>;

class LutMemory {
public:
    enum class Target { kTable, kRam };

    explicit LutMemory(uint8_t gridSize);
    uint8_t GridSize() const { return fGridSize; }
    // Writes consecutive points starting at grid coordinate (r, g, b); false (nothing
    // written) when the start is outside the grid, the run leaves it or has 0 or more
    // than 8 points.
    bool Write(Target target, uint8_t r, uint8_t g, uint8_t b, std::span<const LutPoint> points);
    void SaveRamToTable() { fTable = fRam; }
    bool SetName(uint8_t slot, const std::string& name);

    const std::vector<LutPoint>& Table() const { return fTable; }
    const std::vector<LutPoint>& Ram() const { return fRam; }
    const std::string& Name(uint8_t slot) const { return fNames.at(slot); }

private:
    uint8_t fGridSize;
    std::vector<LutPoint> fTable;
    std::vector<LutPoint> fRam;
    std::array<std::string, kLutSlots> fNames;
};

}  // namespace OvEmulator
