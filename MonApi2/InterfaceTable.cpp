#include "MonApi2/InterfaceTable.h"

#include <chrono>

namespace MonApi2 {

uint64_t SteadyMicroseconds()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

int32_t InterfaceTable::SetUSBDeviceList(const uint32_t* ids, int32_t count)
{
    if (count < 0 || (ids == nullptr && count > 0)) return kMonApi2BadArgument;
    fUsbIds.assign(ids, ids + count);
    return kMonApi2Ok;
}

int32_t InterfaceTable::EnumerateInterfaces()
{
    fEntries.clear();
    for (const auto& backend : fBackends) {
        const int32_t count = backend->Enumerate(fUsbIds);
        for (int32_t i = 0; i < count; ++i) fEntries.push_back({backend.get(), i, MonApi2Statistics{}, 0});
    }
    return Count();
}

int32_t InterfaceTable::Info(int32_t index, DisplayInterfaceInfo* info) const
{
    if (info == nullptr || info->size != sizeof(DisplayInterfaceInfo)) return kMonApi2BadArgument;
    const Entry* entry = Find(index);
    if (entry == nullptr || !entry->backend->Info(entry->local, *info)) return kMonApi2NoInterface;
    return kMonApi2Ok;
}

int32_t InterfaceTable::Write(int32_t index, int32_t address, const uint8_t* data, int32_t count)
{
    Entry* entry = Find(index);
    if (entry == nullptr) return kMonApi2NoInterface;
    if (count < 0 || (data == nullptr && count > 0)) return kMonApi2BadArgument;
    return Counted(*entry, true, count, [&] { return entry->backend->Write(entry->local, address, data, count); });
}

int32_t InterfaceTable::Read(int32_t index, int32_t address, uint8_t* buffer, int32_t count)
{
    Entry* entry = Find(index);
    if (entry == nullptr) return kMonApi2NoInterface;
    if (count < 0 || (buffer == nullptr && count > 0)) return kMonApi2BadArgument;
    return Counted(*entry, false, count, [&] { return entry->backend->Read(entry->local, address, buffer, count); });
}

int32_t InterfaceTable::Statistics(int32_t index, MonApi2Statistics* statistics) const
{
    if (statistics == nullptr || statistics->size != sizeof(MonApi2Statistics)) return kMonApi2BadArgument;
    const Entry* entry = Find(index);
    if (entry == nullptr) return kMonApi2NoInterface;
    *statistics = entry->traffic;
    statistics->size = sizeof(MonApi2Statistics);
    return kMonApi2Ok;
}

template <class Transfer>
int32_t InterfaceTable::Counted(Entry& entry, bool write, int32_t count, Transfer transfer)
{
    MonApi2Statistics& traffic = entry.traffic;
    const uint64_t start = fClock();
    if (traffic.writes + traffic.reads == 0) entry.firstStart = start;
    const int32_t result = transfer();
    (write ? traffic.writes : traffic.reads) += 1;
    if (result < 0) {
        ++traffic.failures;
    } else {
        (write ? traffic.bytesWritten : traffic.bytesRead) += static_cast<uint32_t>(count);
    }
    traffic.activeMicroseconds = fClock() - entry.firstStart;
    return result;
}

InterfaceTable::Entry* InterfaceTable::Find(int32_t index)
{
    return index < 0 || index >= Count() ? nullptr : &fEntries[static_cast<size_t>(index)];
}

const InterfaceTable::Entry* InterfaceTable::Find(int32_t index) const
{
    return index < 0 || index >= Count() ? nullptr : &fEntries[static_cast<size_t>(index)];
}

}  // namespace MonApi2
