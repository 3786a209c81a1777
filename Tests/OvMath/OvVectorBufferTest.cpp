#include <gtest/gtest.h>

#include <cstdint>
#include <latch>
#include <thread>
#include <vector>

#include "OvMath/OvVector.h"

TEST(OvVectorBuffer, ReleasedBuffersAreRecycledWithFreshElements)
{
    // A size no other test uses, so that the cache holds no other buffer of it.
    constexpr int32_t kDim = 4093;
    const double* first = nullptr;
    {
        OvVector vector(kDim, 0);
        vector.Fill(7.0);
        first = &vector.Ref(0);
    }
    OvVector again(kDim, 0);
    EXPECT_EQ(&again.Ref(0), first);
    EXPECT_EQ(again.Min(), 0.0);
    EXPECT_EQ(again.Max(), 0.0);

    // While it is in use, the same size gets another buffer.
    OvVector other(kDim, 0);
    EXPECT_NE(&other.Ref(0), first);
}

TEST(OvVectorBuffer, ThreadsNeverGetOneBufferTwice)
{
    constexpr int kThreads = 4;
    constexpr int kRounds = 2000;
    std::vector<int> corrupted(kThreads, 0);
    std::latch start(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &corrupted, &start] {
            start.arrive_and_wait();
            for (int round = 0; round < kRounds; ++round) {
                // Few sizes, so that the threads compete for the same cached buffers.
                const int32_t dim = 5 + round % 3;
                const double mark = t * 100000.0 + round;
                OvVector held(dim, 0);
                held.Fill(mark);
                OvVector copy(held);
                copy.Ref(0) = -mark;  // a private copy of its own
                OvVector extra(dim, 0);
                extra.Fill(mark + 0.5);
                std::this_thread::yield();
                if (held.Min() != mark || held.Max() != mark || copy[0] != -mark || copy[dim - 1] != mark ||
                    extra.Min() != mark + 0.5 || extra.Max() != mark + 0.5) {
                    ++corrupted[t];
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(corrupted, std::vector<int>(kThreads, 0));
}
