// The six exported functions of the MONAPI2 library, and its optional statistics, over the
// process-wide interface table, which is set up from the environment at the first call.
#include "MonApi2/MonApi2.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "MonApi2/BackendSelection.h"
#include "MonApi2/InterfaceTable.h"

namespace {

std::optional<std::string> Environment(const char* name)
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
    return value ? std::optional<std::string>(value) : std::nullopt;
#endif
}

void ReportProblem(const std::string& line) { std::fprintf(stderr, "MONAPI2: %s\n", line.c_str()); }

MonApi2::InterfaceTable CreateTable() { return MonApi2::InterfaceTable(MonApi2::SelectBackends(Environment, ReportProblem)); }

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

MONAPI2_API int32_t MONAPI2_CALL MonApi2GetStatistics(int32_t index, MonApi2Statistics* statistics)
{
    return Table().Statistics(index, statistics);
}

}  // extern "C"
