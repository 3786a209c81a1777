#define OV_SOURCE_FILE "Source/OvMath/OvVectorBuffer"
#include "OvMath/OvVectorBuffer.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <new>

#include "OvCore/OvError.h"

static_assert(sizeof(OvVectorBuffer) == 8, "the doubles follow the two counts");

namespace {

constexpr int kCachedBuffers = 10;

// Process-wide and never destroyed, so that vectors released during shutdown still find it;
// what it holds at unload is reachable and goes with the process.
std::atomic<int32_t> gCacheUsers{0};
OvVectorBuffer* gCache[kCachedBuffers] = {};
int gNextEvicted = 0;

// Holds the cache when the counter was 0 on entry; otherwise the holder is someone else.
class CacheTryLock {
public:
    CacheTryLock() : fHeld(gCacheUsers.fetch_add(1, std::memory_order_acq_rel) == 0) {}
    ~CacheTryLock() { gCacheUsers.fetch_sub(1, std::memory_order_acq_rel); }
    CacheTryLock(const CacheTryLock&) = delete;
    CacheTryLock& operator=(const CacheTryLock&) = delete;
    bool Held() const { return fHeld; }

private:
    bool fHeld;
};

OvVectorBuffer* TakeCached(int32_t count)
{
    CacheTryLock lock;
    if (!lock.Held()) return nullptr;
    for (OvVectorBuffer*& slot : gCache) {
        if (slot && slot->count == count) {
            OvVectorBuffer* buffer = slot;
            slot = nullptr;
            return buffer;
        }
    }
    return nullptr;
}

// A full cache gives up its entries in turn, so that it holds the sizes used last.
bool PutCached(OvVectorBuffer* buffer)
{
    CacheTryLock lock;
    if (!lock.Held()) return false;
    for (OvVectorBuffer*& slot : gCache) {
        if (!slot) {
            slot = buffer;
            return true;
        }
    }
    OvVectorBuffer*& slot = gCache[gNextEvicted];
    gNextEvicted = (gNextEvicted + 1) % kCachedBuffers;
    ::operator delete(slot);
    slot = buffer;
    return true;
}

OvVectorBuffer* Allocate(int32_t count)
{
    const uint64_t bytes = sizeof(OvVectorBuffer) + sizeof(double) * static_cast<uint64_t>(count);
    if (count < 0 || bytes > static_cast<uint64_t>(PTRDIFF_MAX)) OV_RAISE(kOvBufferError, "OvBufferError");
    void* memory = ::operator new(static_cast<size_t>(bytes), std::nothrow);
    if (!memory) OV_RAISE(kOvBufferError, "OvBufferError");
    return new (memory) OvVectorBuffer{0, count};
}

}  // namespace

OvVectorBuffer* OvAcquireVectorBuffer(int32_t count)
{
    OvVectorBuffer* buffer = TakeCached(count);
    if (!buffer) buffer = Allocate(count);
    buffer->refCount = 1;
    return buffer;
}

void OvReleaseVectorBuffer(OvVectorBuffer* buffer)
{
    if (!buffer || --buffer->refCount > 0) return;
    if (!PutCached(buffer)) ::operator delete(buffer);
}
