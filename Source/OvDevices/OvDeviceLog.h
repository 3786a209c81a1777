#pragma once
// The device's trace on the "Monitor" channel: an operation's first line is "DDC2Device"
// followed by the operation name with two leading colons.
#include "OvTools/OvDebug.h"

inline void LogDeviceOperation(const char* operation)
{
    DebugPrintf(kOvChannelMonitor, "DDC2Device%s", operation);
}
