// The display's gamma table: the change-only upload of the 256-entry table, its read-back
// into the table image, the commands that apply and store it, and the chunk write with
// long retries that the newer series need.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include <algorithm>
#include <cstring>

#include "OvCore/OvError.h"
#include "OvDevices/OvDDCResult.h"
#include "OvDevices/OvGammaTableMessages.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvThrottledProgress.h"
#include "OvSystem/OvPlatform.h"
#include "OvSystem/OvSystem.h"
#include "OvTools/OvDebug.h"
#include "Progress/OvProgress.h"

using namespace OvGammaTable;

namespace {
constexpr int32_t kUploadChunkBytes = 16;
constexpr int32_t kUploadWaitMs = 100;
constexpr int32_t kReadChunkEntries = 8;
constexpr int32_t kReadReplyBytes = 35;
constexpr int32_t kReadWaitMs = 100;
constexpr int32_t kApplyWaitMs = 50;
constexpr int32_t kAfterApplyMs = 2000;
constexpr int32_t kStoreWaitMs = 200;
constexpr int32_t kAfterStoreMs = 5000;
constexpr int32_t kChunkRetries = 10;
constexpr int32_t kChunkRetryWaitMs = 2000;
constexpr int32_t kAfterChunkMs = 50;
}  // namespace

void OvROVUvidedImpl::UpdateCalibration(int32_t count, const uint8_t* data, const uint8_t* previous,
                                        OvProgress* progress)
{
    const uint32_t start = OvPlatform::TickCount();
    DebugPrintf(kOvChannelMonitor, "DDC2Device%s", "::UpdateCalibration");
    if (count <= 0 || !data) return;
    SendTableChunks(count, data, previous, progress, OvThrottledProgress(progress, start));
}

void OvROVUvidedImpl::SendTableChunks(int32_t count, const uint8_t* data, const uint8_t* previous,
                                      OvProgress* progress, OvThrottledProgress throttled)
{
    uint8_t payload[4 + kUploadChunkBytes] = {kVendorRequest, kWrite};
    // A last chunk shorter than 16 bytes is sent as far as the table goes.
    for (int32_t offset = 0; offset < count; offset += kUploadChunkBytes) {
        const int32_t length = std::min(kUploadChunkBytes, count - offset);
        if (previous && std::memcmp(data + offset, previous + offset, static_cast<size_t>(length)) == 0) continue;
        const int32_t address = offset / 2;
        payload[2] = static_cast<uint8_t>(address >> 8);
        payload[3] = static_cast<uint8_t>(address);
        std::memcpy(payload + 4, data + offset, static_cast<size_t>(length));
        fVendorChannel.SendBuf(std::span(payload, static_cast<size_t>(4 + length)), kUploadWaitMs);
        throttled.Report(static_cast<double>(offset) / count);
    }
    if (progress) progress->SetProgress(1.0);
}

void OvROVUvidedImpl::ReadGammaTable()
{
    constexpr int32_t kRequests = static_cast<int32_t>(sizeof fTableImage) / (2 * kReadChunkEntries);
    Message message;
    for (int32_t k = 0; k < kRequests; ++k) {
        message.BuildRead(kReadPA, static_cast<uint16_t>(kReadChunkEntries * k), kReadChunkEntries);
        const std::span<const uint8_t> reply = fVendorChannel.SendReadBuf(message.Payload(), kReadReplyBytes, kReadWaitMs);
        // The entries follow the two leading bytes, which are not checked; a short reply
        // leaves the rest of its chunk as it was.
        const size_t copied = std::min<size_t>(2 * kReadChunkEntries, reply.size() > 2 ? reply.size() - 2 : 0);
        std::memcpy(fTableImage + 2 * kReadChunkEntries * k, reply.data() + 2, copied);
    }
}

void OvROVUvidedImpl::SendTableCommand(uint8_t opcode, int32_t waitAfterSend, int32_t waitAfter)
{
    if (fDDCControl) {
        Message message;
        message.BuildCommand(opcode);
        if (fVendorChannel.SendMessage(message.Payload(), waitAfterSend) != kOvDDCOk) OV_RAISE(kOvIOErr, "OvIOErr");
    }
    SleepMs(waitAfter);
}

void OvROVUvidedImpl::RefreshGammatable() { SendTableCommand(kApply, kApplyWaitMs, kAfterApplyMs); }

void OvROVUvidedImpl::SaveGammatable() { SendTableCommand(kStore, kStoreWaitMs, kAfterStoreMs); }

void OvROVUvidedImpl::GammaTableWriteChunkVerifyAndRetry(const int32_t* entries, uint16_t address, int32_t count)
{
    const auto write = [&] {
        if (!fDDCControl) OV_RAISE(kOvIOErr, "OvIOErr");
        return fDDCControl->WriteTableChunkVerified(entries, address, count, 0) == kOvDDCOk;
    };
    if (!write()) {
        DebugPrintf(kOvChannelMonitor, "%s", "DDC2Device::GammaTableWriteChunkVerifyAndRetry failed");
        for (int32_t retry = 1; retry <= kChunkRetries; ++retry) {
            SleepMs(kChunkRetryWaitMs);
            if (write()) break;
            DebugPrintf(kOvChannelMonitor, "DDC2Device::GammaTableWriteChunkVerifyAndRetry failed, %d retry", retry);
        }
        // Written once more after a pause, also after a retry that succeeded.
        SleepMs(kChunkRetryWaitMs);
        if (!write()) OV_RAISE(kOvIOErr, "OvIOErr");
    }
    SleepMs(kAfterChunkMs);
}
