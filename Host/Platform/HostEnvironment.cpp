#include "Platform/HostEnvironment.h"

#include <cstdlib>
#include <vector>

#include "HostError.h"
// Only the names of the plug-in's test-folder override: no code of the system layer.
#include "Source/OvSystem/OvPlatform.h"

#if defined(_WIN32)
#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>
#else
#include <unistd.h>
#endif

std::optional<std::string> GetEnvironment(const char* name)
{
#if defined(_MSC_VER)
    char* value = nullptr;
    size_t length = 0;
    if (_dupenv_s(&value, &length, name) != 0 || value == nullptr) return std::nullopt;
    std::string text(value);
    std::free(value);
    return text;
#else
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
#endif
}

void SetEnvironment(const char* name, const std::string& value)
{
#if defined(_WIN32)
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

#if defined(_WIN32)

std::filesystem::path ExecutableFolder()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), length)).parent_path();
        buffer.resize(buffer.size() * 2);
    }
}

namespace {
std::filesystem::path SystemApplicationDataFolder()
{
    // The shell's folder, as the plug-in asks for it (the APPDATA variable can differ),
    // else the Windows directory as there; wide, so a user name outside the ANSI code page
    // survives.
    wchar_t folder[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)) && folder[0] != 0)
        return std::filesystem::path(folder);
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) throw HostError("the system names no application-data folder");
    return std::filesystem::path(std::wstring(folder, length));
}
}  // namespace

#else

std::filesystem::path ExecutableFolder()
{
    std::vector<char> buffer(512);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<size_t>(length) < buffer.size())
            return std::filesystem::path(std::string(buffer.data(), static_cast<size_t>(length))).parent_path();
        buffer.resize(buffer.size() * 2);
    }
}

namespace {
std::filesystem::path SystemApplicationDataFolder()
{
    if (const auto config = GetEnvironment("XDG_CONFIG_HOME"); config && !config->empty()) return *config;
    if (const auto home = GetEnvironment("HOME"); home && !home->empty())
        return std::filesystem::path(*home) / ".config";
    throw HostError("the environment names no application-data folder (neither XDG_CONFIG_HOME nor HOME is set)");
}
}  // namespace

#endif

std::filesystem::path ApplicationDataFolder()
{
    if (const auto tests = GetEnvironment(OvPlatform::kTestFoldersVariable); tests && !tests->empty())
        return std::filesystem::path(*tests) / OvPlatform::kTestAppDataSubfolder;
    return SystemApplicationDataFolder();
}
