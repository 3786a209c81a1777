// The MCCS requests of ddc_control: Get/Set VCP Feature, save current settings, the
// capability string, the EDID and the connection test.
#define OV_SOURCE_FILE "Source/OvDevices/OvDDCRequests"
#include <cstring>

#include "OvDevices/OvDDCControl.h"
#include "OvDevices/OvDDCResult.h"

namespace {
constexpr uint8_t kGetVCPRequest = 0x01;
constexpr uint8_t kGetVCPReply = 0x02;
constexpr uint8_t kSetVCPRequest = 0x03;
constexpr uint8_t kSaveCurrentSettingsRequest = 0x0C;
constexpr uint8_t kCapabilitiesRequest = 0xF3;
constexpr uint8_t kCapabilitiesReply = 0xE3;
// The connection test reads this code: any answer shows a display behind the link.
constexpr uint32_t kConnectionTestCode = 0x00;

constexpr int32_t kGetVCPReplyLength = 8;
constexpr int32_t kCapabilitiesHeader = 3;  // opcode and echoed offset
constexpr int32_t kCapabilitiesChunk = 32;
// A capability read gives up on its sixth failure in a row (the fifth after a success).
constexpr int32_t kCapabilitiesFailureLimit = 5;

constexpr int32_t kRequestWaitMs = 50;
constexpr int32_t kSetVCPWaitAfterMs = 50;
constexpr int32_t kSaveWaitAfterMs = 200;
constexpr int32_t kEdidRetryWaitMs = 50;
constexpr int32_t kEdidRetryStepMs = 200;

constexpr uint8_t kEdidHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr int32_t kEdidExtensionCount = 126;

uint8_t High(uint32_t value) { return static_cast<uint8_t>(value >> 8); }
uint8_t Low(uint32_t value) { return static_cast<uint8_t>(value); }
uint32_t Word(const uint8_t* bytes) { return static_cast<uint32_t>(bytes[0]) << 8 | bytes[1]; }

bool BlockChecksumIsZero(const uint8_t* block)
{
    uint8_t sum = 0;
    for (int32_t i = 0; i < kOvEdidBlockSize; ++i) sum = static_cast<uint8_t>(sum + block[i]);
    return sum == 0;
}

// Header and checksum of the base block; a wrong checksum outranks a wrong header.
int32_t ValidateBaseBlock(const uint8_t* block)
{
    if (!BlockChecksumIsZero(block)) return kOvEdidChecksumError;
    if (std::memcmp(block, kEdidHeader, sizeof kEdidHeader) != 0) return kOvEdidHeaderError;
    return kOvDDCOk;
}

// Opcode and echoed offset of one capability chunk.
int32_t CheckCapabilitiesChunk(const uint8_t* reply, int32_t length, int32_t offset)
{
    if (length < kCapabilitiesHeader) return kOvDDCWrongLength;
    if (reply[0] != kCapabilitiesReply) return kOvDDCWrongOpcode;
    if (static_cast<int32_t>(Word(reply + 1)) != offset) return kOvDDCWrongOpcode;
    return kOvDDCOk;
}
}  // namespace

int32_t ddc_control::GetVCP(uint32_t code, OvVCPReply* reply)
{
    if (code > 0xFF) return kOvDDCCodeOutOfRange;
    const uint8_t request[] = {kGetVCPRequest, static_cast<uint8_t>(code)};
    uint8_t answer[kGetVCPReplyLength];
    for (int32_t cycle = 0; cycle < kAttempts; ++cycle) {
        int32_t length = kGetVCPReplyLength;
        const int32_t result = SendReadMessage(request, sizeof request, answer, &length, true, kRequestWaitMs);
        if (result != kOvDDCOk) return result;
        if (length != kGetVCPReplyLength) continue;
        if (answer[0] != kGetVCPReply) return kOvDDCWrongOpcode;
        if (answer[2] != code) return kOvDDCWrongEcho;
        reply->resultCode = answer[1];
        reply->type = answer[3];
        reply->maximum = Word(answer + 4);
        reply->current = Word(answer + 6);
        return kOvDDCOk;
    }
    return kOvDDCWrongLength;
}

