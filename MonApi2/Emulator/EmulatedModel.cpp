#include "MonApi2/Emulator/EmulatedModel.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace OvEmulator {
namespace {

std::string Hex2(unsigned value)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

std::string CodeList(const std::vector<const VcpControl*>& controls)
{
    std::string list;
    for (const VcpControl* control : controls) {
        if (!list.empty()) list += ' ';
        list += Hex2(control->id);
        if (control->allowed.empty()) continue;
        list += '(';
        for (size_t i = 0; i < control->allowed.size(); ++i) {
            if (i > 0) list += ' ';
            list += Hex2(control->allowed[i]);
        }
        list += ')';
    }
    return list;
}

}  // namespace

uint32_t EmulatedModel::VendorProductId() const
{
    const EdidMemory memory = Edid();
    return EdidVendorProductId(memory);
}

std::string EmulatedModel::CapabilityString() const
{
    std::map<uint8_t, std::vector<const VcpControl*>> pages;
    for (const VcpControl& control : controls) pages[static_cast<uint8_t>(control.id >> 8)].push_back(&control);
    std::string text = "(" + capabilityHead;
    for (auto& [page, list] : pages) {
        std::sort(list.begin(), list.end(), [](const VcpControl* a, const VcpControl* b) { return a->id < b->id; });
        text += (page == 0 ? std::string("vcp(") : "vcp_p" + Hex2(page) + "(") + CodeList(list) + ")";
    }
    return text + capabilityTail + ")";
}

}  // namespace OvEmulator
