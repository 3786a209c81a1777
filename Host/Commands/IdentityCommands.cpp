// The commands that show who the display is: info, edid and capabilities.
#include <functional>

#include "Catalogue/CapabilityView.h"
#include "Catalogue/VcpCatalogue.h"
#include "Cli/Formatting.h"
#include "Cli/TextTable.h"
#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"
#include "Commands/JsonViews.h"
#include "Plugin/DeviceCall.h"

namespace {

// A fact with the reason in place of the value when reading it failed.
void AddFact(std::vector<InfoFact>& facts, std::string key, std::string label, const std::function<std::string()>& read)
{
    try {
        facts.push_back({std::move(key), std::move(label), read(), std::nullopt});
    } catch (const HostError& error) {
        facts.push_back({std::move(key), std::move(label), "", error.what()});
    }
}

std::string YesNo(bool value)
{
    return value ? "yes" : "no";
}

// Two upper-case hex digits a value, as the capability string writes them.
std::string ValueList(const std::vector<uint32_t>& values)
{
    std::string text;
    for (const uint32_t value : values) {
        if (!text.empty()) text += ' ';
        text += Hex(value, 2).substr(2);
    }
    return text;
}

std::string CodeList(const std::vector<CapabilityCode>& codes)
{
    std::string text;
    for (const CapabilityCode& code : codes) {
        if (!text.empty()) text += ' ';
        text += Hex(code.id, 2).substr(2);
        if (code.values.empty()) continue;
        text += '(';
        text += ValueList(code.values);
        text += ')';
    }
    return text;
}

std::string GammaTableLayout(const CapabilityView& view)
{
    if (!view.gammaTablePresent) return "none";
    const auto hex = [](int32_t value) { return Hex(static_cast<uint32_t>(value), 1); };
    return "size " + hex(view.gammaTableSize) + ", red at " + hex(view.redOffset) + ", green at " +
           hex(view.greenOffset) + ", blue at " + hex(view.blueOffset);
}

void PrintParsedCapabilities(std::ostream& out, const CapabilityView& view)
{
    TextTable facts({"Type", view.type.empty() ? "-" : view.type + " (technology " + view.technology + ")"});
    facts.AddRow({"MCCS version", OrDash(view.mccsVersion)});
    facts.AddRow({"Firmware version", OrDash(view.firmwareVersion)});
    facts.AddRow({"Asset memory", std::to_string(view.assetMemorySize)});
    facts.AddRow({"Colour temperature offset", std::to_string(view.colorTemperatureOffset)});
    facts.AddRow({"Gamma table", GammaTableLayout(view)});
    facts.AddRow({"Commands (cmds_c2)", OrDash(CodeList(view.commands))});
    facts.AddRow({"VCP codes", view.parsed ? std::to_string(view.vcpCodes.size()) : "none (no vcp element)"});
    facts.Print(out);
    TextTable codes({"Id", "Name", "Values"});
    for (const CapabilityCode& code : view.vcpCodes)
        codes.AddRow({Hex(code.id, 4), VcpName(code.id), ValueList(code.values)});
    if (!view.vcpCodes.empty()) codes.Print(out, "  ");
}

}  // namespace

int RunInfo(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 0, 0);
    const bool json = line.HasFlag("--json");
    if (json) RequireJson();
    DisplayDevice& device = context.ConnectedDevice();
    OvROVUvided& slots = device.Slots();
    const DisplayIdentity identity = device.Identity();
    std::vector<InfoFact> facts = {
        {"port", "Port", std::to_string(identity.port), std::nullopt},
        {"model", "Model", OrDash(identity.modelName), std::nullopt},
        {"serial", "Serial number", OrDash(identity.serialNumber), std::nullopt},
        {"vendorProductId", "Vendor-product id", Hex(identity.vendorProductId, 8), std::nullopt},
        {"input", "Input", identity.digitalInput ? "digital" : "analogue", std::nullopt},
    };
    const int32_t version = CallDevice("GetInterfaceVersion", [&] { return slots.GetInterfaceVersion(); });
    facts.push_back({"interfaceVersion", "Interface version", std::to_string(version), std::nullopt});
    AddFact(facts, "screenSize", "Screen size", [&] {
        uint32_t vertical = 0, horizontal = 0;
        if (!CallDevice("GetSize", [&] { return slots.GetSize(&vertical, &horizontal); }))
            throw HostError("GetSize failed");
        return std::to_string(horizontal) + " x " + std::to_string(vertical) + " mm";
    });
    AddFact(facts, "runningHours", "Running hours", [&] {
        uint32_t hours = 0;
        if (!CallDevice("GetRunningHours", [&] { return slots.GetRunningHours(&hours); }))
            throw HostError("GetRunningHours failed");
        return std::to_string(hours);
    });
    AddFact(facts, "whitePoint", "White point",
            [&] { return YesNo(CallDevice("SupportsWhitePoint", [&] { return slots.SupportsWhitePoint(); })); });
    AddFact(facts, "lut3d", "3D LUT",
            [&] { return YesNo(CallDevice("Supports3DLUT", [&] { return slots.Supports3DLUT(); })); });
    if (json) {
        context.Out() << InfoJson(facts) << '\n';
        return kExitSuccess;
    }
    TextTable table({facts.front().label, facts.front().value});
    for (size_t i = 1; i < facts.size(); ++i) {
        const InfoFact& fact = facts[i];
        table.AddRow({fact.label, fact.unavailable ? "unavailable (" + *fact.unavailable + ")" : fact.value});
    }
    table.Print(context.Out());
    return kExitSuccess;
}

int RunEdid(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 0, 0);
    const EdidBlock edid = context.ConnectedDevice().ReadEdid();
    context.Out() << "EDID (128 bytes)\n" << EdidHexDump(edid, "  ");
    PrintEdidFacts(context.Out(), DecodeEdid(edid));
    return kExitSuccess;
}

int RunCapabilities(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 0, 0);
    const bool json = line.HasFlag("--json");
    if (json) RequireJson();
    const std::string capabilities = context.ConnectedDevice().CapabilityString();
    std::ostream& out = context.Out();
    if (json) {
        out << CapabilitiesJson(capabilities, ParseCapabilityView(capabilities)) << '\n';
        return kExitSuccess;
    }
    if (line.HasFlag("--raw")) {
        out << capabilities << '\n';
        return kExitSuccess;
    }
    out << "Capability string (" << capabilities.size() << " characters)\n  " << capabilities << '\n';
    PrintParsedCapabilities(out, ParseCapabilityView(capabilities));
    return kExitSuccess;
}
