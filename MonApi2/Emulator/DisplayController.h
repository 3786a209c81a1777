#pragma once
// The firmware of an emulated display: turns a request payload into the display's
// reaction and, where the protocol has one, its reply payload. Knows nothing of I2C
// framing, timing or faults (EmulatedDisplay adds those).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "MonApi2/Emulator/EmulatedModel.h"
#include "MonApi2/Emulator/GammaTableMemory.h"
#include "MonApi2/Emulator/LutMemory.h"
#include "MonApi2/Emulator/VcpStore.h"

namespace OvEmulator {

constexpr size_t kCapabilityChunk = 32;
constexpr uint16_t kColorConvertStatus = 0x1097;
constexpr uint16_t kSaveLutRamToEeprom = 0x1107;

struct Reply {
    std::vector<uint8_t> payload;
    size_t echoIndex = 0;  // the payload byte that echoes the request (0: none)
};

class DisplayController {
public:
    explicit DisplayController(const EmulatedModel& model);

    // Null when the request has no reply or the display ignores it.
    std::optional<Reply> Handle(std::span<const uint8_t> payload);

    VcpStore& Vcps() { return fVcps; }
    GammaTableMemory& GammaTable() { return fGammaTable; }
    LutMemory& Lut() { return fLut; }
    std::string& Capabilities() { return fCapabilities; }
    int32_t SaveCount() const { return fSaveCount; }
    const VcpStore& SavedVcps() const { return fSavedVcps; }

private:
    std::optional<Reply> GetVcp(std::span<const uint8_t> request);
    void SetVcp(std::span<const uint8_t> request);
    std::optional<Reply> CapabilitiesChunk(std::span<const uint8_t> request) const;
    std::optional<Reply> PagedRead(std::span<const uint8_t> request);
    std::optional<Reply> PagedWrite(std::span<const uint8_t> request);
    std::optional<Reply> VendorMessage(std::span<const uint8_t> request);
    std::optional<Reply> TableRead(std::span<const uint8_t> request);
    void TableWrite(std::span<const uint8_t> request);
    std::optional<Reply> LutWrite(std::span<const uint8_t> request, LutMemory::Target target);
    std::optional<Reply> LutName(std::span<const uint8_t> request);

    // The report of an id as a read sees it (0x1097 shows a running conversion).
    VcpReport ReadVcp(uint16_t id);
    void WriteVcp(uint16_t id, uint16_t value);
    void StartColorConversion();
    Reply PagedReply(uint8_t page, uint8_t code, const VcpReport& report) const;

    VcpStore fVcps;
    VcpStore fSavedVcps;
    GammaTableMemory fGammaTable;
    LutMemory fLut;
    std::string fCapabilities;
    int32_t fSaveCount = 0;
    int32_t fColorConvertReads;
    int32_t fConversionReadsLeft = 0;
};

}  // namespace OvEmulator
