#include "MonApi2/Emulator/LutMemory.h"

#include <algorithm>

namespace OvEmulator {

LutMemory::LutMemory(uint8_t gridSize)
    : fGridSize(gridSize), fTable(size_t{gridSize} * gridSize * gridSize), fRam(fTable.size())
{
}

bool LutMemory::Write(Target target, uint8_t r, uint8_t g, uint8_t b, std::span<const LutPoint> points)
{
    if (r >= fGridSize || g >= fGridSize || b >= fGridSize) return false;
    if (points.empty() || points.size() > kMaxLutPointsPerMessage) return false;
    const size_t start = (size_t{b} * fGridSize + g) * fGridSize + r;
    std::vector<LutPoint>& grid = target == Target::kTable ? fTable : fRam;
    if (start + points.size() > grid.size()) return false;
    std::copy(points.begin(), points.end(), grid.begin() + static_cast<std::ptrdiff_t>(start));
    return true;
}

bool LutMemory::SetName(uint8_t slot, const std::string& name)
{
    if (slot >= kLutSlots || name.size() != kLutNameLength) return false;
    fNames[slot] = name;
    return true;
}

}  // namespace OvEmulator
