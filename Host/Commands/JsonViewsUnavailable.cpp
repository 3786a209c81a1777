// Builds without nlohmann-json: --json says it is not available.
#include "Commands/JsonViews.h"

#include "HostError.h"

namespace {
[[noreturn]] void Unavailable()
{
    throw HostError("--json is not available in this build of zezctl (built without nlohmann-json)");
}
}  // namespace

void RequireJson()
{
    Unavailable();
}

std::string DetectJson(const std::vector<DetectedDisplay>&)
{
    Unavailable();
}
std::string InfoJson(const std::vector<InfoFact>&)
{
    Unavailable();
}
std::string GetVcpJson(const std::vector<VcpResult>&)
{
    Unavailable();
}
std::string ScanJson(uint16_t, uint16_t, const std::vector<VcpResult>&)
{
    Unavailable();
}
std::string CapabilitiesJson(const std::string&, const CapabilityView&)
{
    Unavailable();
}
std::string CurvesJson(const CurvesReport&)
{
    Unavailable();
}
