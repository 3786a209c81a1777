#include "MonApi2/Emulator/VcpStore.h"

#include <algorithm>

namespace OvEmulator {

void VcpStore::Define(uint16_t id, uint16_t current, uint16_t maximum, uint8_t type)
{
    VcpValue& value = fValues[id];
    value.current = current;
    value.maximum = maximum;
    value.type = type;
    value.supported = true;
}

VcpValue* VcpStore::Find(uint16_t id)
{
    const auto it = fValues.find(id);
    return it == fValues.end() ? nullptr : &it->second;
}

const VcpValue* VcpStore::Find(uint16_t id) const
{
    const auto it = fValues.find(id);
    return it == fValues.end() ? nullptr : &it->second;
}

VcpReport VcpStore::Report(uint16_t id) const
{
    const VcpValue* value = Find(id);
    if (value == nullptr || !value->supported) return {kVcpUnsupported, kVcpContinuous, 0, 0};
    return {kVcpSupported, value->type, value->maximum, value->current};
}

bool VcpStore::Write(uint16_t id, uint16_t value)
{
    VcpValue* target = Find(id);
    if (target == nullptr || !target->supported) return false;
    const int32_t limit = target->maximum > 0 ? target->maximum : 0xFFFF;
    switch (target->behaviour) {
    case WriteBehaviour::kNormal: target->current = static_cast<uint16_t>(std::min<int32_t>(value, limit)); break;
    case WriteBehaviour::kNeverSticks: break;
    case WriteBehaviour::kReadBackDiffers:
        target->current = static_cast<uint16_t>(std::clamp<int32_t>(value + target->readBackOffset, 0, 0xFFFF));
        break;
    }
    return true;
}

}  // namespace OvEmulator
