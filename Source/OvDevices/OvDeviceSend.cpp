// The device's buffered send of vendor messages: assembly in the send buffer, five
// attempts with logging, and failures raised as errors.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include <cstring>

#include "OvCore/OvError.h"
#include "OvDevices/OvDeviceLog.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvSystem/OvSystem.h"
#include "OvTools/OvDebug.h"

namespace {
constexpr int32_t kSendAttempts = 5;
// Destination, source and length byte before the payload, checksum placeholder after it.
constexpr int32_t kMessageHeader = 3;
constexpr int32_t kMessageOverhead = 4;
constexpr uint8_t kDestination = 0x6E;
constexpr uint8_t kSource = 0x51;
constexpr uint8_t kLengthByte = 0x80;

void LogSendResult(const char* operation, int32_t failures, int32_t result)
{
    DebugPrintf(kOvChannelMonitor, "- retries = %d", failures);
    if (result != 0)
        DebugPrintf(kOvChannelMonitor, "- %s failed with error %d", operation, result);
    else
        DebugPrintf(kOvChannelMonitor, "- %s succeeded", operation);
}
}  // namespace

void OvROVUvidedImpl::LogMessageBytes(const uint8_t* bytes, int32_t count)
{
    OvString text("<");
    for (int32_t i = 0; i < count; ++i) text.Append(OvString::Format("%02x", bytes[i]));
    text.Append(">\n");
    DebugPrintf(kOvChannelMonitor, "DDC2Device: %s", text.Chars());
}

void OvROVUvidedImpl::AssembleMessage(std::span<const uint8_t> payload)
{
    if (payload.size() > static_cast<size_t>(kMaxMessagePayload)) OV_RAISE(kOvBufferTooSmall, "OvBufferTooSmall");
    // The send length ends as the index behind the last byte.
    fSendLength = 0;
    const auto append = [this](uint8_t byte) { fSendBuffer[fSendLength++] = byte; };
    append(kDestination);
    append(kSource);
    append(kLengthByte);
    for (uint8_t byte : payload) append(byte);
    append(0x00);  // checksum placeholder: the transport frames the packet itself
}

void OvROVUvidedImpl::SendBuf(int32_t waitAfter)
{
    LogDeviceOperation("::SendBuf");
    if (!fDDCControl) OV_RAISE(kOvIOErr, "OvIOErr");
    DebugPrintf(kOvChannelMonitor, "- using port %d", fPort);
    LogMessageBytes(fSendBuffer, fSendLength);
    int32_t result = 0;
    int32_t failures = 0;
    for (int32_t attempt = 0; attempt < kSendAttempts; ++attempt) {
        result = fDDCControl->SendMessage(fSendBuffer + kMessageHeader, fSendLength - kMessageOverhead, waitAfter);
        if (result == 0) break;
        ++failures;
        SleepMs(waitAfter);
        DebugPrintf(kOvChannelMonitor, "- delayAfterSend = %d", waitAfter);
    }
    LogSendResult("::SendBuf", failures, result);
    if (result != 0) OV_RAISE(result, "err");
}

void OvROVUvidedImpl::SendReadBuf(int32_t expectedLength, int32_t wait)
{
    DebugPrintf(kOvChannelMonitor, "DDC2Device::SendReadBuf %d", fPort);
    if (!fDDCControl) OV_RAISE(kOvIOErr, "OvIOErr");
    if (expectedLength > kMaxReplyPayload) OV_RAISE(kOvArgErr, "OvArgErr");
    DebugPrintf(kOvChannelMonitor, "- using port %d", fPort);
    LogMessageBytes(fSendBuffer, fSendLength);
    uint8_t reply[kMaxReplyPayload];
    int32_t length = 0;
    int32_t result = 0;
    int32_t failures = 0;
    for (int32_t attempt = 0; attempt < kSendAttempts; ++attempt) {
        length = expectedLength;
        result = fDDCControl->SendReadMessage(fSendBuffer + kMessageHeader, fSendLength - kMessageOverhead, reply,
                                              &length, true, wait);
        DebugPrintf(kOvChannelMonitor, "- delayAfterSend = %d", wait);
        if (result == 0) break;
        ++failures;
    }
    LogSendResult("::SendReadBuf", failures, result);
    if (result != 0) OV_RAISE(result, "err");
    fReceiveBuffer[0] = kDestination;
    fReceiveBuffer[1] = static_cast<uint8_t>(kLengthByte | length);
    std::memcpy(fReceiveBuffer + 2, reply, static_cast<size_t>(length));
    fReceiveLength = length;
    LogMessageBytes(fReceiveBuffer, fReceiveLength);
}

std::span<const uint8_t> OvROVUvidedImpl::ReceivedPayload() const
{
    return {fReceiveBuffer + 2, static_cast<size_t>(fReceiveLength)};
}

int32_t OvROVUvidedImpl::SendSaveCurrentSettings()
{
    return fDDCControl->SaveCurrentSettings();
}
