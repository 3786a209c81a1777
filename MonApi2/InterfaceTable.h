#pragma once
// The state behind the six exported functions: the backends, the USB id list and the
// interfaces of the last enumeration, numbered across backends. Checks the callers'
// arguments so backends see only valid ones.
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "MonApi2/Backend.h"

namespace MonApi2 {

class InterfaceTable {
public:
    explicit InterfaceTable(std::vector<std::unique_ptr<Backend>> backends) : fBackends(std::move(backends)) {}

    int32_t SetUSBDeviceList(const uint32_t* ids, int32_t count);
    int32_t EnumerateInterfaces();
    int32_t Count() const { return static_cast<int32_t>(fEntries.size()); }
    int32_t Info(int32_t index, DisplayInterfaceInfo* info) const;
    int32_t Write(int32_t index, int32_t address, const uint8_t* data, int32_t count);
    int32_t Read(int32_t index, int32_t address, uint8_t* buffer, int32_t count);

private:
    struct Entry {
        Backend* backend;
        int32_t local;
    };
    const Entry* Find(int32_t index) const;

    std::vector<std::unique_ptr<Backend>> fBackends;
    std::vector<uint32_t> fUsbIds;
    std::vector<Entry> fEntries;
};

}  // namespace MonApi2
