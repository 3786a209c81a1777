// The six exported functions of the MONAPI2 library over the process-wide interface
// table, which is set up from the environment at the first call.
#include "MonApi2/MonApi2.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "MonApi2/EmulatedBackend.h"
#include "MonApi2/EmulationSelection.h"
#include "MonApi2/InterfaceTable.h"

namespace {

std::string Environment(const char* name)
{
#if defined(_MSC_VER)
    char* value = nullptr;
    size_t length = 0;
    if (_dupenv_s(&value, &length, name) != 0 || value == nullptr) return {};
    std::string text(value);
    std::free(value);
    return text;
#else
    const char* value = std::getenv(name);
    return value ? value : "";
#endif
}

MonApi2::InterfaceTable CreateTable()
{
    const MonApi2::EmulationSelection selection =
        MonApi2::ParseEmulationSelection(Environment("OV_MONAPI2_EMULATE"), Environment("OV_MONAPI2_EMULATE_WAIT_SCALE"));
    for (const std::string& problem : selection.problems) std::fprintf(stderr, "MONAPI2: %s\n", problem.c_str());
    std::vector<std::unique_ptr<MonApi2::Backend>> backends;
    if (!selection.displays.empty()) backends.push_back(std::make_unique<MonApi2::EmulatedBackend>(selection));
    return MonApi2::InterfaceTable(std::move(backends));
}

MonApi2::InterfaceTable& Table()
{
    static MonApi2::InterfaceTable table = CreateTable();
    return table;
}

}  // namespace

extern "C" {

MONAPI2_API int32_t MONAPI2_CALL SetUSBDeviceList(const uint32_t* ids, int32_t count)
{
    return Table().SetUSBDeviceList(ids, count);
}

MONAPI2_API int32_t MONAPI2_CALL EnumerateInterfaces(int32_t, int32_t) { return Table().EnumerateInterfaces(); }

MONAPI2_API int32_t MONAPI2_CALL GetNumDisplayInterfaces(void) { return Table().Count(); }

MONAPI2_API int32_t MONAPI2_CALL GetDisplayInterfaceInfo(int32_t index, DisplayInterfaceInfo* info)
{
    return Table().Info(index, info);
}

MONAPI2_API int32_t MONAPI2_CALL I2C_WRITE(int32_t iface, int32_t address, const uint8_t* data, int32_t count, int32_t)
{
    return Table().Write(iface, address, data, count);
}

MONAPI2_API int32_t MONAPI2_CALL I2C_READ(int32_t iface, int32_t address, uint8_t* buffer, int32_t count, int32_t)
{
    return Table().Read(iface, address, buffer, count);
}

}  // extern "C"
