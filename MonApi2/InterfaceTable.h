#pragma once
// The state behind the exported functions: the backends, the USB id list and the
// interfaces of the last enumeration, numbered across backends, with the traffic of each.
// Checks the callers' arguments so backends see only valid ones.
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "MonApi2/Backend.h"

namespace MonApi2 {

// Microseconds on a monotonic clock; the table times each transaction with it.
using MicrosecondClock = std::function<uint64_t()>;
uint64_t SteadyMicroseconds();

class InterfaceTable {
public:
    explicit InterfaceTable(std::vector<std::unique_ptr<Backend>> backends, MicrosecondClock clock = SteadyMicroseconds)
        : fBackends(std::move(backends)), fClock(std::move(clock))
    {
    }

    int32_t SetUSBDeviceList(const uint32_t* ids, int32_t count);
    int32_t EnumerateInterfaces();
    int32_t Count() const { return static_cast<int32_t>(fEntries.size()); }
    int32_t Info(int32_t index, DisplayInterfaceInfo* info) const;
    int32_t Write(int32_t index, int32_t address, const uint8_t* data, int32_t count);
    int32_t Read(int32_t index, int32_t address, uint8_t* buffer, int32_t count);
    // The traffic of an interface since the last enumeration.
    int32_t Statistics(int32_t index, MonApi2Statistics* statistics) const;

private:
    struct Entry {
        Backend* backend;
        int32_t local;
        MonApi2Statistics traffic;
        uint64_t firstStart;  // when the first transaction began
    };
    Entry* Find(int32_t index);
    const Entry* Find(int32_t index) const;
    // Runs one transaction of count bytes on the entry and counts it.
    template <class Transfer>
    int32_t Counted(Entry& entry, bool write, int32_t count, Transfer transfer);

    std::vector<std::unique_ptr<Backend>> fBackends;
    MicrosecondClock fClock;
    std::vector<uint32_t> fUsbIds;
    std::vector<Entry> fEntries;
};

}  // namespace MonApi2
