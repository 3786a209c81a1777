#define OV_SOURCE_FILE "Source/OvDevices/OvEdidText"
#include "OvDevices/OvEdidText.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr uint8_t kEdidHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr int32_t kLastAttemptStart = 238;
constexpr int32_t kMaxTextLength = 13;
constexpr int32_t kNameFallbackPosition = 108;  // the fourth descriptor of the base block

// The text ends early at a NUL as well: it is handed out as a C string and compared with
// the zero-terminated serial numbers that interfaces report.
OvString DescriptorTextAt(const uint8_t edid[256], int32_t position) {
    int32_t length = 0;
    while (length < kMaxTextLength && position + length < kOvEdidFieldSize &&
           edid[position + length] != 0x0A && edid[position + length] != 0x00) {
        ++length;
    }
    return OvString(reinterpret_cast<const char*>(edid + position), length).ToAscii();
}

int32_t MonitorNameFallback(const uint8_t edid[256], int32_t start) {
    const int32_t firstText = FindDescriptor(edid, kOvEdidTextTag, start);
    const int32_t secondText = firstText < 0 ? -1 : FindDescriptor(edid, kOvEdidTextTag, firstText);
    return secondText < 0 ? kNameFallbackPosition : secondText;
}

}  // namespace

bool HasEdidHeader(const uint8_t edid[256]) {
    return std::equal(std::begin(kEdidHeader), std::end(kEdidHeader), edid);
}

uint32_t VendorProductID(const uint8_t edid[256]) {
    return uint32_t{edid[9]} << 24 | uint32_t{edid[8]} << 16 | uint32_t{edid[11]} << 8 |
           uint32_t{edid[10]};
}

bool IsDigitalInput(const uint8_t edid[256]) {
    return edid[20] >= 0x80;
}

int32_t FindDescriptor(const uint8_t edid[256], uint8_t tag, int32_t start) {
    const uint8_t pattern[5] = {0x00, 0x00, 0x00, tag, 0x00};
    int32_t position = std::max(start, 0);
    while (position <= kLastAttemptStart) {
        int32_t matched = 0;
        while (matched < 5 && edid[position + matched] == pattern[matched]) {
            ++matched;
        }
        if (matched == 5) {
            return position + 5;
        }
        position += matched + 1;
    }
    return -1;
}

OvString FindDescriptorText(const uint8_t edid[256], uint8_t tag) {
    const int32_t start = HasEdidHeader(edid) ? 8 : 0;
    int32_t position = FindDescriptor(edid, tag, start);
    if (position < 0 && tag == kOvEdidMonitorNameTag) {
        position = MonitorNameFallback(edid, start);
    }
    return position < 0 ? OvString() : DescriptorTextAt(edid, position);
}

OvString ModelNameText(const uint8_t edid[256]) {
    return FindDescriptorText(edid, kOvEdidMonitorNameTag);
}

OvString SerialNumberText(const uint8_t edid[256]) {
    return FindDescriptorText(edid, kOvEdidSerialNumberTag);
}

OvString SerialTextOfEdid(const uint8_t edid[256]) {
    const OvString text = SerialNumberText(edid);
    if (!text.IsEmpty()) {
        return text;
    }
    const unsigned long serial = uint32_t{edid[12]} | uint32_t{edid[13]} << 8 |
                                 uint32_t{edid[14]} << 16 | uint32_t{edid[15]} << 24;
    return OvString::FromULong(serial);
}
