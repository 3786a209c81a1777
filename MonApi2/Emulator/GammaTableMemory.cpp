#include "MonApi2/Emulator/GammaTableMemory.h"

#include <algorithm>

namespace OvEmulator {

bool GammaTableMemory::Fits(uint16_t address, size_t count) const
{
    return count > 0 && count <= kMaxTableChunk && address + count <= fEntries.size();
}

bool GammaTableMemory::Write(uint16_t address, std::span<const uint16_t> values)
{
    if (!Fits(address, values.size())) return false;
    std::copy(values.begin(), values.end(), fEntries.begin() + address);
    return true;
}

std::optional<std::vector<uint16_t>> GammaTableMemory::Read(uint16_t address, size_t count)
{
    if (!Fits(address, count)) return std::nullopt;
    std::vector<uint16_t> values(fEntries.begin() + address, fEntries.begin() + address + static_cast<std::ptrdiff_t>(count));
    if (fSpoiledReads != 0) {
        if (fSpoiledReads > 0) --fSpoiledReads;
        for (uint16_t& value : values) value ^= 1;
    }
    return values;
}

}  // namespace OvEmulator
