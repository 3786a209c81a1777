#include "OvSystem/OvDisplayDeviceId.h"

namespace {

constexpr const char* kMonitorClass = "monitor";
constexpr int32_t kMonitorClassLength = 7;

}  // namespace

OvDisplayDeviceKeys OvParseDisplayDeviceId(const OvString& deviceId)
{
    const int32_t firstSlash = deviceId.FindChar('\\');
    const int32_t secondSlash = firstSlash < 0 ? -1 : deviceId.FindChar('\\', firstSlash + 1);
    OvString hardwareId = secondSlash < 0 ? deviceId : deviceId.Left(secondSlash);
    // Only the first: model names may hold the word too (wine's "Default_Monitor").
    const int32_t monitor = hardwareId.Find(kMonitorClass, 0, true);
    if (monitor >= 0) {
        hardwareId = hardwareId.Left(monitor) + "DISPLAY" + hardwareId.Mid(monitor + kMonitorClassLength);
    }

    OvDisplayDeviceKeys keys;
    keys.enumKey = OvString("SYSTEM\\CurrentControlSet\\Enum\\") + hardwareId;
    if (secondSlash >= 0) keys.driverKey = deviceId.Mid(secondSlash + 1);
    return keys;
}
