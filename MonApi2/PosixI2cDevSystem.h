#pragma once
// The I2C backend's system calls on the running Linux kernel. Tests derive from it to
// keep the real sysfs reads (on a fabricated tree) while replacing the device calls.
#include "MonApi2/I2cDevSystem.h"

namespace MonApi2 {

class PosixI2cDevSystem : public I2cDevSystem {
public:
    int Open(const std::string& path) override;
    int Close(int descriptor) override;
    int64_t Read(int descriptor, uint8_t* buffer, size_t count) override;
    int64_t Write(int descriptor, const uint8_t* data, size_t count) override;
    int Ioctl(int descriptor, unsigned long request, unsigned long argument) override;

    std::vector<std::string> ListDirectory(const std::string& path) override;
    std::optional<std::string> ReadLink(const std::string& path) override;
    std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, size_t limit) override;
};

}  // namespace MonApi2
