#define OV_SOURCE_FILE "Source/OvDevices/OvDisplayInterfaces"
#include "OvDevices/OvDisplayInterfaces.h"

#include <algorithm>
#include <string>

#include "OvCore/OvString.h"
#include "OvDevices/OvDeviceLog.h"
#include "OvDevices/OvROVUvided.h"
#include "OvDevices/OvVendorLists.h"
#include "OvTools/OvDebug.h"

namespace {

struct InterfaceState {
    int32_t interfaceCount = -1;
    OvDisplayInterfaceInfo table[kOvMaxDisplayInterfaces] = {};
    int32_t legalPortCount = -1;
    std::vector<int32_t> legalPorts;
    int32_t finalCommError = 0;
};

InterfaceState& State()
{
    static InterfaceState state;
    return state;
}

// A text field of the record: up to its terminator, or all of it when it has none.
template <size_t N>
std::string FieldText(const char (&field)[N])
{
    return std::string(field, std::find(field, field + N, '\0'));
}

const char* YesNo(uint8_t flag)
{
    return flag ? "yes" : "no";
}

void LogInterfaceInfo(const OvDisplayInterfaceInfo& info)
{
    DebugPrintf(kOvChannelMonitor, "  Display name       = %s", FieldText(info.displayName).c_str());
    DebugPrintf(kOvChannelMonitor, "  Serial number      = %s", FieldText(info.serialNumber).c_str());
    DebugPrintf(kOvChannelMonitor, "  EDID detected      = %s", YesNo(info.edidDetected));
    DebugPrintf(kOvChannelMonitor, "  EDID               = %s",
                OvString::BytesToHex(info.edid, sizeof info.edid).Chars());
    DebugPrintf(kOvChannelMonitor, "  Interface name     = %s", FieldText(info.interfaceName).c_str());
    DebugPrintf(kOvChannelMonitor, "  Interface type     = %d", info.interfaceType);
    DebugPrintf(kOvChannelMonitor, "  Display rect       = %d %d %d %d", info.displayRect[0], info.displayRect[1],
                info.displayRect[2], info.displayRect[3]);
    DebugPrintf(kOvChannelMonitor, "  Supports i2c clock = %s", YesNo(info.supportsI2CClock));
    DebugPrintf(kOvChannelMonitor, "  Duplicate          = %s", YesNo(info.duplicate));
    DebugPrintf(kOvChannelMonitor, "  PnPID              = %lu\n", static_cast<unsigned long>(info.pnpId));
}

void ReadInterfaceInfo(int32_t index)
{
    OvDisplayInterfaceInfo info{};
    info.size = sizeof info;
    DebugPrintf(kOvChannelMonitor, "\n- Interface information for port %d: ", index);
    if (OvMonApi::Table().GetDisplayInterfaceInfo(index, &info) != 0) {
        DebugPrintf(kOvChannelMonitor, "- %s", "No interface info available");
        return;
    }
    State().table[index] = info;
    LogInterfaceInfo(info);
}

}  // namespace

void InitInterfaces()
{
    InterfaceState& state = State();
    if (state.interfaceCount != -1) return;
    LogDeviceOperation("::InitInterfaces");
    const OvMonApiTable& library = OvMonApi::Table();
    const int32_t listed =
        library.SetUSBDeviceList(kOvUSBDisplayIds.data(), static_cast<int32_t>(kOvUSBDisplayIds.size()));
    DebugPrintf(kOvChannelMonitor, "- SetUSBDeviceList returned %d", listed);
    library.EnumerateInterfaces(1, 0);
    state.interfaceCount = std::clamp(library.GetNumDisplayInterfaces(), 0, kOvMaxDisplayInterfaces);
    DebugPrintf(kOvChannelMonitor, "- Found %d interfaces", state.interfaceCount);
    for (int32_t i = 0; i < state.interfaceCount; ++i) ReadInterfaceInfo(i);
}

int32_t MapPort(int32_t port)
{
    const InterfaceState& state = State();
    int32_t logical = 0;
    for (const bool usb : {true, false}) {
        for (int32_t i = 0; i < state.interfaceCount; ++i) {
            if (IsUSBInterface(state.table[i]) != usb) continue;
            if (logical == port) return i;
            ++logical;
        }
    }
    return -1;
}

int32_t InitLegalPortList(OvROVUvided* device)
{
    InterfaceState& state = State();
    if (state.legalPortCount > 0 || state.interfaceCount == 0) return state.legalPortCount;
    LogDeviceOperation("::InitLegalPortList");
    InitInterfaces();
    state.legalPorts.clear();
    for (int32_t port = 0; port < state.interfaceCount; ++port) {
        if (device->ConnectPort(port) == 0) state.legalPorts.push_back(port);
    }
    state.legalPortCount = static_cast<int32_t>(state.legalPorts.size());
    DebugPrintf(kOvChannelMonitor, "- Found %d legal ports", state.legalPortCount);
    return state.legalPortCount;
}

int32_t InterfaceCount()
{
    return State().interfaceCount;
}

const OvDisplayInterfaceInfo& InterfaceInfo(int32_t index)
{
    return State().table[index];
}

bool IsUSBInterface(const OvDisplayInterfaceInfo& info)
{
    return FieldText(info.interfaceName) == "USB";
}

bool HaveSameSerialNumber(const OvDisplayInterfaceInfo& a, const OvDisplayInterfaceInfo& b)
{
    return FieldText(a.serialNumber) == FieldText(b.serialNumber);
}

const std::vector<int32_t>& LegalPortList()
{
    return State().legalPorts;
}

int32_t FinalCommError()
{
    return State().finalCommError;
}

void SetFinalCommError(int32_t error)
{
    State().finalCommError = error;
}

void ResetDisplayInterfacesForTesting()
{
    State() = InterfaceState();
}
