#include "Commands/CommandTable.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "Commands/CommandHandlers.h"
#include "HostError.h"

namespace {

const std::vector<CommandSpec> kCommands = {
    {"detect", "detect", "list the displays with their identity and link",
     "Tries the logical ports 0 to 11 and lists each that connects: model name, serial\n"
     "number, vendor-product id, digital or analogue input, the link (DDC or USB) and the\n"
     "interface behind it (a DRM connector such as card0-DP-1 for a real display on Linux).\n"
     "--json prints one JSON object: {\"displays\": [...]}.\n"
     "Example: zezctl --emulate PA271W,USB:PA311D detect",
     {{"--json", false}}, true, RunDetect},
    {"info", "info", "identify the connected display and what it supports",
     "Port, model, serial number, vendor-product id, input, interface version, screen size,\n"
     "running hours, and whether the display takes a white point and a 3D LUT.\n"
     "--json prints the same facts as one JSON object.\n"
     "Example: zezctl --port 0 info",
     {{"--json", false}}, true, RunInfo},
    {"edid", "edid", "show the display's EDID in hexadecimal and decoded",
     "Reads the 128-byte EDID (ReadEDID) and decodes manufacturer, product code, serial\n"
     "number, date, version, input, size, model name, serial text and checksum.\n"
     "Example: zezctl edid",
     {}, true, RunEdid},
    {"capabilities", "capabilities [--raw]", "show the capability string, raw and parsed",
     "The display's capability string and a parsed view: type, MCCS version, firmware, the\n"
     "VCP codes with their catalogue names and allowed values, and the gamma-table layout.\n"
     "--raw prints the string alone; --json the string and the parsed view as one JSON object.\n"
     "Example: zezctl capabilities --raw",
     {{"--raw", false}, {"--json", false}}, true, RunCapabilities},
    {"getvcp", "getvcp ID... [--terse|--json]", "read VCP controls",
     "ID: a catalogue name (VCP_0010_BRIGHTNESS or its suffix brightness, any letter case),\n"
     "0x-prefixed hexadecimal (0x1051), decimal (16) or hexadecimal page:code (10:51).\n"
     "--terse prints one line a control for scripts: VCP 0x0010 C 70 100, or VCP 0x0003 ERR;\n"
     "--json one JSON object with a list of controls.\n"
     "Example: zezctl getvcp brightness 0x1051",
     {{"--terse", false}, {"--json", false}}, true, RunGetVcp},
    {"setvcp", "setvcp ID [+|-]VALUE", "write a VCP control",
     "Reads the control first and refuses a value above its maximum. VALUE: decimal or\n"
     "0x-prefixed hexadecimal; with + or - (joined or apart) a change of the current value,\n"
     "which stops at 0 and at the maximum.\n"
     "Example: zezctl setvcp brightness 60; zezctl setvcp brightness + 5",
     {}, true, RunSetVcp},
    {"scan", "scan FIRST LAST [--all] [--json]", "read a range of VCP ids and list the supported ones",
     "FIRST and LAST as for getvcp; --all lists the unsupported ids too; --json prints one\n"
     "JSON object.\n"
     "Example: zezctl scan 0x10 0x1A",
     {{"--all", false}, {"--json", false}}, true, RunScan},
    {"brightness", "brightness [LEVEL]", "read or set the brightness",
     "LEVEL: a fraction (0.5) or a percentage (50%) of the control's range.\n"
     "Example: zezctl brightness 60%",
     {}, true, RunBrightness},
    {"contrast", "contrast LEVEL", "set the contrast (the interface has no getter)",
     "LEVEL as for brightness. The device interface cannot read the contrast back; read\n"
     "VCP 0x12 with 'zezctl getvcp contrast'.\n"
     "Example: zezctl contrast 0.5",
     {}, true, RunContrast},
    {"gain", "gain red|green|blue [LEVEL]", "read or set a video gain",
     "LEVEL as for brightness.\n"
     "Example: zezctl gain red 95%",
     {}, true, RunGain},
    {"blacklevel", "blacklevel LEVEL", "set the black level (the interface has no getter)",
     "LEVEL as for brightness. Displays of the PA model group keep it in VCP 0x1054, others\n"
     "in 0x0257.\n"
     "Example: zezctl blacklevel 10%",
     {}, true, RunBlackLevel},
    {"calibrate", "calibrate FILE | --gamma G | --curve srgb|lstar|linear [--no-verify]",
     "load a calibration into the display's gamma table",
     "FILE: a CGATS .cal text (CAL sheet, columns RGB_I RGB_R RGB_G RGB_B, values 0..1) or an\n"
     "ICC profile with a vcgt tag; its curves, read between entries by straight lines, go to\n"
     "SetRGBCalibration as a transform of zezctl. --gamma G (above 0) and --curve (srgb, lstar,\n"
     "linear) use the plug-in's target curves through SetGamma. On the ignore-gain and 19-inch\n"
     "families the table is then read back and compared with what was sent (--no-verify skips\n"
     "it). A bad file is reported and nothing is sent.\n"
     "Example: zezctl calibrate Host/Examples/warm-gamma.cal",
     {{"--gamma", true}, {"--curve", true}, {"--no-verify", false}}, true, RunCalibrate},
    {"curves", "curves [--json] [--plot FILE.svg]", "read the display's gamma table back and show it",
     "Reads the 256-entry table (ReadGammaTable, then GetCurves) and shows per channel the\n"
     "minimum, maximum, the entries at inputs 0, 64, 128, 192 and 255 and the largest distance\n"
     "from the 10-bit identity. --json prints it with all entries; --plot writes an SVG plot.\n"
     "Example: zezctl curves --plot curves.svg",
     {{"--json", false}, {"--plot", true}}, true, RunCurves},
    {"prepare", "prepare [LEVEL]", "prepare the display for measurement",
     "InitCalibrationMode with the brightness LEVEL (a fraction or percentage; default 100%):\n"
     "picture mode, gains, contrast and the family's measurement set-up.\n"
     "Example: zezctl prepare 80%",
     {}, true, RunPrepare},
    {"whitepoint", "whitepoint R G B", "set the white point",
     "SetWhitePoint with the red, green and blue fractions (0 to 1, or percentages).\n"
     "Example: zezctl whitepoint 1 0.95 0.9",
     {}, true, RunWhitePoint},
    {"lut3d", "lut3d FILE | --identity | --swap-red-green | --enable | --disable",
     "load or switch the display's 3D LUT",
     "FILE: a .cube or another LUT format OpenColorIO reads, applied with tetrahedral\n"
     "interpolation and sampled by the plug-in on the display's grid (Set3DLUT). --identity\n"
     "and --swap-red-green run the commands Init3DLUT and Swap3DLUT; --enable and --disable\n"
     "Enable3DLUT 1 and 0. Displays outside the 3D LUT model group are refused.\n"
     "Example: zezctl --emulate PA271W lut3d grade.cube",
     {{"--identity", false}, {"--swap-red-green", false}, {"--enable", false}, {"--disable", false}}, true, RunLut3d},
    {"command", "command NAME [ARG]", "run a text command of the device and print its answer",
     "NAME is matched exactly (Version, LastError, GetVCP, TestVCPCodes, GetLegalPortList,\n"
     "...); ARG is one text, quoted when it holds blanks. Runs without a display when none\n"
     "connects.\n"
     "Example: zezctl command GetVCP 0x1051",
     {}, true, RunTextCommand},
    {"sim", "sim init|show", "write a starter simulation file, or show the simulation files",
     "sim init [--displays N] [--force]: writes a starter MonitorSimulation.txt with N\n"
     "(1 to 3, default 1) simulated displays on ports 0 to N-1 into the application-data\n"
     "folder, never over an existing file without --force.\n"
     "sim show: prints both simulation files, with what the simulator stored.\n"
     "Example: zezctl sim init --displays 2 && zezctl --sim detect",
     {{"--displays", true}, {"--force", false}}, false, RunSimulation},
    {"demo", "demo", "detect, identify and change the brightness, then restore it",
     "Example: zezctl --emulate PA271W demo",
     {}, true, RunDemo},
    {"help", "help [COMMAND]", "show the help of zezctl or of one command", "", {}, false, RunHelp},
};

}  // namespace

