#include "MonApi2/EmulatedBackend.h"

#include <cmath>

namespace MonApi2 {
namespace {

constexpr int32_t kUnusedParam = 0;

}  // namespace

EmulatedBackend::EmulatedBackend(const EmulationSelection& selection)
{
    for (const EmulationChoice& choice : selection.displays) {
        auto display = fBus.Attach(*choice.model, choice.link);
        display->SetMinimumReplyDelay(static_cast<uint32_t>(std::lround(display->MinimumReplyDelay() * selection.waitScale)));
    }
}

int32_t EmulatedBackend::Enumerate(const std::vector<uint32_t>& usbIds)
{
    fBus.SetUSBDeviceList(usbIds.data(), static_cast<int32_t>(usbIds.size()));
    return fBus.EnumerateInterfaces(1, 0);
}

bool EmulatedBackend::Info(int32_t index, DisplayInterfaceInfo& info) const
{
    return fBus.GetDisplayInterfaceInfo(index, &info) == kMonApi2Ok;
}

int32_t EmulatedBackend::Write(int32_t index, int32_t address, const uint8_t* data, int32_t count)
{
    return fBus.I2CWrite(index, address, data, count, kUnusedParam);
}

int32_t EmulatedBackend::Read(int32_t index, int32_t address, uint8_t* buffer, int32_t count)
{
    return fBus.I2CRead(index, address, buffer, count, kUnusedParam);
}

}  // namespace MonApi2
