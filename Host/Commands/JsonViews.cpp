// The --json forms, written with nlohmann-json; keys keep the order the text shows.
#include "Commands/JsonViews.h"

#include <nlohmann/json.hpp>

#include "Catalogue/VcpCatalogue.h"
#include "Cli/Formatting.h"

using Json = nlohmann::ordered_json;

namespace {

Json Identity(const DisplayIdentity& id)
{
    return {{"port", id.port},
            {"model", id.modelName},
            {"serial", id.serialNumber},
            {"vendorProductId", Hex(id.vendorProductId, 8)},
            {"input", id.digitalInput ? "digital" : "analogue"}};
}

Json Vcp(const VcpResult& result)
{
    Json control = {{"id", Hex(result.first, 4)}, {"name", VcpName(result.first)}, {"supported", result.second.has_value()}};
    if (result.second) {
        control["current"] = result.second->current;
        control["maximum"] = result.second->maximum;
    }
    return control;
}

Json VcpList(const std::vector<VcpResult>& results)
{
    Json list = Json::array();
    for (const VcpResult& result : results) list.push_back(Vcp(result));
    return list;
}

Json Codes(const std::vector<CapabilityCode>& codes)
{
    Json list = Json::array();
    for (const CapabilityCode& code : codes)
        list.push_back({{"id", Hex(code.id, 4)}, {"name", VcpName(code.id)}, {"values", code.values}});
    return list;
}

}  // namespace

void RequireJson() {}

std::string DetectJson(const std::vector<DetectedDisplay>& displays)
{
    Json list = Json::array();
    for (const DetectedDisplay& display : displays) {
        Json entry = Identity(display.identity);
        entry["link"] = display.link;
        entry["interface"] = display.interfaceName;
        list.push_back(std::move(entry));
    }
    return Json{{"displays", std::move(list)}}.dump(2);
}

std::string InfoJson(const std::vector<InfoFact>& facts)
{
    Json info = Json::object();
    for (const InfoFact& fact : facts) {
        if (fact.unavailable) info[fact.key] = {{"unavailable", *fact.unavailable}};
        else info[fact.key] = fact.value;
    }
    return info.dump(2);
}

std::string GetVcpJson(const std::vector<VcpResult>& results)
{
    return Json{{"controls", VcpList(results)}}.dump(2);
}

std::string ScanJson(uint16_t first, uint16_t last, const std::vector<VcpResult>& results)
{
    size_t supported = 0;
    for (const VcpResult& result : results) supported += result.second.has_value();
    return Json{{"first", Hex(first, 4)},
                {"last", Hex(last, 4)},
                {"tried", last - first + 1},
                {"supported", supported},
                {"controls", VcpList(results)}}
        .dump(2);
}

std::string CapabilitiesJson(const std::string& capabilities, const CapabilityView& view)
{
    Json json = {{"string", capabilities},
                 {"type", view.type},
                 {"technology", view.technology},
                 {"mccsVersion", view.mccsVersion},
                 {"firmwareVersion", view.firmwareVersion},
                 {"assetMemory", view.assetMemorySize},
                 {"colorTemperatureOffset", view.colorTemperatureOffset}};
    json["gammaTable"] = view.gammaTablePresent ? Json{{"size", view.gammaTableSize},
                                                       {"redOffset", view.redOffset},
                                                       {"greenOffset", view.greenOffset},
                                                       {"blueOffset", view.blueOffset}}
                                                : Json(nullptr);
    json["commands"] = Codes(view.commands);
    json["vcpCodes"] = Codes(view.vcpCodes);
    return json.dump(2);
}

std::string CurvesJson(const CurvesReport& report)
{
    Json json = Identity(report.identity);
    json["family"] = report.family;
    json["classicLayout"] = report.classicLayout;
    json["entries"] = kTableImageEntries;
    Json channels = Json::object();
    for (size_t c = 0; c < 3; ++c) {
        const ChannelSummary summary = Summarize(report.image.channels[c]);
        Json samples = Json::object();
        for (size_t k = 0; k < summary.samples.size(); ++k)
            samples[std::to_string(kSummaryInputs[k])] = summary.samples[k];
        channels[kChannelNames[c]] = {{"min", summary.minimum},
                                      {"max", summary.maximum},
                                      {"samples", std::move(samples)},
                                      {"identityDistance", summary.identityDistance},
                                      {"identityDistanceAt", summary.identityDistanceAt},
                                      {"values", report.image.channels[c]}};
    }
    json["channels"] = std::move(channels);
    return json.dump(2);
}
