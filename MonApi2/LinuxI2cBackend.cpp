#include "MonApi2/LinuxI2cBackend.h"

#include <linux/i2c-dev.h>

#include <cerrno>
#include <cstring>

#include "MonApi2/ConnectorRecord.h"

namespace MonApi2 {
namespace {

constexpr int kNoSlave = -1;
constexpr int32_t kHighestAddress = 0xFF;

// How the kernel's I2C errors reach the caller; anything not listed is an I/O error.
struct ErrnoResult {
    int error;
    int32_t result;
};
constexpr ErrnoResult kErrnoResults[] = {
    {ENXIO, kMonApi2NoDevice},      // the address was not acknowledged (most adapters)
    {EREMOTEIO, kMonApi2NoDevice},  // the same from other adapters
    {ENODEV, kMonApi2NoDevice},     // the bus went away with its display
};

int32_t ResultOfErrno(int error)
{
    for (const ErrnoResult& entry : kErrnoResults) {
        if (entry.error == error) return entry.result;
    }
    return kMonApi2IoError;
}

// A transfer succeeds when the kernel moved every byte.
int32_t TransferResult(int64_t transferred, int32_t count)
{
    if (transferred < 0) return ResultOfErrno(static_cast<int>(-transferred));
    return transferred == count ? kMonApi2Ok : kMonApi2IoError;
}

// Hints for the usual reasons a user cannot open the bus.
const char* OpenHint(int error)
{
    if (error == ENOENT) return " (is the i2c-dev module loaded?)";
    if (error == EACCES || error == EPERM) return " (needs read and write access, e.g. membership of group i2c)";
    return "";
}

}  // namespace

LinuxI2cBackend::DeviceFile::~DeviceFile()
{
    if (fDescriptor >= 0) fSystem->Close(fDescriptor);
}

LinuxI2cBackend::LinuxI2cBackend(std::unique_ptr<I2cDevSystem> system, std::string sysfsRoot, ProblemReport report)
    : fSystem(std::move(system)), fSysfsRoot(std::move(sysfsRoot)), fReport(std::move(report))
{
}

int32_t LinuxI2cBackend::Enumerate(const std::vector<uint32_t>&)
{
    fInterfaces.clear();
    for (const DrmConnector& connector : FindDdcConnectors(*fSystem, fSysfsRoot)) AddInterface(connector);
    return static_cast<int32_t>(fInterfaces.size());
}

void LinuxI2cBackend::AddInterface(const DrmConnector& connector)
{
    const std::string path = "/dev/i2c-" + std::to_string(connector.adapter);
    const int descriptor = fSystem->Open(path);
    if (descriptor < 0) {
        fReport("cannot open " + path + " for " + connector.name + ": " + std::strerror(-descriptor) + OpenHint(-descriptor));
        return;
    }
    fInterfaces.push_back({ConnectorRecord(connector), DeviceFile(*fSystem, descriptor), kNoSlave});
}

bool LinuxI2cBackend::Info(int32_t index, DisplayInterfaceInfo& info) const
{
    if (index < 0 || index >= static_cast<int32_t>(fInterfaces.size())) return false;
    info = fInterfaces[static_cast<size_t>(index)].info;
    return true;
}

int32_t LinuxI2cBackend::Write(int32_t index, int32_t address, const uint8_t* data, int32_t count)
{
    Interface* iface = Find(index);
    if (iface == nullptr) return kMonApi2NoInterface;
    const int32_t selected = Select(*iface, address);
    if (selected != kMonApi2Ok) return selected;
    return TransferResult(fSystem->Write(iface->device.Descriptor(), data, static_cast<size_t>(count)), count);
}

int32_t LinuxI2cBackend::Read(int32_t index, int32_t address, uint8_t* buffer, int32_t count)
{
    Interface* iface = Find(index);
    if (iface == nullptr) return kMonApi2NoInterface;
    const int32_t selected = Select(*iface, address);
    if (selected != kMonApi2Ok) return selected;
    return TransferResult(fSystem->Read(iface->device.Descriptor(), buffer, static_cast<size_t>(count)), count);
}

LinuxI2cBackend::Interface* LinuxI2cBackend::Find(int32_t index)
{
    return index < 0 || index >= static_cast<int32_t>(fInterfaces.size()) ? nullptr : &fInterfaces[static_cast<size_t>(index)];
}

int32_t LinuxI2cBackend::Select(Interface& iface, int32_t address)
{
    if (address < 0 || address > kHighestAddress) return kMonApi2BadArgument;
    const int slave = address >> 1;
    if (iface.slave == slave) return kMonApi2Ok;
    const int result = fSystem->Ioctl(iface.device.Descriptor(), I2C_SLAVE, static_cast<unsigned long>(slave));
    iface.slave = result < 0 ? kNoSlave : slave;
    return result < 0 ? ResultOfErrno(-result) : kMonApi2Ok;
}

}  // namespace MonApi2
