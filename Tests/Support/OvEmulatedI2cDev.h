#pragma once
// Emulated displays reached the way real ones are on Linux, for tests of the MONAPI2
// i2c-dev backend and of the plug-in's transport over it: a stand-in for the i2c-dev
// system calls that leads /dev/i2c-N to an emulated bus, connectors in a fabricated
// sysfs tree, and a MONAPI2 function table that carries an emulated bus's traffic
// through the Linux backend. Linux only.
#include <linux/i2c-dev.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "MonApi2/LinuxI2cBackend.h"
#include "MonApi2/PosixI2cDevSystem.h"
#include "MonApi2/Emulator/EmulatedBus.h"
#include "MonApi2/Emulator/EmulatedBusApi.h"
#include "Support/OvTestSupport.h"

namespace OvI2cDevTest {

// An i2c-dev for the tests: /dev/i2c-N opens onto an interface of an emulated bus, and
// each read or write goes to the 8-bit form of the address the last I2C_SLAVE ioctl
// chose, so traffic through the Linux backend reaches the emulated display byte for
// byte. The sysfs calls stay real (tests point them at a fabricated tree). Device calls
// are logged, and the next one can be made to fail with an errno.
class EmulatedI2cDevSystem final : public MonApi2::PosixI2cDevSystem {
public:
    // /dev/i2c-N opens as descriptor 100 + N; calls may outlive the system.
    EmulatedI2cDevSystem(OvEmulator::EmulatedBus& bus, std::vector<std::string>& calls) : fBus(bus), fCalls(calls) {}

    void Route(int adapter, int32_t iface) { fInterfaces[100 + adapter] = iface; }

    int Open(const std::string& path) override
    {
        if (const int error = Logged("open " + path)) return -error;
        const int descriptor = 100 + std::stoi(path.substr(path.rfind('-') + 1));
        return fInterfaces.contains(descriptor) ? descriptor : -ENOENT;
    }
    int Close(int descriptor) override
    {
        fCalls.push_back("close " + std::to_string(descriptor));
        return 0;
    }
    int Ioctl(int descriptor, unsigned long request, unsigned long argument) override
    {
        char call[64];
        std::snprintf(call, sizeof call, "ioctl %d 0x%lx 0x%lx", descriptor, request, argument);
        if (const int error = Logged(call)) return -error;
        if (request != I2C_SLAVE) return -ENOTTY;
        fSlaves[descriptor] = static_cast<int32_t>(argument);
        return 0;
    }
    int64_t Write(int descriptor, const uint8_t* data, size_t count) override
    {
        if (const int error = Logged(Call("write", descriptor, count))) return -error;
        const int32_t address = fSlaves.at(descriptor) << 1;
        return Transferred(fBus.I2CWrite(fInterfaces.at(descriptor), address, data, Count(count), 0), count);
    }
    int64_t Read(int descriptor, uint8_t* buffer, size_t count) override
    {
        if (const int error = Logged(Call("read", descriptor, count))) return -error;
        const int32_t address = fSlaves.at(descriptor) << 1 | 1;
        return Transferred(fBus.I2CRead(fInterfaces.at(descriptor), address, buffer, Count(count), 0), count);
    }

    int nextError = 0;     // errno of the next device call's failure, 0 for none
    size_t shortfall = 0;  // bytes each transfer leaves undone

private:
    static std::string Call(const char* name, int descriptor, size_t count)
    {
        return std::string(name) + " " + std::to_string(descriptor) + " " + std::to_string(count);
    }
    static int32_t Count(size_t count) { return static_cast<int32_t>(count); }
    int Logged(const std::string& call)
    {
        fCalls.push_back(call);
        return std::exchange(nextError, 0);
    }
    // What the kernel reports for the emulated display's answer.
    int64_t Transferred(int32_t result, size_t count) const
    {
        if (result < 0) return result == kMonApi2NoDevice ? -ENXIO : -EIO;
        return static_cast<int64_t>(count - shortfall);
    }

    OvEmulator::EmulatedBus& fBus;
    std::vector<std::string>& fCalls;
    std::map<int, int32_t> fInterfaces;  // descriptor to bus interface
    std::map<int, int32_t> fSlaves;      // descriptor to 7-bit address
};

// A connector in the sysfs tree: its status, an edid file unless empty, and a "ddc" link or
// an "i2c-N" folder naming its bus.
inline void AddConnector(const OvTestFolder& sysfs, const std::string& name, const std::string& status,
                         const std::vector<uint8_t>& edid, const std::string& ddcLink, const std::string& i2cFolder = "")
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(sysfs.Path("class/drm")) / name;
    fs::create_directories(folder);
    sysfs.WriteFile("class/drm/" + name + "/status", status + "\n");
    sysfs.WriteFile("class/drm/" + name + "/edid", std::string(edid.begin(), edid.end()));
    if (!ddcLink.empty()) fs::create_directory_symlink(ddcLink, folder / "ddc");
    if (!i2cFolder.empty()) fs::create_directories(folder / i2cFolder);
}

