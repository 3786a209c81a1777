#pragma once
// The shared heap storage of a vector of five or more elements: reference count, element
// count, then the doubles (8 n + 8 bytes).
//
// Released buffers are recycled: up to ten stay in a process-wide cache and a request for
// the same element count takes one of them instead of allocating; a full cache frees its
// entries in turn to make room for the latest. The cache is guarded by
// an atomic counter used as a try-lock; a thread that does not get it bypasses the cache.
// The reference count itself is a plain integer: a buffer belongs to the vectors of one
// thread at a time.
#include <cstdint>

struct alignas(double) OvVectorBuffer {
    int32_t refCount;
    int32_t count;
    double* Values() { return reinterpret_cast<double*>(this + 1); }
};

// A buffer for count elements with the reference count 1 and unspecified values;
// "OvBufferError" when it cannot be allocated.
OvVectorBuffer* OvAcquireVectorBuffer(int32_t count);
// Drops one reference; the last one hands the buffer to the cache or frees it.
void OvReleaseVectorBuffer(OvVectorBuffer* buffer);
