#include "MonApi2/Emulator/DdcProtocol.h"

namespace OvEmulator {

RequestKind ClassifyRequest(std::span<const uint8_t> payload)
{
    if (payload.empty()) return RequestKind::kUnknown;
    switch (payload[0]) {
    case kGetVcpRequest: return RequestKind::kGetVcp;
    case kSetVcpRequest: return RequestKind::kSetVcp;
    case kSaveSettingsRequest: return RequestKind::kSaveSettings;
    case kCapabilitiesRequest: return RequestKind::kCapabilities;
    case kPagedReadRequest: return RequestKind::kPagedRead;
    case kPagedWriteRequest: return RequestKind::kPagedWrite;
    case kVendorMessage:
        // Sub-opcodes from 0x20 on address the 3D LUT, the lower ones the gamma table.
        if (payload.size() >= 2) return payload[1] >= 0x20 ? RequestKind::kLut : RequestKind::kTable;
        return RequestKind::kUnknown;
    default: return RequestKind::kUnknown;
    }
}

std::optional<std::vector<uint8_t>> ParseHostPacket(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 3 || bytes[0] != kHostSource || (bytes[1] & kLengthFlag) == 0) return std::nullopt;
    const size_t length = bytes[1] & kMaxPayload;
    if (bytes.size() != length + 3) return std::nullopt;
    uint8_t checksum = kDdcWriteAddress;
    for (size_t i = 0; i < length + 2; ++i) checksum ^= bytes[i];
    if (checksum != bytes[length + 2]) return std::nullopt;
    return std::vector<uint8_t>(bytes.begin() + 2, bytes.begin() + 2 + static_cast<std::ptrdiff_t>(length));
}

uint8_t ReplyChecksum(std::span<const uint8_t> bytes)
{
    uint8_t checksum = kReplyChecksumSeed;
    for (uint8_t b : bytes) checksum ^= b;
    return checksum;
}

std::vector<uint8_t> BuildReplyPacket(std::span<const uint8_t> payload, uint8_t source)
{
    const size_t length = payload.size() > kMaxPayload ? kMaxPayload : payload.size();
    std::vector<uint8_t> packet;
    packet.reserve(length + 3);
    packet.push_back(source);
    packet.push_back(static_cast<uint8_t>(kLengthFlag | length));
    packet.insert(packet.end(), payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(length));
    packet.push_back(ReplyChecksum(packet));
    return packet;
}

}  // namespace OvEmulator
