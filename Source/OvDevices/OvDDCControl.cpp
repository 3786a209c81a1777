// The exchanges every DDC/CI request is built from: send, send and read the reply, read a
// late reply. Each one opens and closes the channel and retries with growing waits.
#define OV_SOURCE_FILE "Source/OvDevices/OvDDCControl"
#include "OvDevices/OvDDCControl.h"

#include "OvDevices/OvDDCResult.h"

namespace {
// Waits of the exchanges, growing with the attempt number k.
constexpr int32_t kFailedWriteWaitMs = 50;
constexpr int32_t kFailedWriteStepMs = 200;
constexpr int32_t kReadStepMs = 50;
constexpr int32_t kAfterExchangeWaitMs = 50;

// The length checks shared by the exchanges that read a reply.
int32_t CheckLength(int32_t length)
{
    if (length > kOvDDCMaxPayload) return kOvDDCPayloadTooLong;
    if (length < 1) return kOvDDCWrongLength;
    return kOvDDCOk;
}

int32_t Reported(int32_t result)
{
    return result == kOvDDCEmptyReply ? kOvDDCNoReply : result;
}
}  // namespace

ddc_control::ddc_control(int32_t interfaceIndex, int32_t i2cParameter, int32_t option)
    : fChannel(std::make_unique<low_level_ddc>(interfaceIndex, i2cParameter))
{
    fChannel->SetOption(option);
    fChannel->InitChannel();
}

ddc_control::~ddc_control() = default;

int32_t ddc_control::SendMessage(const uint8_t* payload, int32_t count, int32_t waitAfter)
{
    if (count < 0 || count > kOvDDCMaxPayload) return kOvDDCPayloadTooLong;
    int32_t result = fChannel->OpenChannel();
    if (result != 0) return result;
    for (int32_t k = 0; k < kAttempts; ++k) {
        result = fChannel->WriteDDCMessage(payload, count);
        if (result >= 0) break;
        fChannel->WaitMs(kFailedWriteWaitMs + kFailedWriteStepMs * k);
    }
    fChannel->CloseChannel();
    fChannel->WaitMs(waitAfter);
    return result < 0 ? result : kOvDDCOk;
}

int32_t ddc_control::ReadReply(uint8_t* reply, int32_t expected, bool emptyReplyFails, int32_t* replyLength)
{
    const int32_t length = fChannel->ReadDDCMessage(reply, expected);
    if (length < 0) return length;
    if (length == 0 && emptyReplyFails) return kOvDDCEmptyReply;
    *replyLength = length;
    return kOvDDCOk;
}

int32_t ddc_control::SendReadMessage(const uint8_t* payload, int32_t count, uint8_t* reply, int32_t* replyLength,
                                     bool emptyReplyFails, int32_t wait)
{
    if (const int32_t check = CheckLength(count); check != kOvDDCOk) return check;
    if (const int32_t check = CheckLength(*replyLength); check != kOvDDCOk) return check;
    const int32_t expected = *replyLength;
    *replyLength = 0;
    int32_t result = fChannel->OpenChannel();
    if (result != 0) return Reported(result);
    for (int32_t k = 0; k < kAttempts; ++k) {
        result = fChannel->WriteDDCMessage(payload, count);
        if (result < 0) {
            fChannel->WaitMs(wait + kFailedWriteStepMs * k);
            continue;
        }
        fChannel->WaitMs(wait + kReadStepMs * k);
        result = ReadReply(reply, expected, emptyReplyFails, replyLength);
        if (result == kOvDDCOk) break;
        if (k + 1 < kAttempts) fChannel->WaitMs(wait + kReadStepMs * k);
    }
    fChannel->CloseChannel();
    fChannel->WaitMs(kAfterExchangeWaitMs);
    return Reported(result);
}

int32_t ddc_control::ReceiveMessage(uint8_t* reply, int32_t* replyLength, int32_t waitAfter)
{
    if (const int32_t check = CheckLength(*replyLength); check != kOvDDCOk) return check;
    const int32_t expected = *replyLength;
    *replyLength = 0;
    int32_t result = fChannel->OpenChannel();
    if (result != 0) return result;
    for (int32_t k = 0; k < kAttempts; ++k) {
        result = fChannel->ReadDDCMessage(reply, expected);
        if (result >= 0) break;
    }
    if (result > 0) *replyLength = result;
    fChannel->CloseChannel();
    fChannel->WaitMs(waitAfter);
    return result < 0 ? result : kOvDDCOk;
}
