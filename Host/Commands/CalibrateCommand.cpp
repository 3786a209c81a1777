// calibrate: loads a calibration into the display's table, either curves from a file (a
// CGATS .cal text or an ICC profile's vcgt tag) as a transform of this host through
// SetRGBCalibration, or one of the plug-in's target curves through SetGamma. Where the
// family's table can be read back, what the display holds is compared with what was sent.
#include <optional>

#include "Calibration/CalibrationFile.h"
#include "Catalogue/CalibrationFamily.h"
#include "Cli/ProgressDisplay.h"
#include "Cli/ValueParsing.h"
#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"
#include "Plugin/DeviceCall.h"

namespace {

// The plug-in's one-parameter target curves by name: positive values are gamma
// exponents; -2 is the CIE lightness curve, -4 the sRGB decoding curve.
struct NamedCurve {
    std::string_view name;
    double parameter;
};
constexpr NamedCurve kNamedCurves[] = {{"srgb", -4.0}, {"lstar", -2.0}, {"linear", 1.0}};
constexpr double kLargestGamma = 10.0;

double NamedCurveParameter(std::string_view name)
{
    for (const NamedCurve& curve : kNamedCurves) {
        if (curve.name == name) return curve.parameter;
    }
    throw UsageError("unknown curve '" + std::string(name) + "': give srgb, lstar or linear");
}

// What calibrate loads: curves from a file, or a target curve parameter.
struct CalibrationSource {
    std::optional<CalibrationCurves> curves;
    double gamma = 0.0;
    std::string description;
};

CalibrationSource ChooseSource(const CommandLine& line)
{
    ExpectArguments(line, 0, 1);
    const int given = static_cast<int>(line.arguments.size()) + line.HasFlag("--gamma") + line.HasFlag("--curve");
    if (given != 1) throw UsageError("give one of FILE, --gamma G or --curve srgb|lstar|linear");
    CalibrationSource source;
    if (line.HasFlag("--gamma")) {
        const std::string& text = line.flags.at("--gamma");
        source.gamma = ParsePositiveNumber(text, kLargestGamma, "gamma");
        source.description = "gamma " + text;
    } else if (line.HasFlag("--curve")) {
        const std::string& name = line.flags.at("--curve");
        source.gamma = NamedCurveParameter(name);
        source.description = "the " + name + " curve";
    } else {
        // Read and checked before the display is touched: a bad file sends nothing.
        source.curves = ReadCalibrationFile(line.arguments.front());
        source.description = line.arguments.front() + " (" +
                             std::to_string(source.curves->channels[0].size()) + " entries a channel)";
    }
    return source;
}

void Load(HostContext& context, DisplayDevice& device, const CalibrationSource& source)
{
    OvROVUvided& slots = device.Slots();
    ProgressDisplay progress(context.Notes(), "calibrate", StandardErrorIsTerminal());
    if (source.curves) {
        const TransformHandle transform = MakeHostTransform(CurvesOnByteScale(*source.curves));
        CallDevice("SetRGBCalibration", [&] { slots.SetRGBCalibration(transform.get(), &progress); });
    } else {
        CallDevice("SetGamma", [&] { slots.SetGamma(source.gamma, &progress); });
    }
    progress.Finish();
}

// Compares the table the device sent (its table image) with the display's after a read-back.
int Verify(HostContext& context, DisplayDevice& device, CalibrationFamily family)
{
    if (!KeepsClassicTableLayout(family)) {
        context.Out() << "verification: not available for the " << CalibrationFamilyName(family)
                      << " family (its table is not kept in the 256-entry layout the read-back uses)\n";
        return kExitSuccess;
    }
    const GammaTableImage sent = device.TableImage();
    device.ReadGammaTable();
    const int32_t difference = LargestDifference(sent, device.TableImage());
    if (difference != 0)
        throw HostError("verification failed: the display's table differs from what was sent by up to " +
                        std::to_string(difference));
    context.Out() << "verified: the display holds the table sent (3 x 256 entries read back, largest difference 0)\n";
    return kExitSuccess;
}

}  // namespace

int RunCalibrate(HostContext& context, const CommandLine& line)
{
    const CalibrationSource source = ChooseSource(line);
    DisplayDevice& device = context.ConnectedDevice();
    const DisplayIdentity identity = device.Identity();
    const CalibrationFamily family = CalibrationFamilyOf(identity.vendorProductId);
    Load(context, device, source);
    context.Out() << "loaded " << source.description << " into the " << identity.modelName << " on port "
                  << identity.port << " (" << CalibrationFamilyName(family) << " family)\n";
    if (line.HasFlag("--no-verify")) return kExitSuccess;
    return Verify(context, device, family);
}
