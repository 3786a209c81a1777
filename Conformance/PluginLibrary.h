#pragma once
// Loads the plug-in by path the way the host does and looks up its entry points by their
// undecorated C names. Like the host, it keeps the plug-in loaded until the process ends:
// the plug-in's process-wide objects (default debug stream, debug lock) are meant to live
// that long, and unloading it early would leave them to the leak checker as leaks.
#include <string>

class PluginLibrary {
public:
    explicit PluginLibrary(const std::string& path);
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool IsLoaded() const { return fHandle != nullptr; }
    // Why loading failed, as the system reports it.
    const std::string& LoadError() const { return fLoadError; }

    // The exported function of that name cast to the given function pointer type; null
    // when the library exports no such name.
    template <class Function>
    Function Lookup(const char* name) const
    {
        return reinterpret_cast<Function>(LookupFunction(name));
    }

private:
    using AnyFunction = void (*)();
    AnyFunction LookupFunction(const char* name) const;

    void* fHandle = nullptr;
    std::string fLoadError;
};
