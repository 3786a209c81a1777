#pragma once
// The host's side of an emulated bus for the tests: frames packets by hand (nothing is
// shared with the emulator's own framing) and reads replies on a virtual clock.
#include <cstdint>
#include <memory>
#include <vector>

#include "MonApi2/Emulator/EmulatedBus.h"
#include "MonApi2/Emulator/EmulatedModel.h"
#include "OvSystem/OvVirtualClock.h"

namespace OvEmulatorTest {

using Bytes = std::vector<uint8_t>;

// 0x51, 0x80 | n, payload, 0x6E ^ 0x51 ^ length ^ payload.
inline Bytes HostPacket(const Bytes& payload)
{
    Bytes packet;
    packet.reserve(payload.size() + 3);
    packet.push_back(0x51);
    packet.push_back(static_cast<uint8_t>(0x80 | payload.size()));
    for (uint8_t b : payload) packet.push_back(b);
    uint8_t checksum = 0x6E;
    for (uint8_t b : packet) checksum ^= b;
    packet.push_back(checksum);
    return packet;
}

// True when 0x50 XOR every byte of the reply packet gives 0.
inline bool ReplyChecksumHolds(const Bytes& packet)
{
    const size_t length = packet.size() >= 2 ? (packet[1] & 0x7F) + 3u : 0;
    if (length == 0 || length > packet.size()) return false;
    uint8_t x = 0x50;
    for (size_t i = 0; i < length; ++i) x ^= packet[i];
    return x == 0;
}

inline const Bytes kNullReply = {0x6E, 0x80, 0xBE};
// A PA271W's reply to Get VCP 0x10: brightness 70 of 100.
inline const Bytes kBrightnessReply = {0x6E, 0x88, 0x02, 0x00, 0x10, 0x00, 0x00, 0x64, 0x00, 0x46, 0x86};

// The null reply as a read of count bytes delivers it.
inline Bytes NullReply(size_t count)
{
    Bytes bytes = kNullReply;
    bytes.resize(count, 0);
    return bytes;
}

// The first EDID block of a catalogue model.
inline Bytes ModelEdid(const char* model)
{
    const OvEmulator::EdidMemory memory = OvEmulator::FindModel(model)->Edid();
    return Bytes(memory.begin(), memory.begin() + 128);
}

class HostSide {
public:
    explicit HostSide(const char* model = "PA271W") : display(bus.Attach(*OvEmulator::FindModel(model)))
    {
        bus.EnumerateInterfaces(1, 0);
    }

    int32_t Write(int32_t address, const Bytes& bytes)
    {
        return bus.I2CWrite(0, address, bytes.data(), static_cast<int32_t>(bytes.size()), 10000);
    }
    int32_t Send(const Bytes& payload) { return Write(0x6E, HostPacket(payload)); }
    Bytes Read(int32_t address, size_t count, int32_t* result = nullptr)
    {
        Bytes bytes(count, 0xEE);
        const int32_t r = bus.I2CRead(0, address, bytes.data(), static_cast<int32_t>(count), 10000);
        if (result) *result = r;
        return bytes;
    }
    // A request, the 50 ms a host waits, and the read of payloadLength + 3 bytes.
    Bytes Exchange(const Bytes& payload, size_t payloadLength)
    {
        Send(payload);
        clock.Advance(50);
        return Read(0x6F, payloadLength + 3);
    }

    OvVirtualClock clock;
    OvEmulator::EmulatedBus bus{clock};
    std::shared_ptr<OvEmulator::EmulatedDisplay> display;
};

}  // namespace OvEmulatorTest
