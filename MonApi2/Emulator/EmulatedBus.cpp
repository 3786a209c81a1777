#include "MonApi2/Emulator/EmulatedBus.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <utility>

namespace OvEmulator {
namespace {

void CopyText(char (&field)[32], const std::string& text)
{
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), std::min(text.size(), sizeof field - 1));
}

DisplayInterfaceInfo InterfaceRecord(const EmulatedDisplay& display, Link link, const AttachOptions& options)
{
    const EmulatedModel& model = display.Model();
    DisplayInterfaceInfo info{};
    info.size = sizeof info;
    info.interfaceType = link == Link::kUsb ? kMonApi2Usb : kMonApi2GraphicsDdc;
    info.edidDetected = link == Link::kDdc || options.edidInRecord;
    CopyText(info.displayName, model.name);
    CopyText(info.serialNumber, model.edid.serialText);
    info.supportsI2CClock = link == Link::kDdc;
    if (info.edidDetected) std::memcpy(info.edid, display.Edid().data(), sizeof info.edid);
    info.pnpId = link == Link::kUsb ? model.usbId : model.VendorProductId();
    return info;
}

}  // namespace

std::shared_ptr<EmulatedDisplay> EmulatedBus::Attach(const EmulatedModel& model, Link link, AttachOptions options)
{
    auto display = std::make_shared<EmulatedDisplay>(model, fClock);
    Attach(display, link, options);
    return display;
}

void EmulatedBus::Attach(std::shared_ptr<EmulatedDisplay> display, Link link, AttachOptions options)
{
    fAttachments.push_back({std::move(display), link, options});
}

int32_t EmulatedBus::SetUSBDeviceList(const uint32_t* ids, int32_t count)
{
    if (count < 0 || (ids == nullptr && count > 0)) return kMonApi2BadArgument;
    fUsbIds.assign(ids, ids + count);
    return kMonApi2Ok;
}

int32_t EmulatedBus::EnumerateInterfaces(int32_t, int32_t)
{
    fInterfaces.clear();
    int32_t ddcCount = 0;
    int32_t desktopRight = 0;
    for (size_t i = 0; i < fAttachments.size(); ++i) {
        const Attachment& attachment = fAttachments[i];
        const EmulatedModel& model = attachment.display->Model();
        if (attachment.link == Link::kUsb && std::find(fUsbIds.begin(), fUsbIds.end(), model.usbId) == fUsbIds.end()) continue;
        DisplayInterfaceInfo info = InterfaceRecord(*attachment.display, attachment.link, attachment.options);
        if (attachment.link == Link::kUsb) {
            CopyText(info.interfaceName, "USB");
        } else {
            CopyText(info.interfaceName, "DISPLAY" + std::to_string(++ddcCount));
            const int32_t width = model.edid.preferred.hActive;
            info.displayRect[0] = desktopRight;
            info.displayRect[2] = desktopRight + width;
            info.displayRect[3] = model.edid.preferred.vActive;
            desktopRight += width;
        }
        fInterfaces.push_back({i, info});
    }
    return GetNumDisplayInterfaces();
}

int32_t EmulatedBus::GetDisplayInterfaceInfo(int32_t index, DisplayInterfaceInfo* info) const
{
    if (info == nullptr || info->size != sizeof(DisplayInterfaceInfo)) return kMonApi2BadArgument;
    if (index < 0 || index >= GetNumDisplayInterfaces()) return kMonApi2NoInterface;
    *info = fInterfaces[static_cast<size_t>(index)].info;
    return kMonApi2Ok;
}

int32_t EmulatedBus::I2CWrite(int32_t iface, int32_t address, const uint8_t* data, int32_t count, int32_t)
{
    const Attachment* attachment = Find(iface);
    if (attachment == nullptr) return kMonApi2NoInterface;
    if (count < 0 || (data == nullptr && count > 0)) return kMonApi2BadArgument;
    if (!Carries(*attachment, address)) return kMonApi2NoDevice;
    return attachment->display->Write(address, {data, static_cast<size_t>(count)});
}

int32_t EmulatedBus::I2CRead(int32_t iface, int32_t address, uint8_t* buffer, int32_t count, int32_t)
{
    const Attachment* attachment = Find(iface);
    if (attachment == nullptr) return kMonApi2NoInterface;
    if (count < 0 || (buffer == nullptr && count > 0)) return kMonApi2BadArgument;
    if (!Carries(*attachment, address)) return kMonApi2NoDevice;
    return attachment->display->Read(address, {buffer, static_cast<size_t>(count)});
}

EmulatedDisplay* EmulatedBus::Display(int32_t iface) const
{
    const Attachment* attachment = Find(iface);
    return attachment ? attachment->display.get() : nullptr;
}

TrafficStats EmulatedBus::Stats() const
{
    TrafficStats total;
    std::set<const EmulatedDisplay*> counted;
    for (const Attachment& attachment : fAttachments) {
        if (counted.insert(attachment.display.get()).second) total += attachment.display->Traffic().Stats();
    }
    return total;
}

const EmulatedBus::Attachment* EmulatedBus::Find(int32_t iface) const
{
    if (iface < 0 || iface >= GetNumDisplayInterfaces()) return nullptr;
    return &fAttachments[fInterfaces[static_cast<size_t>(iface)].attachment];
}

bool EmulatedBus::Carries(const Attachment& attachment, int32_t address)
{
    return attachment.link == Link::kDdc || (address != kEdidWriteAddress && address != kEdidReadAddress);
}

}  // namespace OvEmulator