const std::vector<CommandSpec>& CommandTable()
{
    return kCommands;
}

const CommandSpec* FindCommand(std::string_view name)
{
    const auto found = std::ranges::find(kCommands, name, &CommandSpec::name);
    return found == kCommands.end() ? nullptr : &*found;
}

std::optional<std::vector<FlagSpec>> CommandFlags(std::string_view name)
{
    const CommandSpec* command = FindCommand(name);
    if (command == nullptr) return std::nullopt;
    return command->flags;
}

void PrintUsage(std::ostream& out)
{
    out << "usage: zezctl [OPTIONS] COMMAND [ARGUMENTS]\n"
           "\n"
           "Drives ZEZ displays through the OvROVUvided plug-in, as a colour-management host does.\n"
           "\n"
           "Options:\n"
           "  --sim                 use the simulated display (module OvZEZSimulatorDevice)\n"
           "  --port N              logical port of the display (default 0)\n"
           "  --display ID          display id; the plug-in falls back to other ports\n"
           "  --plugin PATH         the plug-in file (default: beside zezctl)\n"
           "  --log FILE|-          write the plug-in's log to FILE or the standard error\n"
           "  --emulate MODEL,...   emulated displays (PA271W, PA322UHD, PA311D, USB:PA311D,\n"
           "                        SV241C, V193A) instead of the machine's\n"
           "  --stats               after the command, the DDC/CI traffic per display\n"
           "  --help, -h            this text; after a command, the command's help\n"
           "\n"
           "Commands:\n";
    size_t width = 0;
    for (const CommandSpec& command : kCommands) width = std::max(width, command.synopsis.size());
    for (const CommandSpec& command : kCommands) {
        out << "  " << command.synopsis << std::string(width - command.synopsis.size() + 2, ' ') << command.summary
            << '\n';
    }
    out << "\nExit status: 0 success, 1 the operation failed, 2 the command line is wrong.\n";
}

void PrintCommandHelp(std::ostream& out, const CommandSpec& command)
{
    std::string summary(command.summary);
    if (!summary.empty()) summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
    out << "usage: zezctl [OPTIONS] " << command.synopsis << "\n\n" << summary << ".\n";
    if (!command.details.empty()) out << command.details << '\n';
}

void ExpectArguments(const CommandLine& line, size_t minimum, size_t maximum)
{
    const size_t count = line.arguments.size();
    if (count >= minimum && count <= maximum) return;
    const CommandSpec* command = FindCommand(line.command);
    const std::string synopsis = command ? std::string(command->synopsis) : line.command;
    throw UsageError(std::string(count < minimum ? "missing" : "too many") + " arguments: usage: zezctl " + synopsis);
}