int32_t ddc_control::SetVCP(uint32_t code, uint32_t value)
{
    if (code > 0xFF) return kOvDDCCodeOutOfRange;
    const uint8_t request[] = {kSetVCPRequest, static_cast<uint8_t>(code), High(value), Low(value)};
    return SendMessage(request, sizeof request, kSetVCPWaitAfterMs);
}

int32_t ddc_control::SaveCurrentSettings()
{
    const uint8_t request[] = {kSaveCurrentSettingsRequest};
    return SendMessage(request, sizeof request, kSaveWaitAfterMs);
}

int32_t ddc_control::CapabilitiesRequest(char* buffer, int32_t size)
{
    if (size < 1) return kOvDDCCapabilityTooLong;
    int32_t offset = 0;
    int32_t failures = 0;
    int32_t textLength = 0;
    int32_t result = kOvDDCOk;
    bool end = false;
    while (!end) {
        const uint8_t request[] = {kCapabilitiesRequest, High(static_cast<uint32_t>(offset)),
                                   Low(static_cast<uint32_t>(offset))};
        uint8_t reply[kCapabilitiesHeader + kCapabilitiesChunk];
        int32_t length = sizeof reply;
        result = SendReadMessage(request, sizeof request, reply, &length, true, kRequestWaitMs);
        if (result == kOvDDCOk) result = CheckCapabilitiesChunk(reply, length, offset);
        if (result != kOvDDCOk) {
            if (failures == kCapabilitiesFailureLimit) break;
            ++failures;
            continue;  // the same offset again
        }
        failures = 1;
        const int32_t dataLength = length - kCapabilitiesHeader;
        end = dataLength == 0;
        for (int32_t i = 0; i < dataLength && !end; ++i) {
            const uint8_t byte = reply[kCapabilitiesHeader + i];
            if (byte == 0) {
                end = true;
            } else if (textLength + 1 >= size) {
                buffer[textLength] = '\0';
                return kOvDDCCapabilityTooLong;
            } else {
                buffer[textLength++] = static_cast<char>(byte);
            }
        }
        offset += dataLength;
    }
    buffer[textLength] = '\0';
    return result != kOvDDCOk ? result : textLength;
}

int32_t ddc_control::ReadEDIDBlocks(uint8_t* buffer, bool validate)
{
    int32_t result = fChannel->OpenChannel();
    if (result != 0) return result;
    for (int32_t k = 0; k < kAttempts; ++k) {
        result = fChannel->I2CWriteRead(buffer, kOvEdidAddress, 0x00, kOvEdidBlockSize);
        if (result >= 0) break;
        fChannel->WaitMs(kEdidRetryWaitMs + kEdidRetryStepMs * k);
    }
    if (result >= 0 && validate) {
        if (buffer[kEdidExtensionCount] != 0) {
            uint8_t* extension = buffer + kOvEdidBlockSize;
            result = fChannel->I2CWriteRead(extension, kOvEdidAddress, kOvEdidBlockSize, kOvEdidBlockSize);
            if (result >= 0) result = BlockChecksumIsZero(extension) ? kOvDDCOk : kOvEdidChecksumError;
        } else {
            std::memset(buffer + kOvEdidBlockSize, 0, kOvEdidBlockSize);
            result = ValidateBaseBlock(buffer);
        }
    }
    fChannel->CloseChannel();
    return result < 0 ? result : kOvDDCOk;
}

int32_t ddc_control::TestConnection(int32_t options, uint8_t* edid)
{
    if (options == 0) {
        const int32_t opened = fChannel->OpenChannel();
        const int32_t closed = fChannel->CloseChannel();
        return opened != 0 ? opened : closed;
    }
    int32_t result = kOvDDCOk;
    if (options & 1) {
        result = ReadEDIDBlocks(edid, true);
        if (result != kOvDDCOk) return result;
    }
    if (options & 2) {
        OvVCPReply ignored;
        result = GetVCP(kConnectionTestCode, &ignored);
    }
    return result;
}
