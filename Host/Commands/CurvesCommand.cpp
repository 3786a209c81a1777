// curves: the display's table read back (ReadGammaTable, then the table image through
// "GetCurves"), shown as a summary per channel, as JSON, or plotted into an SVG file.
#include <fstream>

#include "Calibration/CurvePlot.h"
#include "Catalogue/CalibrationFamily.h"
#include "Cli/Formatting.h"
#include "Cli/TextTable.h"
#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"
#include "Commands/JsonViews.h"

namespace {

void PrintSummary(std::ostream& out, const CurvesReport& report)
{
    out << "Gamma table of the " << report.identity.modelName << " on port " << report.identity.port << " ("
        << report.family << " family): 256 entries a channel, against the 10-bit identity\n";
    std::vector<std::string> header = {"Channel", "Min", "Max"};
    // Appended, not "@" + text: GCC 12 warns falsely (-Wrestrict) about the latter at -O3.
    for (const int32_t input : kSummaryInputs) header.push_back(std::string("@").append(std::to_string(input)));
    header.push_back("From identity");
    TextTable table(std::move(header));
    for (size_t c = 0; c < 3; ++c) {
        const ChannelSummary summary = Summarize(report.image.channels[c]);
        std::vector<std::string> row = {kChannelNames[c], std::to_string(summary.minimum), std::to_string(summary.maximum)};
        for (const uint16_t sample : summary.samples) row.push_back(std::to_string(sample));
        row.push_back(summary.identityDistance == 0 ? "0"
                                                    : std::to_string(summary.identityDistance) + " at " +
                                                          std::to_string(summary.identityDistanceAt));
        table.AddRow(std::move(row));
    }
    table.Print(out);
}

void WritePlot(const std::string& file, const CurvesReport& report)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << CurvePlotSvg(report.image, "Gamma table: " + report.identity.modelName + " on port " +
                                          std::to_string(report.identity.port));
    out.close();
    if (!out) throw HostError("cannot write the plot to " + file);
}

}  // namespace

int RunCurves(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 0, 0);
    const bool json = line.HasFlag("--json");
    if (json) RequireJson();
    DisplayDevice& device = context.ConnectedDevice();
    CurvesReport report;
    report.identity = device.Identity();
    const CalibrationFamily family = CalibrationFamilyOf(report.identity.vendorProductId);
    report.family = CalibrationFamilyName(family);
    report.classicLayout = KeepsClassicTableLayout(family);
    device.ReadGammaTable();
    report.image = device.TableImage();
    if (!report.classicLayout)
        context.Notes() << "note: the " << report.family
                        << " family keeps its table elsewhere; these are the first 768 entries of its table memory\n";
    if (json) context.Out() << CurvesJson(report) << '\n';
    else PrintSummary(context.Out(), report);
    if (line.HasFlag("--plot")) {
        WritePlot(line.flags.at("--plot"), report);
        context.Notes() << "plot written to " << line.flags.at("--plot") << '\n';
    }
    return kExitSuccess;
}
