#include "PluginLibrary.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#if defined(_WIN32)

namespace {
std::wstring Widen(const std::string& text)
{
    // Command-line arguments arrive in the ANSI code page.
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}
}  // namespace

PluginLibrary::PluginLibrary(const std::string& path)
{
    // With an absolute path and the altered search order, the libraries the plug-in
    // imports are looked for beside it first, as for a plug-in installed in its own folder.
    const std::wstring given = Widen(path);
    const DWORD length = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    std::wstring full(length, L'\0');
    if (length == 0 || GetFullPathNameW(given.c_str(), length, full.data(), nullptr) == 0) {
        fLoadError = "GetFullPathNameW failed, system error " + std::to_string(GetLastError());
        return;
    }
    fHandle = LoadLibraryExW(full.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!fHandle) fLoadError = "LoadLibraryExW failed, system error " + std::to_string(GetLastError());
}

PluginLibrary::AnyFunction PluginLibrary::LookupFunction(const char* name) const
{
    if (!fHandle) return nullptr;
    // FARPROC goes through the generic function pointer type, which converts without
    // a function-type mismatch warning.
    return reinterpret_cast<AnyFunction>(GetProcAddress(static_cast<HMODULE>(fHandle), name));
}

#else

PluginLibrary::PluginLibrary(const std::string& path)
{
    fHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!fHandle) {
        const char* error = dlerror();
        fLoadError = error ? error : "dlopen failed";
    }
}

PluginLibrary::AnyFunction PluginLibrary::LookupFunction(const char* name) const
{
    if (!fHandle) return nullptr;
    return reinterpret_cast<AnyFunction>(dlsym(fHandle, name));
}

#endif
