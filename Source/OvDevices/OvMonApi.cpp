#define OV_SOURCE_FILE "Source/OvDevices/OvMonApi"
#include "OvDevices/OvMonApi.h"

#include <string>

#include "OvSystem/OvPlatform.h"

namespace {

#if defined(_WIN32)
constexpr const char* kLibraryName = "MONAPI2.dll";
#else
constexpr const char* kLibraryName = "libMONAPI2.so";
#endif

// Stand-ins for a machine without the library: it has no display interfaces.
int32_t OV_STDCALL MissingSetUSBDeviceList(const uint32_t*, int32_t) { return OvMonApi::kLibraryMissing; }
int32_t OV_STDCALL MissingEnumerateInterfaces(int32_t, int32_t) { return 0; }
int32_t OV_STDCALL MissingGetNumDisplayInterfaces() { return 0; }
int32_t OV_STDCALL MissingGetDisplayInterfaceInfo(int32_t, OvMonApi::DisplayInterfaceInfo*)
{
    return OvMonApi::kLibraryMissing;
}
int32_t OV_STDCALL MissingI2CWrite(int32_t, int32_t, const uint8_t*, int32_t, int32_t)
{
    return OvMonApi::kLibraryMissing;
}
int32_t OV_STDCALL MissingI2CRead(int32_t, int32_t, uint8_t*, int32_t, int32_t) { return OvMonApi::kLibraryMissing; }

constexpr OvMonApiTable kMissingLibrary = {
    MissingSetUSBDeviceList, MissingEnumerateInterfaces, MissingGetNumDisplayInterfaces,
    MissingGetDisplayInterfaceInfo, MissingI2CWrite, MissingI2CRead,
};

template <class Fn>
bool Resolve(void* library, const char* name, Fn& function)
{
    function = reinterpret_cast<Fn>(OvPlatform::FindSymbol(library, name));
    return function != nullptr;
}

// The library beside the plug-in, then beside the host executable, else wherever the
// system's search finds it.
void* OpenLibraryBeside(const std::string& modulePath)
{
    const size_t slash = modulePath.find_last_of('/');
    if (slash == std::string::npos) return nullptr;
    return OvPlatform::LoadLibrary(modulePath.substr(0, slash + 1) + kLibraryName);
}

// Any object of this library tells the system which module to name.
const char kModuleAnchor = 0;

void* OpenLibrary()
{
    if (void* library = OpenLibraryBeside(OvPlatform::ModulePath(&kModuleAnchor))) return library;
    if (void* library = OpenLibraryBeside(OvPlatform::ExecutablePath())) return library;
    return OvPlatform::LoadLibrary(kLibraryName);
}

// Loaded once and kept for the life of the process.
OvMonApiTable LoadLibraryTable()
{
    void* library = OpenLibrary();
    if (!library) return kMissingLibrary;
    OvMonApiTable table{};
    const bool complete = Resolve(library, "SetUSBDeviceList", table.SetUSBDeviceList) &&
                          Resolve(library, "EnumerateInterfaces", table.EnumerateInterfaces) &&
                          Resolve(library, "GetNumDisplayInterfaces", table.GetNumDisplayInterfaces) &&
                          Resolve(library, "GetDisplayInterfaceInfo", table.GetDisplayInterfaceInfo) &&
                          Resolve(library, "I2C_WRITE", table.I2C_WRITE) &&
                          Resolve(library, "I2C_READ", table.I2C_READ);
    if (complete) return table;
    OvPlatform::FreeLibrary(library);
    return kMissingLibrary;
}

const OvMonApiTable* gInstalledTable = nullptr;

}  // namespace

const OvMonApiTable& OvMonApi::Table()
{
    if (gInstalledTable) return *gInstalledTable;
    static const OvMonApiTable library = LoadLibraryTable();
    return library;
}

void OvMonApi::Install(const OvMonApiTable* table)
{
    gInstalledTable = table;
}
