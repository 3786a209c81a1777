#include "Platform/SharedLibrary.h"

#if defined(_WIN32)
#include <windows.h>

#include <filesystem>
#else
#include <dlfcn.h>
#endif

#if defined(_WIN32)

SharedLibrary::SharedLibrary(const std::string& path)
{
    // With a path, the libraries the plug-in imports are looked for beside it first; a bare
    // name goes through the normal search, which starts in the program's folder.
    // The altered search order needs an absolute path. Arguments come in the ANSI code page,
    // which is what a narrow path converts from.
    const bool hasFolder = path.find_first_of("/\\") != std::string::npos;
    std::error_code ignored;
    const std::filesystem::path given(path);
    const std::wstring wide = hasFolder ? std::filesystem::absolute(given, ignored).wstring() : given.wstring();
    fHandle = LoadLibraryExW(wide.c_str(), nullptr, hasFolder ? LOAD_WITH_ALTERED_SEARCH_PATH : 0);
    if (!fHandle) fLoadError = "system error " + std::to_string(GetLastError());
}

SharedLibrary::AnyFunction SharedLibrary::LookupFunction(const char* name) const
{
    if (!fHandle) return nullptr;
    // FARPROC converts to the generic function pointer type without a cast warning.
    return reinterpret_cast<AnyFunction>(GetProcAddress(static_cast<HMODULE>(fHandle), name));
}

#else

SharedLibrary::SharedLibrary(const std::string& path)
{
    fHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!fHandle) {
        const char* error = dlerror();
        fLoadError = error ? error : "dlopen failed";
    }
}

SharedLibrary::AnyFunction SharedLibrary::LookupFunction(const char* name) const
{
    if (!fHandle) return nullptr;
    return reinterpret_cast<AnyFunction>(dlsym(fHandle, name));
}

#endif
