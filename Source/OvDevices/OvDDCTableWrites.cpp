// Verified gamma-table chunk writes: each chunk is written, read back and compared, and
// written again while the display reports other values.
#include <algorithm>
#include <span>

#include "OvDevices/OvDDCControl.h"
#include "OvDevices/OvDDCResult.h"
#include "OvDevices/OvGammaTableMessages.h"

using namespace OvGammaTable;

namespace {
constexpr int32_t kTableMessageWaitMs = 50;
constexpr int32_t kPAAttempts = 7;
constexpr int32_t kPARetryWaitMs = 2000;

bool SameEntries(const int32_t* entries, const uint8_t* readBack, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        const int32_t value = (readBack[2 * i] << 8) | readBack[2 * i + 1];
        if (value != (entries[i] & 0xFFFF)) return false;
    }
    return true;
}
}  // namespace

int32_t ddc_control::WriteAndCompareChunk(uint8_t writeOpcode, uint8_t readOpcode, const int32_t* entries,
                                          uint16_t address, int32_t count, int32_t readBackDelay)
{
    Message message;
    if (const int32_t built = message.BuildWrite(writeOpcode, address, std::span(entries, static_cast<size_t>(count)));
        built != kOvDDCOk)
        return built;
    const auto write = message.Payload();
    if (const int32_t sent = SendMessage(write.data(), static_cast<int32_t>(write.size()), kTableMessageWaitMs);
        sent != kOvDDCOk)
        return sent;
    if (readBackDelay > 0) fChannel->WaitMs(readBackDelay);

    message.BuildRead(readOpcode, address, count);
    const auto read = message.Payload();
    uint8_t reply[kOvDDCMaxPayload] = {};
    const int32_t expected = ReadReplyLength(count);
    // The read is asked again while the reply has another length (an empty one included).
    for (int32_t k = 0; k < kAttempts; ++k) {
        int32_t length = expected;
        const int32_t result = SendReadMessage(read.data(), static_cast<int32_t>(read.size()), reply, &length, false,
                                               kTableMessageWaitMs);
        if (result != kOvDDCOk) return result;
        if (length != expected) continue;
        if (reply[0] != kVendorReply || reply[1] != readOpcode) return kOvDDCWrongOpcode;
        return SameEntries(entries, reply + 2, count) ? kOvDDCOk : kOvDDCTableMismatch;
    }
    return kOvDDCWrongLength;
}

int32_t ddc_control::WriteTableChunkVerified(const int32_t* entries, uint16_t address, int32_t count, int32_t retryDelay)
{
    int32_t delay = retryDelay;
    for (int32_t attempt = 0; attempt < kAttempts; ++attempt, delay += retryDelay) {
        const int32_t result = WriteAndCompareChunk(kWrite, kReadBack, entries, address, count, retryDelay > 0 ? delay : 0);
        if (result != kOvDDCTableMismatch) return result;
    }
    return kOvDDCTableMismatch;
}

int32_t ddc_control::WritePATableChunkVerified(const int32_t* entries, uint16_t address, int32_t count)
{
    for (int32_t attempt = 0; attempt < kPAAttempts; ++attempt) {
        if (attempt > 0) fChannel->WaitMs(kPARetryWaitMs);
        const int32_t result = WriteAndCompareChunk(kWritePA, kReadPA, entries, address, count, 0);
        if (result != kOvDDCTableMismatch) return result;
    }
    return kOvDDCTableMismatch;
}
