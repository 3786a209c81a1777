#pragma once
// A machine's worth of display interfaces with emulated displays behind them, offering
// MONAPI2's six operations as methods. The MONAPI2 library wraps one; tests use one in
// process (see EmulatedBusApi.h for plain function pointers bound to it).
//
// A display attached over DDC appears as a graphics-card interface ("DISPLAY1", ...)
// with its EDID in the record. One attached over USB appears as interface "USB" only
// when its model's USB id was handed to SetUSBDeviceList; it answers DDC/CI but not the
// EDID addresses, and its record carries the EDID unless told otherwise. Attaching one
// display on both links gives two interfaces with the same serial number.
#include <cstdint>
#include <memory>
#include <vector>

#include "MonApi2/MonApi2.h"
#include "MonApi2/Emulator/EmulatedDisplay.h"
#include "OvSystem/OvPlatform.h"

namespace OvEmulator {

enum class Link { kDdc, kUsb };

struct AttachOptions {
    bool edidInRecord = true;  // a USB record carries the EDID (DDC records always do)
};

class EmulatedBus {
public:
    explicit EmulatedBus(OvPlatform::Clock& clock) : fClock(clock) {}

    std::shared_ptr<EmulatedDisplay> Attach(const EmulatedModel& model, Link link = Link::kDdc, AttachOptions options = {});
    void Attach(std::shared_ptr<EmulatedDisplay> display, Link link, AttachOptions options = {});

    int32_t SetUSBDeviceList(const uint32_t* ids, int32_t count);
    int32_t EnumerateInterfaces(int32_t flags, int32_t options);
    int32_t GetNumDisplayInterfaces() const { return static_cast<int32_t>(fInterfaces.size()); }
    int32_t GetDisplayInterfaceInfo(int32_t index, DisplayInterfaceInfo* info) const;
    int32_t I2CWrite(int32_t iface, int32_t address, const uint8_t* data, int32_t count, int32_t param);
    int32_t I2CRead(int32_t iface, int32_t address, uint8_t* buffer, int32_t count, int32_t param);

    // The display behind an enumerated interface; null for a bad index.
    EmulatedDisplay* Display(int32_t iface) const;
    // Totals over the attached displays, each counted once.
    TrafficStats Stats() const;

private:
    struct Attachment {
        std::shared_ptr<EmulatedDisplay> display;
        Link link;
        AttachOptions options;
    };
    struct Interface {
        size_t attachment;
        DisplayInterfaceInfo info;
    };

    const Attachment* Find(int32_t iface) const;
    // False for the EDID addresses on a USB link, which carries DDC/CI only.
    static bool Carries(const Attachment& attachment, int32_t address);

    OvPlatform::Clock& fClock;
    std::vector<Attachment> fAttachments;
    std::vector<uint32_t> fUsbIds;
    std::vector<Interface> fInterfaces;
};

}  // namespace OvEmulator
