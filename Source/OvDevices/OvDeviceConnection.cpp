// Connecting the real display: the logical port with its fallbacks, the link test, and
// the EDID from the display, the interface record or the operating system.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include <algorithm>
#include <cstring>

#include "OvCore/OvError.h"
#include "OvDevices/OvDeviceLog.h"
#include "OvDevices/OvDisplayInterfaces.h"
#include "OvDevices/OvEdidText.h"
#include "OvDevices/OvMonitorEdidLookup.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvTools/OvDebug.h"

namespace {
constexpr int32_t kI2CParameter = 10000;
constexpr int32_t kControlOption = 4;
// The connection test: a Get VCP Feature request of code 0x00.
constexpr int32_t kTestByVCPRead = 2;

std::unique_ptr<NMV_factory_ddc_control> OpenControl(int32_t interfaceIndex)
{
    return std::make_unique<NMV_factory_ddc_control>(interfaceIndex, kI2CParameter, kControlOption);
}

OvString SerialNumberOf(const OvDisplayInterfaceInfo& info)
{
    const char* end = std::find(info.serialNumber, info.serialNumber + sizeof info.serialNumber, '\0');
    return OvString(info.serialNumber, static_cast<int32_t>(end - info.serialNumber));
}
}  // namespace

int32_t OvROVUvidedImpl::ConnectMonitorID(int32_t displayID, int32_t port)
{
    LogDeviceOperation("::ConnectMonitorID");
    InitInterfaces();
    const int32_t legalPorts = InitLegalPortList(this);
    if (legalPorts != InterfaceCount())
        DebugPrintf(kOvChannelMonitor, "- Mismatch between legal ports count (%d) and gNumInterfaces (%d)", legalPorts,
                    InterfaceCount());
    const std::vector<int32_t>& legal = LegalPortList();
    if (legal.empty()) {
        DebugPrintf(kOvChannelMonitor, "- No valid ports found!");
        return -1;
    }
    if (std::ranges::find(legal, port) == legal.end()) {
        DebugPrintf(kOvChannelMonitor, "- PortNr %d is not a valid port, do not connect", port);
        return -1;
    }
    DebugPrintf(kOvChannelMonitor, "- ConnectMonitorID on displayID %d, port %d", displayID, port);
    if (FinalCommError() != 0) {
        DebugPrintf(kOvChannelMonitor, "- gFinalCommError is set, ConnectMonitorID returns %d", FinalCommError());
        return FinalCommError();
    }
    // The requested port, then the display id taken as a port, then every other port.
    int32_t result = ConnectPort(port);
    if (result == 0) return 0;
    if (displayID == -1) return -1;
    if (displayID != port) {
        result = ConnectPort(displayID);
        if (result == 0) return 0;
    }
    for (int32_t i = 0; result != 0 && i < InterfaceCount(); ++i) {
        if (i == displayID || i == port) continue;
        result = ConnectPort(i);
        if (result == 0) return 0;
    }
    SetFinalCommError(result);
    DebugPrintf(kOvChannelMonitor, "- ConnectMonitorID failed with gFinalCommError %d", result);
    return result;
}

int32_t OvROVUvidedImpl::ConnectPort(int32_t port)
{
    const int32_t index = MapPort(port);
    DebugPrintf(kOvChannelMonitor, "DDC2Device::ConnectPort %d %s", port, index >= 0 ? "is ok" : "has failed");
    if (index < 0) return -1;
    LogDeviceOperation("::InitValues()");
    ResetData();
    fColorConvertSupported = false;
    fColorConvertAsked = false;
    fDDCControl.reset();
    DebugPrintf(kOvChannelMonitor, "- Connect on mapped port %d", index);
    fDDCControl = OpenControl(index);
    if (const int32_t error = fDDCControl->TestConnection(kTestByVCPRead, fEdid); error != 0) {
        fDDCControl.reset();
        DebugPrintf(kOvChannelMonitor, "- ConnectPort failed with error %d", error);
        return error;
    }
    fPort = port;
    const OvDisplayInterfaceInfo& info = InterfaceInfo(index);
    if (!IsUSBInterface(info)) {
        // A failed read leaves the EDID empty; ReadEDID tries again later.
        fDDCControl->ReadEDIDBlocks(fEdid, true);
        DebugPrintf(kOvChannelMonitor, "- %s", "Connect per DDC");
        return 0;
    }
    DebugPrintf(kOvChannelMonitor, "- %s", "Connected per USB");
    fConnectedPerUSB = true;
    fDDCControl->SetUSBMode(true);
    FindUSBDisplayEdid(info);
    return 0;
}

// A USB link carries no EDID memory: the EDID comes from the interface record, else from
// the DDC interface of the same display, else from the operating system's monitor list.
void OvROVUvidedImpl::FindUSBDisplayEdid(const OvDisplayInterfaceInfo& info)
{
    if (info.edidDetected) {
        std::memcpy(fEdid, info.edid, sizeof info.edid);
        if (HasEdidHeader(fEdid)) return;
    }
    for (int32_t i = 0; i < InterfaceCount(); ++i) {
        const OvDisplayInterfaceInfo& other = InterfaceInfo(i);
        if (IsUSBInterface(other) || !HaveSameSerialNumber(other, info)) continue;
        OpenControl(i)->ReadEDIDBlocks(fEdid, true);
        DebugPrintf(kOvChannelMonitor, "- %s", "USBReadEDID");
        return;
    }
    FindMonitorEdidBySerial(SerialNumberOf(info), fEdid);
}

void OvROVUvidedImpl::Disconnect()
{
    if (!fDDCControl) return;
    LogDeviceOperation("::Disconnect");
    fDDCControl.reset();
}

int32_t OvROVUvidedImpl::ReadEDID(uint8_t* edid)
{
    DebugPrintf(kOvChannelMonitor, "DDC2Device::ReadEDID %d", fPort);
    if (!edid) OV_RAISE(kOvArgErr, "OvArgErr");
    int32_t error = 0;
    if (!HasEdidHeader(fEdid) && fDDCControl) {
        error = fDDCControl->ReadEDIDBlocks(fEdid, true);
        if (error == 0)
            DebugPrintf(kOvChannelMonitor, "- %s succeeded", "ReadEDID via DDC");
        else
            DebugPrintf(kOvChannelMonitor, "- %s failed with error %d", "ReadEDID via DDC", error);
    }
    std::memcpy(edid, fEdid, kOvEdidBlockSize);
    if (error != 0) return error;
    DebugPrintf(kOvChannelMonitor, "- EDID = %s", OvString::BytesToHex(fEdid, kOvEdidBlockSize).Chars());
    return 0;
}
