#pragma once
// Real displays on Linux: one interface per connected DRM connector with a DDC bus,
// reached through the kernel's i2c-dev device /dev/i2c-N of that bus. A transaction
// selects the 7-bit form of the 8-bit address given (0x6E and 0x6F: 0x37; 0xA0 and
// 0xA1: 0x50) with ioctl(I2C_SLAVE) and then is one plain write() or read().
//
// What a user needs: the i2c-dev module loaded ("modprobe i2c-dev"; persistently via
// /etc/modules-load.d/) and read and write access to /dev/i2c-*, usually by membership
// of the group "i2c" (or a udev rule such as
//   KERNEL=="i2c-[0-9]*", GROUP="i2c", MODE="0660"
// where the distribution has none). A bus whose device cannot be opened is left out of
// the enumeration and reported once per scan, so a machine without either simply shows
// no displays.
//
// Each interface keeps its device open from the scan that found it to the next scan.
// An address that a kernel driver holds (the ddcci module binds 0x37) is not taken over
// with I2C_SLAVE_FORCE: the transaction fails as an I/O error instead.
// USB ids are not used: this backend has graphics-card links only.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "MonApi2/Backend.h"
#include "MonApi2/DrmConnectors.h"
#include "MonApi2/I2cDevSystem.h"

namespace MonApi2 {

class LinuxI2cBackend final : public Backend {
public:
    // Looks for connectors under sysfsRoot/class/drm ("/sys" on a running system).
    LinuxI2cBackend(std::unique_ptr<I2cDevSystem> system, std::string sysfsRoot, ProblemReport report);

    int32_t Enumerate(const std::vector<uint32_t>& usbIds) override;
    bool Info(int32_t index, DisplayInterfaceInfo& info) const override;
    int32_t Write(int32_t index, int32_t address, const uint8_t* data, int32_t count) override;
    int32_t Read(int32_t index, int32_t address, uint8_t* buffer, int32_t count) override;

private:
    // An open /dev/i2c-N, closed when the interface goes.
    class DeviceFile {
    public:
        DeviceFile(I2cDevSystem& system, int descriptor) : fSystem(&system), fDescriptor(descriptor) {}
        DeviceFile(DeviceFile&& other) noexcept : fSystem(other.fSystem), fDescriptor(std::exchange(other.fDescriptor, -1)) {}
        DeviceFile& operator=(DeviceFile&&) = delete;
        ~DeviceFile();
        int Descriptor() const { return fDescriptor; }

    private:
        I2cDevSystem* fSystem;
        int fDescriptor;
    };

    struct Interface {
        DisplayInterfaceInfo info;
        DeviceFile device;
        int slave;  // the 7-bit address last selected, or kNoSlave
    };

    void AddInterface(const DrmConnector& connector);
    Interface* Find(int32_t index);
    // Points the device at the display's 7-bit address unless it already is.
    int32_t Select(Interface& iface, int32_t address);

    std::unique_ptr<I2cDevSystem> fSystem;
    std::string fSysfsRoot;
    ProblemReport fReport;
    std::vector<Interface> fInterfaces;
};

}  // namespace MonApi2
