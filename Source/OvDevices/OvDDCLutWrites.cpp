// 3D LUT messages over the control object: point writes acknowledged by an echo of their
// grid coordinate, and slot names.
#include <cctype>
#include <cstring>

#include "OvDevices/OvDDCControl.h"
#include "OvDevices/OvDDCResult.h"
#include "OvDevices/OvLutMessages.h"

using namespace OvLut;

namespace {
constexpr int32_t kDirectWriteWaitMs = 50;
constexpr int32_t kNameWaitMs = 50;
constexpr int32_t kNameRetryWaitMs = 100;

bool IsNameCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || std::strchr(" +,-./:", c) != nullptr;
}
}  // namespace

int32_t ddc_control::WriteLutPointsDirect(uint8_t r, uint8_t g, uint8_t b, const int32_t* values, int32_t count)
{
    return WriteLutPoints(kDirectWrite, r, g, b, values, count, kDirectWriteWaitMs);
}

int32_t ddc_control::WriteLutPointsToRam(uint8_t r, uint8_t g, uint8_t b, const int32_t* values, int32_t count,
                                         int32_t wait)
{
    return WriteLutPoints(kRamWrite, r, g, b, values, count, wait);
}

int32_t ddc_control::WriteLutPoints(uint8_t opcode, uint8_t r, uint8_t g, uint8_t b, const int32_t* values,
                                    int32_t count, int32_t wait)
{
    if (count > kMaxPointsPerMessage) return kOvDDCTooManyEntries;
    if (count < 1) return kOvDDCWrongLength;
    uint8_t payload[5 + 6 * kMaxPointsPerMessage] = {kVendorRequest, opcode, r, g, b};
    int32_t length = 5;
    for (int32_t i = 0; i < 3 * count; ++i) {
        payload[length++] = static_cast<uint8_t>(values[i] >> 8);
        payload[length++] = static_cast<uint8_t>(values[i]);
    }
    const bool toRam = opcode == kRamWrite;
    int32_t result = kOvDDCWrongLength;
    for (int32_t k = 0; k < kAttempts; ++k) {
        uint8_t reply[kOvDDCMaxPayload] = {};
        int32_t replyLength = kPointReplyLength;
        const int32_t sent = SendReadMessage(payload, length, reply, &replyLength, false, wait);
        if (sent != kOvDDCOk) return sent;
        if (replyLength != kPointReplyLength) {
            result = kOvDDCWrongLength;
            continue;
        }
        const bool rightOpcode = reply[0] == kVendorReply && reply[1] == opcode;
        const bool rightCoordinate = reply[2] == r && reply[3] == g && reply[4] == b;
        if (rightOpcode && rightCoordinate) return kOvDDCOk;
        result = kOvDDCWrongOpcode;
        // The direct write gives up at the first wrong reply; the RAM write only at a
        // wrong opcode.
        if (!toRam || !rightOpcode) return result;
    }
    return result;
}

int32_t ddc_control::NameLutSlot(uint8_t slot, const char* name)
{
    uint8_t payload[3 + kNameLength] = {kVendorRequest, kName, slot};
    const size_t nameLength = name ? std::strlen(name) : 0;
    for (int32_t i = 0; i < kNameLength; ++i) {
        const char c = static_cast<size_t>(i) < nameLength ? name[i] : ' ';
        payload[3 + i] = static_cast<uint8_t>(IsNameCharacter(c) ? c : ' ');
    }
    int32_t result = kOvDDCWrongLength;
    for (int32_t k = 0; k < kAttempts; ++k) {
        if (k > 0) fChannel->WaitMs(kNameRetryWaitMs);
        uint8_t reply[kOvDDCMaxPayload] = {};
        int32_t replyLength = kNameReplyLength;
        const int32_t sent = SendReadMessage(payload, sizeof payload, reply, &replyLength, false, kNameWaitMs);
        if (sent != kOvDDCOk) return sent;
        if (replyLength != kNameReplyLength) {
            result = kOvDDCWrongLength;
        } else if (reply[0] != kVendorReply || reply[1] != kName || reply[2] != slot) {
            result = kOvDDCWrongOpcode;
        } else {
            return kOvDDCOk;
        }
    }
    return result;
}
