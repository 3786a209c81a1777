#pragma once
// A dynamic library opened by path or by name, as a host opens its plug-in, with its
// exported functions looked up by undecorated C name. The library stays loaded until the
// process ends: the plug-in's process-wide objects are meant to live that long.
#include <string>

class SharedLibrary {
public:
    // Opens the library; IsLoaded tells whether that worked and LoadError why not.
    explicit SharedLibrary(const std::string& path);
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool IsLoaded() const { return fHandle != nullptr; }
    const std::string& LoadError() const { return fLoadError; }

    // The exported function of that name as the given function pointer type; null when
    // the library exports no such name.
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
