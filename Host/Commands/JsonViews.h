#pragma once
// The --json forms of the commands that show facts: one JSON object per command, with
// the same facts as the text. Written with nlohmann-json; a build without it has none, and
// the functions raise HostError saying so.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Calibration/GammaTableImage.h"
#include "Catalogue/CapabilityView.h"
#include "Commands/DisplayDiscovery.h"

// Raises HostError when this build cannot write JSON; call before touching the display.
void RequireJson();

// A fact of info: its JSON key, its text label, and its value or the reason it is missing.
struct InfoFact {
    std::string key;
    std::string label;
    std::string value;
    std::optional<std::string> unavailable;
};

using VcpResult = std::pair<uint16_t, std::optional<VcpReading>>;

struct CurvesReport {
    DisplayIdentity identity;
    std::string family;
    bool classicLayout = true;
    GammaTableImage image;
};

std::string DetectJson(const std::vector<DetectedDisplay>& displays);
std::string InfoJson(const std::vector<InfoFact>& facts);
std::string GetVcpJson(const std::vector<VcpResult>& results);
std::string ScanJson(uint16_t first, uint16_t last, const std::vector<VcpResult>& results);
std::string CapabilitiesJson(const std::string& capabilities, const CapabilityView& view);
std::string CurvesJson(const CurvesReport& report);
