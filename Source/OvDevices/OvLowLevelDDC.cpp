#define OV_SOURCE_FILE "Source/OvDevices/OvLowLevelDDC"
#include "OvDevices/OvLowLevelDDC.h"

#include <algorithm>
#include <cstring>

#include "OvDevices/OvDDCResult.h"
#include "OvDevices/OvMonApi.h"
#include "OvSystem/OvSystem.h"

namespace {
// A display packet: source byte, 0x80 OR the payload length, payload, checksum.
constexpr int32_t kPacketOverhead = 3;
// The display's checksum starts from the host's virtual address.
constexpr uint8_t kReplyChecksumSeed = 0x50;
constexpr uint8_t kLengthFlag = 0x80;
// The area a display packet is read into: source, length byte, payload and checksum.
constexpr int32_t kReadArea = 130;

bool IsDisplaySource(uint8_t source)
{
    return source == kOvDDCAddress || source == kOvDDCHostAddress;
}
}  // namespace

low_level_ddc::low_level_ddc(int32_t interfaceIndex, int32_t i2cParameter)
    : fInterfaceIndex(interfaceIndex), fI2CParameter(i2cParameter)
{
}

int32_t low_level_ddc::InitChannel() { return 0; }
int32_t low_level_ddc::CloseChannel() { return 0; }
int32_t low_level_ddc::OpenChannel() { return 0; }
void low_level_ddc::SetOption(int32_t option) { fOption = option; }

int32_t low_level_ddc::I2CWrite(int32_t address, const uint8_t* bytes, int32_t count)
{
    return OvMonApi::Table().I2C_WRITE(fInterfaceIndex, address, bytes, count, fI2CParameter);
}

int32_t low_level_ddc::I2CRead(int32_t address, uint8_t* buffer, int32_t count)
{
    const int32_t result = OvMonApi::Table().I2C_READ(fInterfaceIndex, address | 1, buffer, count, fI2CParameter);
    return result == 0 ? 1 : result;
}

int32_t low_level_ddc::I2CWriteRead(uint8_t* buffer, int32_t address, uint8_t offset, int32_t count)
{
    const int32_t result = I2CWrite(address, &offset, 1);
    if (result < 0) return result;
    return I2CRead(address, buffer, count);
}

int32_t low_level_ddc::ReadDDCMessage(uint8_t* buffer, int32_t maximum)
{
    uint8_t area[kReadArea] = {};
    const int32_t requested = std::clamp(maximum, 0, kReadArea - kPacketOverhead) + kPacketOverhead;
    const int32_t result = I2CRead(kOvDDCAddress, area, requested);
    if (result < 0) return result;
    if (!IsDisplaySource(area[0])) return kOvDDCWrongSource;
    const int32_t length = area[1] & 0x7F;
    if (length > maximum || length + kPacketOverhead > kReadArea) return kOvDDCWrongLength;
    uint8_t checksum = kReplyChecksumSeed;
    for (int32_t i = 0; i < length + kPacketOverhead; ++i) checksum ^= area[i];
    if (checksum != 0) return kOvDDCChecksumError;
    if (length > 0) std::memcpy(buffer, area + 2, static_cast<size_t>(length));
    return length;
}

int32_t low_level_ddc::WriteDDCMessage(const uint8_t* payload, int32_t count)
{
    if (count < 0 || count > kOvDDCMaxPayload) return kOvDDCPayloadTooLong;
    uint8_t packet[kOvDDCMaxPayload + kPacketOverhead];
    packet[0] = kOvDDCHostAddress;
    packet[1] = static_cast<uint8_t>(kLengthFlag | count);
    if (count > 0) std::memcpy(packet + 2, payload, static_cast<size_t>(count));
    uint8_t checksum = static_cast<uint8_t>(kOvDDCAddress);
    for (int32_t i = 0; i < count + 2; ++i) checksum ^= packet[i];
    packet[count + 2] = checksum;
    return I2CWrite(kOvDDCAddress, packet, count + kPacketOverhead);
}

int32_t low_level_ddc::WaitMs(int32_t ms)
{
    SleepMs(ms);
    return 0;
}
