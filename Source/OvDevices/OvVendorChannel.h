#pragma once
// ZEZ's vendor messages (gamma tables, 3D LUTs, factory commands) over the device's DDC/CI
// link. Callers hand in payloads (opcode and data) and get reply payloads back; framing,
// checksums and the transport's own retries are the control object's.
//
// Two levels:
// - SendBuf and SendReadBuf, the device's buffered sends: five attempts, each exchange
//   logged on the "Monitor" channel, and "err" raised with the transport's code when all
//   attempts fail. Without a connection they raise "OvIOErr".
// - SendMessage and SendReadMessage: one exchange of the control object, whose result code
//   is returned as it is, for uploads that judge the codes themselves.
#include <cstdint>
#include <memory>
#include <span>

#include "OvDevices/OvLowLevelDDC.h"

class NMV_factory_ddc_control;

class OvVendorChannel {
public:
    // What the buffered sends take and give back; the single exchanges take what the
    // transport carries (kOvDDCMaxPayload).
    static constexpr int32_t kMaxMessagePayload = 31;
    static constexpr int32_t kMaxReplyPayload = 35;

    // Follows the device's link: the control object it owns while connected (null
    // otherwise) and the logical port that the log lines name.
    OvVendorChannel(const std::unique_ptr<NMV_factory_ddc_control>& control, const int32_t& port);
    OvVendorChannel(const OvVendorChannel&) = delete;
    OvVendorChannel& operator=(const OvVendorChannel&) = delete;

    // Sends a payload that has no reply; each attempt waits waitAfter behind the send, a
    // failed one as long again. A payload above kMaxMessagePayload raises "OvBufferTooSmall".
    void SendBuf(std::span<const uint8_t> payload, int32_t waitAfter);
    // Sends a payload and returns the reply of at most expectedLength bytes (at most
    // kMaxReplyPayload, else "OvArgErr"); an empty reply counts as a failed attempt.
    std::span<const uint8_t> SendReadBuf(std::span<const uint8_t> payload, int32_t expectedLength, int32_t wait);

    // One exchange without reply, then waitAfter; the transport's code.
    int32_t SendMessage(std::span<const uint8_t> payload, int32_t waitAfter);
    // One exchange with a reply of at most expectedLength bytes, which ReceivedPayload then
    // holds; an empty reply is tried again. The transport's code.
    int32_t SendReadMessage(std::span<const uint8_t> payload, int32_t expectedLength, int32_t wait);

    // The payload of the last reply.
    std::span<const uint8_t> ReceivedPayload() const;

private:
    NMV_factory_ddc_control& RequireControl() const;  // raises "OvIOErr" when unconnected
    void Assemble(std::span<const uint8_t> payload);
    std::span<const uint8_t> Assembled() const;
    // Logs the assembled payload or the last reply as one line with its address and length
    // bytes, as "DDC2Device: <hex bytes>".
    void LogRequest() const;
    void LogReply() const;

    const std::unique_ptr<NMV_factory_ddc_control>& fControl;
    const int32_t& fPort;
    uint8_t fSendBuffer[kMaxMessagePayload] = {};
    uint8_t fReceiveBuffer[kOvDDCMaxPayload] = {};
    int32_t fSendLength = 0;
    int32_t fReceiveLength = 0;
};
