#include "MonApi2/Emulator/EmulatedDisplay.h"

#include <algorithm>

#include "MonApi2/MonApi2.h"

namespace OvEmulator {

EmulatedDisplay::EmulatedDisplay(const EmulatedModel& model, OvPlatform::Clock& clock)
    : fModel(model), fClock(clock), fController(model), fEdid(model.Edid()), fMinimumReplyDelay(model.minimumReplyDelayMs)
{
}

int32_t EmulatedDisplay::Write(int32_t address, std::span<const uint8_t> bytes)
{
    const int32_t result = AcceptWrite(address, bytes);
    Record(I2CDirection::kWrite, address, bytes, result);
    return result;
}

int32_t EmulatedDisplay::AcceptWrite(int32_t address, std::span<const uint8_t> bytes)
{
    if (address != kDdcWriteAddress && address != kEdidWriteAddress) return kMonApi2NoDevice;
    const auto payload = address == kDdcWriteAddress ? ParseHostPacket(bytes) : std::nullopt;
    const RequestKind kind = address == kEdidWriteAddress ? RequestKind::kEdid
                             : payload                    ? ClassifyRequest(*payload)
                                                          : RequestKind::kUnknown;
    if (const auto fault = fFaults.TakeWriteFault(kind)) return fault->i2cError;
    if (bytes.empty()) return kMonApi2Ok;
    if (address == kEdidWriteAddress) {
        fEdidOffset = bytes[0];
    } else if (payload) {
        fPending = fController.Handle(*payload);
        fLastRequest = kind;
        fRequestTick = fClock.TickCount();
    } else {
        fTraffic.CountIgnoredPacket();
    }
    return kMonApi2Ok;
}

int32_t EmulatedDisplay::Read(int32_t address, std::span<uint8_t> buffer)
{
    std::fill(buffer.begin(), buffer.end(), uint8_t{0});
    int32_t result = kMonApi2NoDevice;
    if (address == kEdidReadAddress) result = ReadEdid(buffer);
    if (address == kDdcReadAddress) result = ReadReply(buffer);
    Record(I2CDirection::kRead, address, result < 0 ? std::span<const uint8_t>() : buffer, result);
    return result;
}

int32_t EmulatedDisplay::ReadEdid(std::span<uint8_t> buffer)
{
    if (const auto fault = fFaults.TakeReadFault(RequestKind::kEdid, false)) return fault->i2cError;
    for (uint8_t& byte : buffer) byte = fEdid[fEdidOffset++];  // the 8-bit offset wraps like the memory's
    return kMonApi2Ok;
}

int32_t EmulatedDisplay::ReadReply(std::span<uint8_t> buffer)
{
    const bool due = fPending.has_value() && fClock.TickCount() - fRequestTick >= fMinimumReplyDelay;
    const auto fault = fFaults.TakeReadFault(fLastRequest, due);
    if (fault && fault->kind == FaultKind::kReadError) return fault->i2cError;
    std::vector<uint8_t> packet;
    if (!due || (fault && fault->kind == FaultKind::kEmptyReply)) {
        packet = BuildReplyPacket({});
    } else {
        packet = DeliveredPacket(*fPending, fault, buffer.size());
        fPending.reset();
    }
    std::copy_n(packet.begin(), std::min(packet.size(), buffer.size()), buffer.begin());
    return kMonApi2Ok;
}

std::vector<uint8_t> EmulatedDisplay::DeliveredPacket(Reply reply, const std::optional<Fault>& fault, size_t asked) const
{
    std::vector<uint8_t>& payload = reply.payload;
    if (!fault) return BuildReplyPacket(payload);
    uint8_t source = kDisplaySource;
    switch (fault->kind) {
    case FaultKind::kWrongSource: source = kDdcReadAddress; break;
    case FaultKind::kWrongOpcode: ++payload[0]; break;
    case FaultKind::kWrongEcho:
        if (reply.echoIndex > 0) payload[reply.echoIndex] ^= 1;
        break;
    case FaultKind::kWrongLength:
        payload.resize(fault->length >= 0 ? static_cast<size_t>(fault->length) : payload.size() - 1);
        break;
    case FaultKind::kLongerThanAsked: payload.resize(std::max(payload.size() + 1, asked >= 3 ? asked - 2 : 0)); break;
    default: break;
    }
    std::vector<uint8_t> packet = BuildReplyPacket(payload, source);
    if (fault->kind == FaultKind::kBadChecksum) packet.back() ^= 0xFF;
    return packet;
}

void EmulatedDisplay::Record(I2CDirection direction, int32_t address, std::span<const uint8_t> bytes, int32_t result)
{
    fTraffic.Record({fClock.TickCount(), direction, static_cast<uint8_t>(address), {bytes.begin(), bytes.end()}, result});
}

}  // namespace OvEmulator
