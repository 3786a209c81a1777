// Feeds an arbitrary sysfs tree to the Linux backend's connector search and interface
// records. A fake system call layer serves the tree from the input: the entries of
// class/drm (mostly named like connectors), each with a status file, a "ddc" link, its own
// directory entries and an EDID, any of them missing; the bus devices open or fail. No
// real file is touched.
//   - Connectors come out sorted, connected, with an adapter number and at most 128 EDID
//     bytes.
//   - The backend lists as many interfaces as connectors whose bus opened, and every text
//     of their records ends with a zero byte inside its field.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MonApi2/ConnectorRecord.h"
#include "MonApi2/DrmConnectors.h"
#include "MonApi2/LinuxI2cBackend.h"

namespace {

using MonApi2::DrmConnector;

constexpr size_t kMaxInput = 1 << 14;
constexpr size_t kMaxEntries = 12;
constexpr size_t kMaxNameLength = 40;
const std::string kSysfsRoot = "/sys";
const std::string kDrm = kSysfsRoot + "/class/drm";

void Check(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "FuzzDrmConnectors: %s\n", what);
    std::abort();
}

// The fake system: directories, links and files by full path; bus devices open with the
// result the input chose for them.
class FakeSysfs final : public MonApi2::I2cDevSystem {
public:
    std::map<std::string, std::vector<std::string>> directories;
    std::map<std::string, std::string> links;
    std::map<std::string, std::vector<uint8_t>> files;
    std::vector<int> openResults;  // taken in turn, then success
    size_t opened = 0;

    int Open(const std::string&) override
    {
        const int result = opened < openResults.size() ? openResults[opened] : 3;
        ++opened;
        return result;
    }
    int Close(int) override { return 0; }
    int64_t Read(int, uint8_t*, size_t) override { return -EIO; }
    int64_t Write(int, const uint8_t*, size_t) override { return -EIO; }
    int Ioctl(int, unsigned long, unsigned long) override { return -EIO; }

    std::vector<std::string> ListDirectory(const std::string& path) override
    {
        const auto found = directories.find(path);
        return found == directories.end() ? std::vector<std::string>{} : found->second;
    }
    std::optional<std::string> ReadLink(const std::string& path) override
    {
        const auto found = links.find(path);
        if (found == links.end()) return std::nullopt;
        return found->second;
    }
    std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, size_t limit) override
    {
        const auto found = files.find(path);
        if (found == files.end()) return std::nullopt;
        std::vector<uint8_t> bytes = found->second;
        bytes.resize(std::min(bytes.size(), limit));
        return bytes;
    }
};

// Mostly names and texts the real tree has, so the search gets past its checks often.
std::string EntryName(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: return input.ConsumeRandomLengthString(kMaxNameLength);
    case 1: return "card" + std::to_string(input.ConsumeIntegralInRange(0, 3));
    default: {
        const std::string card = "card" + std::to_string(input.ConsumeIntegralInRange(0, 3)) + "-";
        return card + input.ConsumeRandomLengthString(kMaxNameLength);
    }
    }
}

std::string StatusText(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: return input.ConsumeRandomLengthString(80);
    case 1: return "disconnected\n";
    default: return "connected\n";
    }
}

std::string AdapterName(FuzzedDataProvider& input)
{
    if (input.ConsumeBool()) return input.ConsumeRandomLengthString(kMaxNameLength);
    return "i2c-" + std::to_string(input.ConsumeIntegral<int32_t>());
}

void AddConnector(FuzzedDataProvider& input, FakeSysfs& sysfs, const std::string& name)
{
    const std::string directory = kDrm + "/" + name;
    if (input.ConsumeBool()) {
        const std::string status = StatusText(input);
        sysfs.files[directory + "/status"] = {status.begin(), status.end()};
    }
    if (input.ConsumeBool()) {
        std::string& target = sysfs.links[directory + "/ddc"];
        target = input.ConsumeRandomLengthString(kMaxNameLength);
        if (input.ConsumeBool()) target += "/" + AdapterName(input);
    }
    std::vector<std::string>& entries = sysfs.directories[directory];
    for (size_t i = input.ConsumeIntegralInRange<size_t>(0, 4); i > 0; --i) entries.push_back(AdapterName(input));
    if (input.ConsumeBool()) sysfs.files[directory + "/edid"] = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, 300));
}

void BuildTree(FuzzedDataProvider& input, FakeSysfs& sysfs)
{
    std::vector<std::string>& names = sysfs.directories[kDrm];
    for (size_t i = input.ConsumeIntegralInRange<size_t>(0, kMaxEntries); i > 0 && input.remaining_bytes() > 0; --i) {
        names.push_back(EntryName(input));
        AddConnector(input, sysfs, names.back());
    }
    for (size_t i = input.ConsumeIntegralInRange<size_t>(0, 4); i > 0; --i)
        sysfs.openResults.push_back(input.ConsumeBool() ? -input.ConsumeIntegralInRange(1, 140) : 3);
}

template <size_t N>
bool EndsInside(const char (&field)[N])
{
    return std::memchr(field, 0, N) != nullptr;
}

void CheckRecord(const DisplayInterfaceInfo& info)
{
    Check(EndsInside(info.displayName), "display name not zero-terminated");
    Check(EndsInside(info.interfaceName), "interface name not zero-terminated");
    Check(EndsInside(info.serialNumber), "serial number not zero-terminated");
    Check(info.size == sizeof info, "record size not set");
}

void CheckConnectors(const FakeSysfs& sysfs, const std::vector<DrmConnector>& connectors)
{
    for (size_t i = 0; i < connectors.size(); ++i) {
        const DrmConnector& connector = connectors[i];
        Check(i == 0 || connectors[i - 1].name <= connector.name, "connectors not sorted");
        Check(connector.name.starts_with("card"), "connector name without its card");
        Check(connector.adapter >= 0, "negative adapter number");
        Check(connector.edid.size() <= 128, "more EDID than the base block");
        const auto status = sysfs.files.find(kDrm + "/" + connector.name + "/status");
        Check(status != sysfs.files.end(), "connector without a status");
        CheckRecord(MonApi2::ConnectorRecord(connector));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInput) return 0;
    FuzzedDataProvider input(data, size);
    auto owned = std::make_unique<FakeSysfs>();
    FakeSysfs& sysfs = *owned;
    BuildTree(input, sysfs);

    const std::vector<DrmConnector> connectors = MonApi2::FindDdcConnectors(sysfs, kSysfsRoot);
    CheckConnectors(sysfs, connectors);

    size_t problems = 0;
    MonApi2::LinuxI2cBackend backend(std::move(owned), kSysfsRoot, [&](const std::string&) { ++problems; });
    const int32_t count = backend.Enumerate({});
    Check(count >= 0 && static_cast<size_t>(count) + problems == connectors.size(), "interfaces lost in the scan");
    for (int32_t index = 0; index < count; ++index) {
        DisplayInterfaceInfo info{};
        info.size = sizeof info;
        Check(backend.Info(index, info), "listed interface without a record");
        CheckRecord(info);
    }
    DisplayInterfaceInfo beyond{};
    Check(!backend.Info(count, beyond), "record beyond the list");
    return 0;
}
