#include "Soak/SoakTraffic.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr uint8_t kHostWriteAddress = 0x6E;
constexpr uint8_t kVendor = 0xC2;

bool IsTableWrite(const std::vector<uint8_t>& r) { return r.size() > 4 && r[0] == kVendor && (r[1] == 0x05 || r[1] == 0x0B); }
bool IsLutWrite(const std::vector<uint8_t>& r) { return r.size() > 5 && r[0] == kVendor && (r[1] == 0x25 || r[1] == 0x2F); }
bool IsApplyOrStore(const std::vector<uint8_t>& r) { return r.size() == 2 && r[0] == kVendor && (r[1] == 0x06 || r[1] == 0x07); }

}  // namespace

std::vector<std::vector<uint8_t>> SoakRequests(const OvEmulator::EmulatedDisplay& display)
{
    std::vector<std::vector<uint8_t>> requests;
    for (const auto& record : display.Traffic().Records()) {
        if (record.direction != OvEmulator::I2CDirection::kWrite || record.address != kHostWriteAddress) continue;
        const auto& packet = record.bytes;
        if (packet.size() < 3) continue;
        const size_t length = std::min<size_t>(packet[1] & 0x7F, packet.size() - 2);
        requests.emplace_back(packet.begin() + 2, packet.begin() + 2 + static_cast<std::ptrdiff_t>(length));
    }
    return requests;
}

std::optional<SoakTransferWrite> LastTransferWrite(const std::vector<std::vector<uint8_t>>& requests, int32_t gridSize)
{
    for (size_t i = requests.size(); i-- > 0;) {
        const auto& r = requests[i];
        char text[64];
        if (IsTableWrite(r)) {
            const uint32_t address = static_cast<uint32_t>(r[2] << 8 | r[3]);
            std::snprintf(text, sizeof text, "table chunk at 0x%04X", address);
            return SoakTransferWrite{i, false, address, text};
        }
        if (IsLutWrite(r) && gridSize > 0) {
            const auto n = static_cast<uint32_t>(gridSize);
            std::snprintf(text, sizeof text, "LUT message at r=%d g=%d b=%d", r[2], r[3], r[4]);
            return SoakTransferWrite{i, true, (r[4] * n + r[3]) * n + r[2], text};
        }
    }
    return std::nullopt;
}

bool AppliesOrStoresAfter(const std::vector<std::vector<uint8_t>>& requests, size_t from)
{
    return std::any_of(requests.begin() + static_cast<std::ptrdiff_t>(std::min(from, requests.size())), requests.end(),
                       IsApplyOrStore);
}

std::string LastRequestText(const std::vector<std::vector<uint8_t>>& requests)
{
    if (requests.empty()) return "no request";
    std::string text = "last request";
    char byte[4];
    for (size_t i = 0; i < std::min<size_t>(requests.back().size(), 5); ++i) {
        std::snprintf(byte, sizeof byte, " %02X", requests.back()[i]);
        text += byte;
    }
    return text;
}
