#pragma once
// The file names of the libraries the host opens, as each platform names them.
#if defined(_WIN32)
constexpr const char* kPluginFileName = "OvROVUvided.dll";
constexpr const char* kDisplayInterfaceLibraryFileName = "MONAPI2.dll";
#else
constexpr const char* kPluginFileName = "OvROVUvided.so";
constexpr const char* kDisplayInterfaceLibraryFileName = "libMONAPI2.so";
#endif
