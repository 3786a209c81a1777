// Feeds arbitrary bytes to the capability string parser as the display's text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "OvDevices/OvCapabilities.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OvCapabilityRecord record;
    ParseCapabilities(record, std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
