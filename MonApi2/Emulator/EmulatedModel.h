#pragma once
// A model of ZEZ display as the emulator plays it: identity (EDID), controls, capability
// string, table memories and timing. The catalogue holds the named models that the
// MONAPI2 library and the tests can attach; tests may copy and alter one.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "MonApi2/Emulator/EdidBuilder.h"

namespace OvEmulator {

struct VcpControl {
    uint16_t id;  // page * 256 + code
    uint16_t current;
    uint16_t maximum;
    uint8_t type;
    std::vector<uint8_t> allowed;  // values listed in the capability string, if any
};

struct EmulatedModel {
    std::string name;
    EdidDescription edid;
    uint32_t usbId = 0;             // USB vendor << 16 | product; 0 when it has no USB link
    std::string capabilityHead;     // capability elements before the VCP lists
    std::string capabilityTail;     // and after them
    std::vector<VcpControl> controls;
    uint16_t gammaTableEntries = 0x300;
    uint8_t lutGridSize = 0;        // 0: no 3D LUT
    uint32_t minimumReplyDelayMs = 40;
    int32_t colorConvertReads = 2;  // reads of 0x1097 that report a conversion in progress

    uint32_t VendorProductId() const;
    EdidMemory Edid() const { return BuildEdid(edid); }
    // "(" head, "vcp(...)", one "vcp_pXX(...)" per further page, tail ")"; codes ascend
    // within each list.
    std::string CapabilityString() const;
};

const std::vector<EmulatedModel>& ModelCatalogue();
// The catalogue model of that name (letter case ignored), or null.
const EmulatedModel* FindModel(std::string_view name);

}  // namespace OvEmulator
