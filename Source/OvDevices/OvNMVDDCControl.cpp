// ZEZ's paged VCP requests and the feature access by 16-bit id.
#define OV_SOURCE_FILE "Source/OvDevices/OvNMVDDCControl"
#include "OvDevices/OvNMVDDCControl.h"

#include "OvDevices/OvDDCResult.h"

namespace {
constexpr uint8_t kPagedReadRequest = 0xC6;
constexpr uint8_t kPagedReply = 0xC7;
constexpr uint8_t kPagedWriteRequest = 0xC8;
// 0xC7, result code, page, code, type, maximum (2), current (2).
constexpr int32_t kPagedReplyLength = 9;

constexpr int32_t kRequestWaitMs = 50;
constexpr int32_t kReadRetryWaitMs = 200;
constexpr int32_t kReadRetryStepMs = 100;
constexpr int32_t kWriteRetryWaitMs = 500;
constexpr int32_t kWriteRetryStepMs = 200;
// A display on a DDC link may answer a paged write late; it is polled this often.
constexpr int32_t kWritePolls = 17;
constexpr int32_t kWritePollWaitMs = 100;
constexpr int32_t kWritePollWaitAfterMs = 50;

uint32_t Word(const uint8_t* bytes) { return static_cast<uint32_t>(bytes[0]) << 8 | bytes[1]; }

bool EchoesVCP(const uint8_t* reply, uint8_t page, uint8_t code)
{
    return reply[2] == page && reply[3] == code;
}

void StoreReply(const uint8_t* reply, OvVCPReply* out)
{
    out->resultCode = reply[1];
    out->type = reply[4];
    out->maximum = Word(reply + 5);
    out->current = Word(reply + 7);
}

// What a complete paged reply says: 0 when it answers page and code.
int32_t CheckPagedReply(const uint8_t* reply, int32_t length, uint8_t page, uint8_t code)
{
    if (length != kPagedReplyLength) return kOvDDCWrongLength;
    if (reply[0] != kPagedReply) return kOvDDCWrongOpcode;
    return EchoesVCP(reply, page, code) ? kOvDDCOk : kOvDDCWrongEcho;
}
}  // namespace

int32_t NMV_ddc_control::ReadPagedVCP(uint32_t page, uint32_t code, OvVCPReply* reply)
{
    if (page > 0xFF || code > 0xFF) return kOvDDCCodeOutOfRange;
    const uint8_t request[] = {kPagedReadRequest, static_cast<uint8_t>(page), static_cast<uint8_t>(code)};
    uint8_t answer[kPagedReplyLength];
    int32_t result = kOvDDCWrongLength;
    for (int32_t k = 0; k < kAttempts; ++k) {
        if (k > 0) fChannel->WaitMs(kReadRetryWaitMs + kReadRetryStepMs * k);
        int32_t length = kPagedReplyLength;
        const int32_t sent = SendReadMessage(request, sizeof request, answer, &length, true, kRequestWaitMs);
        if (sent != kOvDDCOk) return sent;
        result = CheckPagedReply(answer, length, request[1], request[2]);
        if (result == kOvDDCWrongOpcode) return result;
        if (result == kOvDDCOk) {
            StoreReply(answer, reply);
            return kOvDDCOk;
        }
    }
    return result;
}

int32_t NMV_ddc_control::ReadPagedVCP(uint32_t vcpId, OvVCPReply* reply)
{
    return ReadPagedVCP(vcpId >> 8, vcpId & 0xFF, reply);
}

int32_t NMV_ddc_control::PollPagedWriteReply(uint8_t page, uint8_t code, uint8_t* reply)
{
    int32_t result = kOvDDCWrongLength;
    for (int32_t poll = 0; poll < kWritePolls && result != kOvDDCOk; ++poll) {
        fChannel->WaitMs(kWritePollWaitMs);
        int32_t length = kPagedReplyLength;
        ReceiveMessage(reply, &length, kWritePollWaitAfterMs);
        result = CheckPagedReply(reply, length, page, code);
    }
    return result;
}

int32_t NMV_ddc_control::WritePagedVCP(uint32_t page, uint32_t code, uint32_t value, OvVCPReply* reply)
{
    if (page > 0xFF || code > 0xFF) return kOvDDCCodeOutOfRange;
    const uint8_t request[] = {kPagedWriteRequest, static_cast<uint8_t>(page), static_cast<uint8_t>(code),
                               static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    uint8_t answer[kPagedReplyLength];
    int32_t result = kOvDDCWrongLength;
    for (int32_t k = 0; k < kAttempts; ++k) {
        if (k > 0) fChannel->WaitMs(kWriteRetryWaitMs + kWriteRetryStepMs * k);
        int32_t length = kPagedReplyLength;
        const int32_t sent = SendReadMessage(request, sizeof request, answer, &length, false, kRequestWaitMs);
        if (sent != kOvDDCOk) return sent;
        if (length == kPagedReplyLength) {
            result = CheckPagedReply(answer, length, request[1], request[2]);
            if (result == kOvDDCWrongOpcode) return result;
        } else if (length == 0 && !fUSBMode) {
            result = PollPagedWriteReply(request[1], request[2], answer);
        } else {
            result = kOvDDCWrongLength;
        }
        if (result == kOvDDCOk) {
            StoreReply(answer, reply);
            return kOvDDCOk;
        }
    }
    return result;
}

int32_t NMV_ddc_control::WritePagedVCP(uint32_t vcpId, uint32_t value, OvVCPReply* reply)
{
    return WritePagedVCP(vcpId >> 8, vcpId & 0xFF, value, reply);
}

int32_t NMV_factory_ddc_control::GetFeature(uint32_t vcpId, OvVCPReply* reply)
{
    return vcpId < 0x100 ? GetVCP(vcpId, reply) : ReadPagedVCP(vcpId, reply);
}

int32_t NMV_factory_ddc_control::SetFeature(uint32_t vcpId, uint32_t value)
{
    if (vcpId < 0x100) return SetVCP(vcpId, value);
    OvVCPReply ignored;
    return WritePagedVCP(vcpId, value, &ignored);
}
