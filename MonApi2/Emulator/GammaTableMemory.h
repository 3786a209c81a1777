#pragma once
// The programmable per-channel gamma table behind the panel: 16-bit entries addressed in
// entries, written and read in chunks of up to 16, applied and stored on command.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace OvEmulator {

constexpr size_t kMaxTableChunk = 16;

class GammaTableMemory {
public:
    explicit GammaTableMemory(size_t entries) : fEntries(entries, 0) {}
    // False (nothing written) for an empty or oversized chunk or one that leaves the memory.
    bool Write(uint16_t address, std::span<const uint16_t> values);
    // The entries as the display reports them; a faulty read-back spoils them.
    std::optional<std::vector<uint16_t>> Read(uint16_t address, size_t count);
    void Apply() { ++fApplied; }
    void Store() { ++fStored; }

    const std::vector<uint16_t>& Entries() const { return fEntries; }
    int32_t AppliedCount() const { return fApplied; }
    int32_t StoredCount() const { return fStored; }
    // A faulty memory: the next `reads` read-backs (kAlways: every one) report each entry
    // with bit 0 flipped; the entries themselves stay as written.
    void SetReadBackDiffers(int32_t reads) { fSpoiledReads = reads; }

private:
    bool Fits(uint16_t address, size_t count) const;

    std::vector<uint16_t> fEntries;
    int32_t fApplied = 0;
    int32_t fStored = 0;
    int32_t fSpoiledReads = 0;
};

}  // namespace OvEmulator
