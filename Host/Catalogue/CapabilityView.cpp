#include "Catalogue/CapabilityView.h"

#include <algorithm>

#include "OvDevices/OvCapabilities.h"

namespace {

std::string Text(const OvCapabilityText& text)
{
    return std::string(text.data());
}

std::string TechnologyName(int32_t technology)
{
    switch (technology) {
    case 1: return "CRT";
    case 2: return "LCD";
    default: return "unknown";
    }
}

std::vector<uint32_t> Values(const OvValueListBlock& block)
{
    const uint32_t count = std::min<uint32_t>(block[0], static_cast<uint32_t>(block.size() - 1));
    return std::vector<uint32_t>(block.begin() + 1, block.begin() + 1 + count);
}

// Pairs each id with its value list. Owners are in the order of the string like the ids;
// an owner is the id itself, or only its code for a code inside a page group.
std::vector<CapabilityCode> Codes(const std::vector<uint32_t>& ids, const std::vector<uint32_t>& owners,
                                  const std::vector<OvValueListBlock>& lists)
{
    std::vector<CapabilityCode> codes;
    size_t next = 0;
    for (const uint32_t id : ids) {
        CapabilityCode code{static_cast<uint16_t>(id), {}};
        if (next < owners.size() && next < lists.size() && (owners[next] == id || owners[next] == (id & 0xFF))) {
            code.values = Values(lists[next]);
            ++next;
        }
        codes.push_back(std::move(code));
    }
    return codes;
}

}  // namespace

CapabilityView ParseCapabilityView(std::string_view capabilities)
{
    OvCapabilityRecord record;
    ParseCapabilities(record, capabilities);
    CapabilityView view;
    view.parsed = record.parsed != 0;
    view.type = Text(record.typeText);
    view.technology = TechnologyName(record.technology);
    view.mccsVersion = Text(record.mccsVersionText);
    view.firmwareVersion = Text(record.firmwareVersionText);
    view.assetMemorySize = record.assetMemorySize;
    view.colorTemperatureOffset = record.colorTemperatureOffset;
    view.vcpCodes = Codes(record.vcpIds, record.valueListOwners, record.valueLists);
    view.commands = Codes(record.commandIds, record.commandValueListOwners, record.commandValueLists);
    view.gammaTablePresent = record.gammaTablePresent != 0;
    view.gammaTableSize = record.gammaTableSize;
    view.redOffset = record.redOffset;
    view.greenOffset = record.greenOffset;
    view.blueOffset = record.blueOffset;
    return view;
}
