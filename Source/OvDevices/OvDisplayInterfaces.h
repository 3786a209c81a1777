#pragma once
// The display interfaces of the machine as MONAPI2 reports them, enumerated once per
// process and shared by all device objects, with the logical port numbering, the list
// of ports that connected, and the sticky final communication error.
#include <cstdint>
#include <vector>

#include "OvDevices/OvMonApi.h"

class OvROVUvided;

constexpr int32_t kOvMaxDisplayInterfaces = 12;

// Enumerates the interfaces, once per process, logging what each record holds.
void InitInterfaces();
// The interface-table index of a logical port: the USB interfaces come first, then the
// others, each in table order. -1 when there is no such port.
int32_t MapPort(int32_t port);
// Builds the legal port list once, by connecting device to each port in turn; returns its
// size. A build that found no port is repeated on the next call.
int32_t InitLegalPortList(OvROVUvided* device);

// -1 until enumerated, then at most kOvMaxDisplayInterfaces.
int32_t InterfaceCount();
const OvDisplayInterfaceInfo& InterfaceInfo(int32_t index);
bool IsUSBInterface(const OvDisplayInterfaceInfo& info);
bool HaveSameSerialNumber(const OvDisplayInterfaceInfo& a, const OvDisplayInterfaceInfo& b);
const std::vector<int32_t>& LegalPortList();
// Once non-zero, every later connection request of any device returns it.
int32_t FinalCommError();
void SetFinalCommError(int32_t error);

// Forgets everything above, as if the process had just started. Tests only.
void ResetDisplayInterfacesForTesting();
