#pragma once
// The system calls of the Linux I2C backend: the i2c-dev character devices and the sysfs
// reads that find them. Every call reports failure as a negative errno value instead of
// through the global errno, so a test implementation can script failures exactly and
// route device traffic to emulated displays.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace MonApi2 {

class I2cDevSystem {
public:
    virtual ~I2cDevSystem() = default;

    // A descriptor opened for reading and writing, or -errno.
    virtual int Open(const std::string& path) = 0;
    // 0 or -errno.
    virtual int Close(int descriptor) = 0;
    // The number of bytes transferred, or -errno.
    virtual int64_t Read(int descriptor, uint8_t* buffer, size_t count) = 0;
    virtual int64_t Write(int descriptor, const uint8_t* data, size_t count) = 0;
    // 0 (or the call's non-negative result), or -errno.
    virtual int Ioctl(int descriptor, unsigned long request, unsigned long argument) = 0;

    // The entry names of a directory, without "." and ".."; empty when it cannot be read.
    virtual std::vector<std::string> ListDirectory(const std::string& path) = 0;
    // The target of a symbolic link; nothing when path is not a readable link.
    virtual std::optional<std::string> ReadLink(const std::string& path) = 0;
    // The first limit bytes of a file at most; nothing when it cannot be read.
    virtual std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, size_t limit) = 0;
};

}  // namespace MonApi2
