#pragma once
// DDC/CI as a display sees it: addresses, opcodes, the host packets it receives and the
// reply packets it sends. Written from the display's side on purpose: it shares nothing
// with the plug-in's transport, so each checks the other.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace OvEmulator {

constexpr uint8_t kDdcWriteAddress = 0x6E;
constexpr uint8_t kDdcReadAddress = 0x6F;
constexpr uint8_t kEdidWriteAddress = 0xA0;
constexpr uint8_t kEdidReadAddress = 0xA1;
constexpr uint8_t kHostSource = 0x51;
constexpr uint8_t kDisplaySource = 0x6E;
constexpr uint8_t kReplyChecksumSeed = 0x50;  // the host's address as the reply checksum counts it
constexpr uint8_t kLengthFlag = 0x80;
constexpr uint8_t kMaxPayload = 0x7F;

// Request and reply opcodes.
constexpr uint8_t kGetVcpRequest = 0x01;
constexpr uint8_t kGetVcpReply = 0x02;
constexpr uint8_t kSetVcpRequest = 0x03;
constexpr uint8_t kSaveSettingsRequest = 0x0C;
constexpr uint8_t kVendorMessage = 0xC2;
constexpr uint8_t kVendorReply = 0xC3;
constexpr uint8_t kPagedReadRequest = 0xC6;
constexpr uint8_t kPagedReply = 0xC7;
constexpr uint8_t kPagedWriteRequest = 0xC8;
constexpr uint8_t kCapabilitiesRequest = 0xF3;
constexpr uint8_t kCapabilitiesReply = 0xE3;

// What a request asks for; faults are scripted per kind.
enum class RequestKind {
    kAny,  // in a fault rule: every kind
    kEdid,
    kGetVcp,
    kSetVcp,
    kSaveSettings,
    kCapabilities,
    kPagedRead,
    kPagedWrite,
    kTable,  // 0xC2 gamma-table messages
    kLut,    // 0xC2 3D LUT messages
    kUnknown,
};

RequestKind ClassifyRequest(std::span<const uint8_t> payload);

// The payload of a host packet written to 0x6E, or nothing when a display would drop
// it: wrong source byte, length byte without its flag or disagreeing with the byte
// count, or a wrong checksum.
std::optional<std::vector<uint8_t>> ParseHostPacket(std::span<const uint8_t> bytes);

// The XOR checksum of a reply packet's bytes, seeded with 0x50.
uint8_t ReplyChecksum(std::span<const uint8_t> bytes);

// A reply packet: source, 0x80 | length, payload, checksum.
std::vector<uint8_t> BuildReplyPacket(std::span<const uint8_t> payload, uint8_t source = kDisplaySource);

}  // namespace OvEmulator