// MONAPI2 over the current emulated bus (see EmulatedBusApi.h) with its graphics-card
// interfaces reached through the Linux backend: each scan enumerates the bus, gives its
// interface n (from 0) a connector "card0-DP-<n+1>" on /dev/i2c-<n> in a fresh sysfs tree
// and lets the backend find them. USB interfaces, which that backend does not have, stay
// direct. Interfaces keep the bus's numbering; records of the graphics-card ones are the
// backend's, named after their connectors.
class I2cDevRoute {
public:
    int32_t SetUSBDeviceList(const uint32_t* ids, int32_t count)
    {
        return OvEmulator::CurrentBusSetUSBDeviceList(ids, count);
    }
    int32_t EnumerateInterfaces(int32_t flags, int32_t options)
    {
        fEntries.clear();
        fBackend.reset();
        fBus = OvEmulator::CurrentBus();
        if (!fBus) return 0;
        fTree = std::make_unique<OvTestFolder>();
        auto system = std::make_unique<EmulatedI2cDevSystem>(*fBus, fCalls);
        const int32_t count = fBus->EnumerateInterfaces(flags, options);
        for (int32_t index = 0; index < count; ++index) {
            DisplayInterfaceInfo info{};
            info.size = sizeof info;
            fBus->GetDisplayInterfaceInfo(index, &info);
            if (std::strcmp(info.interfaceName, "USB") == 0) continue;
            const std::vector<uint8_t> edid = info.edidDetected ? std::vector<uint8_t>(info.edid, info.edid + 128)
                                                                : std::vector<uint8_t>{};
            AddConnector(*fTree, "card0-DP-" + std::to_string(index + 1), "connected", edid,
                         "../../i2c-" + std::to_string(index));
            system->Route(index, index);
        }
        fBackend = std::make_unique<MonApi2::LinuxI2cBackend>(std::move(system), fTree->Path(),
                                                              [this](const std::string& line) { problems.push_back(line); });
        std::map<int32_t, int32_t> viaI2c;  // bus interface to backend interface
        for (int32_t local = 0, found = fBackend->Enumerate({}); local < found; ++local) {
            DisplayInterfaceInfo info{};
            info.size = sizeof info;
            fBackend->Info(local, info);
            viaI2c[std::stoi(std::strrchr(info.interfaceName, '-') + 1) - 1] = local;
        }
        for (int32_t index = 0; index < count; ++index) {
            const auto found = viaI2c.find(index);
            fEntries.push_back(found == viaI2c.end() ? Entry{false, index} : Entry{true, found->second});
        }
        return count;
    }
    int32_t GetNumDisplayInterfaces() const { return static_cast<int32_t>(fEntries.size()); }
    int32_t GetDisplayInterfaceInfo(int32_t index, DisplayInterfaceInfo* info) const
    {
        const Entry* entry = Find(index);
        if (!entry) return kMonApi2NoInterface;
        if (!entry->viaI2c) return fBus->GetDisplayInterfaceInfo(entry->index, info);
        return fBackend->Info(entry->index, *info) ? kMonApi2Ok : kMonApi2NoInterface;
    }
    int32_t I2CWrite(int32_t iface, int32_t address, const uint8_t* data, int32_t count, int32_t param)
    {
        const Entry* entry = Find(iface);
        if (!entry) return kMonApi2NoInterface;
        if (!entry->viaI2c) return fBus->I2CWrite(entry->index, address, data, count, param);
        return fBackend->Write(entry->index, address, data, count);
    }
    int32_t I2CRead(int32_t iface, int32_t address, uint8_t* buffer, int32_t count, int32_t param)
    {
        const Entry* entry = Find(iface);
        if (!entry) return kMonApi2NoInterface;
        if (!entry->viaI2c) return fBus->I2CRead(entry->index, address, buffer, count, param);
        return fBackend->Read(entry->index, address, buffer, count);
    }

    // The i2c-dev calls so far and the backend's reports.
    const std::vector<std::string>& Calls() const { return fCalls; }
    std::vector<std::string> problems;

private:
    struct Entry {
        bool viaI2c;
        int32_t index;  // the backend's interface, or the bus's
    };
    const Entry* Find(int32_t index) const
    {
        return index >= 0 && index < GetNumDisplayInterfaces() ? &fEntries[static_cast<size_t>(index)] : nullptr;
    }

    OvEmulator::EmulatedBus* fBus = nullptr;  // the bus of the last scan
    std::vector<std::string> fCalls;
    std::unique_ptr<OvTestFolder> fTree;
    std::unique_ptr<MonApi2::LinuxI2cBackend> fBackend;
    std::vector<Entry> fEntries;
};

}  // namespace OvI2cDevTest
