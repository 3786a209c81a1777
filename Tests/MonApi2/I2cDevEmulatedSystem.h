#pragma once
// An i2c-dev for the tests: /dev/i2c-N opens onto an interface of an emulated bus, and
// each read or write goes to the 8-bit form of the address the last I2C_SLAVE ioctl
// chose, so traffic through the Linux backend reaches the emulated display byte for
// byte. The sysfs calls stay real (tests point them at a fabricated tree). Device calls
// are logged, and the next one can be made to fail with an errno.
#include <linux/i2c-dev.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "MonApi2/Emulator/EmulatedBus.h"
#include "MonApi2/PosixI2cDevSystem.h"

namespace I2cDevTest {

class EmulatedI2cDevSystem final : public MonApi2::PosixI2cDevSystem {
public:
    // /dev/i2c-N opens as descriptor 100 + N; calls may outlive the system.
    EmulatedI2cDevSystem(OvEmulator::EmulatedBus& bus, std::vector<std::string>& calls) : fBus(bus), fCalls(calls) {}

    void Route(int adapter, int32_t iface) { fRoutes["/dev/i2c-" + std::to_string(adapter)] = {100 + adapter, iface}; }

    int Open(const std::string& path) override
    {
        if (const int error = Logged("open " + path)) return -error;
        const auto route = fRoutes.find(path);
        return route == fRoutes.end() ? -ENOENT : route->second.first;
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
        if (const int error = Logged("write " + std::to_string(descriptor) + " " + std::to_string(count))) return -error;
        return Transferred(fBus.I2CWrite(Interface(descriptor), fSlaves.at(descriptor) << 1, data, static_cast<int32_t>(count), 0), count);
    }
    int64_t Read(int descriptor, uint8_t* buffer, size_t count) override
    {
        if (const int error = Logged("read " + std::to_string(descriptor) + " " + std::to_string(count))) return -error;
        return Transferred(fBus.I2CRead(Interface(descriptor), fSlaves.at(descriptor) << 1 | 1, buffer, static_cast<int32_t>(count), 0), count);
    }

    int nextError = 0;     // errno of the next device call's failure, 0 for none
    size_t shortfall = 0;  // bytes each transfer leaves undone

private:
    int Logged(const std::string& call)
    {
        fCalls.push_back(call);
        return std::exchange(nextError, 0);
    }
    int32_t Interface(int descriptor) const
    {
        for (const auto& [path, route] : fRoutes) {
            if (route.first == descriptor) return route.second;
        }
        return -1;
    }
    // What the kernel reports for the emulated display's answer.
    int64_t Transferred(int32_t result, size_t count) const
    {
        if (result < 0) return result == kMonApi2NoDevice ? -ENXIO : -EIO;
        return static_cast<int64_t>(count - shortfall);
    }

    OvEmulator::EmulatedBus& fBus;
    std::vector<std::string>& fCalls;
    std::map<std::string, std::pair<int, int32_t>> fRoutes;  // path to descriptor and bus interface
    std::map<int, int32_t> fSlaves;                           // descriptor to 7-bit address
};

}  // namespace I2cDevTest
