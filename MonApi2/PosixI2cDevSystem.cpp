#include "MonApi2/PosixI2cDevSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace MonApi2 {
namespace {

// Repeats a call that a signal interrupted; turns a failure into -errno.
template <class Call>
auto Retrying(Call call)
{
    using Result = decltype(call());
    for (;;) {
        const Result result = call();
        if (result >= 0) return result;
        if (errno != EINTR) return static_cast<Result>(-errno);
    }
}

int64_t ReadSome(int descriptor, uint8_t* buffer, size_t count)
{
    return Retrying([&] { return static_cast<int64_t>(read(descriptor, buffer, count)); });
}

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

}  // namespace

int PosixI2cDevSystem::Open(const std::string& path)
{
    return Retrying([&] { return open(path.c_str(), O_RDWR | O_CLOEXEC); });
}

int PosixI2cDevSystem::Close(int descriptor) { return close(descriptor) == 0 ? 0 : -errno; }

int64_t PosixI2cDevSystem::Read(int descriptor, uint8_t* buffer, size_t count)
{
    return ReadSome(descriptor, buffer, count);
}

int64_t PosixI2cDevSystem::Write(int descriptor, const uint8_t* data, size_t count)
{
    return Retrying([&] { return static_cast<int64_t>(write(descriptor, data, count)); });
}

int PosixI2cDevSystem::Ioctl(int descriptor, unsigned long request, unsigned long argument)
{
    return Retrying([&] { return ioctl(descriptor, request, argument); });
}

std::vector<std::string> PosixI2cDevSystem::ListDirectory(const std::string& path)
{
    std::vector<std::string> names;
    const std::unique_ptr<DIR, DirectoryCloser> directory(opendir(path.c_str()));
    if (!directory) return names;
    while (const dirent* entry = readdir(directory.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    return names;
}

std::optional<std::string> PosixI2cDevSystem::ReadLink(const std::string& path)
{
    char target[4096];
    const ssize_t length = readlink(path.c_str(), target, sizeof target);
    if (length < 0 || static_cast<size_t>(length) == sizeof target) return std::nullopt;
    return std::string(target, static_cast<size_t>(length));
}

std::optional<std::vector<uint8_t>> PosixI2cDevSystem::ReadFile(const std::string& path, size_t limit)
{
    const int descriptor = Retrying([&] { return open(path.c_str(), O_RDONLY | O_CLOEXEC); });
    if (descriptor < 0) return std::nullopt;
    std::vector<uint8_t> bytes(limit);
    size_t filled = 0;
    int64_t got = 1;
    // sysfs attributes may arrive in several pieces; a read of 0 marks the end.
    while (filled < limit && (got = ReadSome(descriptor, bytes.data() + filled, limit - filled)) > 0) {
        filled += static_cast<size_t>(got);
    }
    close(descriptor);
    if (got < 0) return std::nullopt;
    bytes.resize(filled);
    return bytes;
}

}  // namespace MonApi2
