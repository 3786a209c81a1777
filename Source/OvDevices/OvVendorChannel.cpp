// Errors raised here name the device's source file, as the device raised them before the
// channel had a class of its own.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include "OvDevices/OvVendorChannel.h"

#include <algorithm>
#include <initializer_list>

#include "OvCore/OvError.h"
#include "OvCore/OvString.h"
#include "OvDevices/OvDeviceLog.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvSystem/OvSystem.h"
#include "OvTools/OvDebug.h"

namespace {
constexpr int32_t kSendAttempts = 5;
// The log shows a request behind its address bytes and a bare length byte, with a 0x00 in
// the checksum's place, and a reply behind the address and its length byte.
constexpr uint8_t kLengthByte = 0x80;
constexpr uint8_t kChecksumPlaceholder = 0x00;

void LogSendResult(const char* operation, int32_t failures, int32_t result)
{
    DebugPrintf(kOvChannelMonitor, "- retries = %d", failures);
    if (result != 0)
        DebugPrintf(kOvChannelMonitor, "- %s failed with error %d", operation, result);
    else
        DebugPrintf(kOvChannelMonitor, "- %s succeeded", operation);
}

void AppendHex(OvString& text, uint8_t byte)
{
    text.Append(OvString::Format("%02x", byte));
}

void LogMessage(std::initializer_list<uint8_t> head, std::span<const uint8_t> payload,
                std::initializer_list<uint8_t> tail)
{
    OvString text("<");
    for (uint8_t byte : head) AppendHex(text, byte);
    for (uint8_t byte : payload) AppendHex(text, byte);
    for (uint8_t byte : tail) AppendHex(text, byte);
    text.Append(">\n");
    DebugPrintf(kOvChannelMonitor, "DDC2Device: %s", text.Chars());
}
}  // namespace

OvVendorChannel::OvVendorChannel(const std::unique_ptr<NMV_factory_ddc_control>& control, const int32_t& port)
    : fControl(control), fPort(port)
{
}

NMV_factory_ddc_control& OvVendorChannel::RequireControl() const
{
    if (!fControl) OV_RAISE(kOvIOErr, "OvIOErr");
    return *fControl;
}

void OvVendorChannel::Assemble(std::span<const uint8_t> payload)
{
    if (payload.size() > static_cast<size_t>(kMaxMessagePayload)) OV_RAISE(kOvBufferTooSmall, "OvBufferTooSmall");
    std::ranges::copy(payload, fSendBuffer);
    fSendLength = static_cast<int32_t>(payload.size());
}

std::span<const uint8_t> OvVendorChannel::Assembled() const
{
    return {fSendBuffer, static_cast<size_t>(fSendLength)};
}

void OvVendorChannel::LogRequest() const
{
    LogMessage({static_cast<uint8_t>(kOvDDCAddress), kOvDDCHostAddress, kLengthByte}, Assembled(),
               {kChecksumPlaceholder});
}

void OvVendorChannel::LogReply() const
{
    LogMessage({static_cast<uint8_t>(kOvDDCAddress), static_cast<uint8_t>(kLengthByte | fReceiveLength)},
               ReceivedPayload(), {});
}

void OvVendorChannel::SendBuf(std::span<const uint8_t> payload, int32_t waitAfter)
{
    Assemble(payload);
    LogDeviceOperation("::SendBuf");
    RequireControl();
    DebugPrintf(kOvChannelMonitor, "- using port %d", fPort);
    LogRequest();
    int32_t result = 0;
    int32_t failures = 0;
    for (int32_t attempt = 0; attempt < kSendAttempts; ++attempt) {
        result = SendMessage(Assembled(), waitAfter);
        if (result == 0) break;
        ++failures;
        SleepMs(waitAfter);
        DebugPrintf(kOvChannelMonitor, "- delayAfterSend = %d", waitAfter);
    }
    LogSendResult("::SendBuf", failures, result);
    if (result != 0) OV_RAISE(result, "err");
}

std::span<const uint8_t> OvVendorChannel::SendReadBuf(std::span<const uint8_t> payload, int32_t expectedLength,
                                                      int32_t wait)
{
    Assemble(payload);
    DebugPrintf(kOvChannelMonitor, "DDC2Device::SendReadBuf %d", fPort);
    RequireControl();
    if (expectedLength > kMaxReplyPayload) OV_RAISE(kOvArgErr, "OvArgErr");
    DebugPrintf(kOvChannelMonitor, "- using port %d", fPort);
    LogRequest();
    int32_t result = 0;
    int32_t failures = 0;
    for (int32_t attempt = 0; attempt < kSendAttempts; ++attempt) {
        result = SendReadMessage(Assembled(), expectedLength, wait);
        DebugPrintf(kOvChannelMonitor, "- delayAfterSend = %d", wait);
        if (result == 0) break;
        ++failures;
    }
    LogSendResult("::SendReadBuf", failures, result);
    if (result != 0) OV_RAISE(result, "err");
    LogReply();
    return ReceivedPayload();
}

int32_t OvVendorChannel::SendMessage(std::span<const uint8_t> payload, int32_t waitAfter)
{
    return RequireControl().SendMessage(payload.data(), static_cast<int32_t>(payload.size()), waitAfter);
}

int32_t OvVendorChannel::SendReadMessage(std::span<const uint8_t> payload, int32_t expectedLength, int32_t wait)
{
    // The last reply stays until another exchange succeeds.
    uint8_t reply[kOvDDCMaxPayload];
    int32_t length = expectedLength;
    const int32_t result = RequireControl().SendReadMessage(payload.data(), static_cast<int32_t>(payload.size()),
                                                            reply, &length, true, wait);
    if (result != 0) return result;
    std::copy_n(reply, length, fReceiveBuffer);
    fReceiveLength = length;
    return result;
}

std::span<const uint8_t> OvVendorChannel::ReceivedPayload() const
{
    return {fReceiveBuffer, static_cast<size_t>(fReceiveLength)};
}
