#pragma once
// The vendor messages that move a display's per-channel gamma table: write entries, read
// them back, in the standard and the PA-series layouts, and make the display apply or
// store its table. Entries are 16-bit, most significant byte first; addresses count
// entries. A message carries 1 to 16 entries.
#include <cstdint>

#include "OvDevices/OvVendorMessages.h"
#include <span>

namespace OvGammaTable {

constexpr uint8_t kVendorRequest = kOvVendorRequest;
constexpr uint8_t kVendorReply = kOvVendorReply;
constexpr uint8_t kWrite = 0x05;
constexpr uint8_t kReadBack = 0x04;
constexpr uint8_t kWritePA = 0x0B;
constexpr uint8_t kReadPA = 0x0A;
constexpr uint8_t kApply = 0x06;
constexpr uint8_t kStore = 0x07;

constexpr int32_t kMaxChunkEntries = 16;

// The two layouts' write and read sub-opcodes.
enum class Layout { kStandard, kPASeries };
constexpr uint8_t WriteOpcode(Layout layout) { return layout == Layout::kStandard ? kWrite : kWritePA; }
constexpr uint8_t ReadOpcode(Layout layout) { return layout == Layout::kStandard ? kReadBack : kReadPA; }

// One message payload, built in place.
class Message {
public:
    // 0xC2, sub-opcode, address, then each entry's low 16 bits. Returns 0, or -31 for more
    // than 16 entries and -24 for none, leaving the message empty.
    int32_t BuildWrite(uint8_t opcode, uint16_t address, std::span<const int32_t> entries);
    // 0xC2, sub-opcode, address, entry count; the same count rules.
    int32_t BuildRead(uint8_t opcode, uint16_t address, int32_t count);
    // A request without data: apply or store.
    void BuildCommand(uint8_t opcode);

    std::span<const uint8_t> Payload() const { return {fBytes, static_cast<size_t>(fLength)}; }

private:
    void Header(uint8_t opcode, uint16_t address);

    uint8_t fBytes[4 + 2 * kMaxChunkEntries] = {};
    int32_t fLength = 0;
};

// Reply length of a read of count entries: 0xC3, sub-opcode, two bytes per entry.
constexpr int32_t ReadReplyLength(int32_t count) { return 2 + 2 * count; }

}  // namespace OvGammaTable
