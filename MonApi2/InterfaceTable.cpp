#include "MonApi2/InterfaceTable.h"

namespace MonApi2 {

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
        for (int32_t i = 0; i < count; ++i) fEntries.push_back({backend.get(), i});
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
    const Entry* entry = Find(index);
    if (entry == nullptr) return kMonApi2NoInterface;
    if (count < 0 || (data == nullptr && count > 0)) return kMonApi2BadArgument;
    return entry->backend->Write(entry->local, address, data, count);
}

int32_t InterfaceTable::Read(int32_t index, int32_t address, uint8_t* buffer, int32_t count)
{
    const Entry* entry = Find(index);
    if (entry == nullptr) return kMonApi2NoInterface;
    if (count < 0 || (buffer == nullptr && count > 0)) return kMonApi2BadArgument;
    return entry->backend->Read(entry->local, address, buffer, count);
}

const InterfaceTable::Entry* InterfaceTable::Find(int32_t index) const
{
    return index < 0 || index >= Count() ? nullptr : &fEntries[static_cast<size_t>(index)];
}

}  // namespace MonApi2
