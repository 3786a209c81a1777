#include "MonApi2/ConnectorRecord.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string>

namespace MonApi2 {
namespace {

constexpr size_t kBlockSize = sizeof(DisplayInterfaceInfo::edid);
constexpr uint8_t kHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr size_t kDescriptors[4] = {54, 72, 90, 108};
constexpr size_t kDescriptorTextStart = 5;
constexpr size_t kDescriptorSize = 18;
constexpr uint8_t kMonitorNameTag = 0xFC;
constexpr uint8_t kSerialTextTag = 0xFF;

void CopyText(char (&field)[32], const std::string& text)
{
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), std::min(text.size(), sizeof field - 1));
}

bool HasHeader(std::span<const uint8_t> edid)
{
    return edid.size() >= kBlockSize && std::equal(std::begin(kHeader), std::end(kHeader), edid.begin());
}

// The text of a display descriptor (00 00 00 tag): up to its line feed, without the
// padding spaces behind, with anything but printable ASCII shown as '?'.
std::string DescriptorText(std::span<const uint8_t> edid, uint8_t tag)
{
    for (const size_t at : kDescriptors) {
        if (edid[at] != 0 || edid[at + 1] != 0 || edid[at + 2] != 0 || edid[at + 3] != tag) continue;
        std::string text;
        for (size_t i = at + kDescriptorTextStart; i < at + kDescriptorSize && edid[i] != '\n'; ++i) {
            text.push_back(edid[i] >= 0x20 && edid[i] < 0x7F ? static_cast<char>(edid[i]) : '?');
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text;
    }
    return {};
}

uint32_t Bytes32(uint8_t b3, uint8_t b2, uint8_t b1, uint8_t b0)
{
    return uint32_t{b3} << 24 | uint32_t{b2} << 16 | uint32_t{b1} << 8 | b0;
}

void FillFromEdid(DisplayInterfaceInfo& info, std::span<const uint8_t> edid)
{
    info.edidDetected = 1;
    std::memcpy(info.edid, edid.data(), kBlockSize);
    const std::string name = DescriptorText(edid, kMonitorNameTag);
    if (!name.empty()) CopyText(info.displayName, name);
    const std::string serial = DescriptorText(edid, kSerialTextTag);
    CopyText(info.serialNumber, serial.empty() ? std::to_string(Bytes32(edid[15], edid[14], edid[13], edid[12])) : serial);
    info.pnpId = Bytes32(edid[9], edid[8], edid[11], edid[10]);
}

}  // namespace

DisplayInterfaceInfo ConnectorRecord(const DrmConnector& connector)
{
    DisplayInterfaceInfo info{};
    info.size = sizeof info;
    info.interfaceType = kMonApi2GraphicsDdc;
    CopyText(info.interfaceName, connector.name);
    CopyText(info.displayName, connector.name);
    if (HasHeader(connector.edid)) FillFromEdid(info, connector.edid);
    return info;
}

}  // namespace MonApi2
