#include "Simulation/SimulationFiles.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <numeric>

#include "Platform/HostEnvironment.h"

namespace {

// The EDID the simulator shows when a description gives none: a digital display whose
// serial-number descriptor (at byte 108) reads "44100983YB".
constexpr const char* kDefaultEdid =
    "00FFFFFFFFFFFF0038A32C6601010101100E0103802B2078EE0555A6554B9B24145054BFEF80315945596159714F814F81808199A9"
    "40483F403062B0324040C01300B0441100001E000000FD0030571E6011000A202020202020000000FC004C43443231383055580A20"
    "2020000000FF00343431303039383359420A202000C7";
constexpr size_t kSerialDigit = 108 + 5 + 7;  // the '3' of "44100983YB"
constexpr int kDesktopWidth = 1920;
constexpr int kDesktopHeight = 1200;
// The controls whose range the starter sets; the simulator's default maximum is 1024.
constexpr const char* kRangedControls[] = {"0010", "0012", "0016", "0018", "001a"};

using EdidBytes = std::array<uint8_t, 128>;

EdidBytes DefaultEdid()
{
    EdidBytes edid{};
    for (size_t i = 0; i < edid.size(); ++i) {
        std::from_chars(kDefaultEdid + 2 * i, kDefaultEdid + 2 * i + 2, edid[i], 16);
    }
    return edid;
}

// The default EDID with the serial text of display n ("44100983YB", "44100984YB", ...).
std::string DisplayEdid(int n)
{
    EdidBytes edid = DefaultEdid();
    edid[kSerialDigit] = static_cast<uint8_t>(edid[kSerialDigit] + n);
    const unsigned sum = std::accumulate(edid.begin(), edid.end() - 1, 0u);
    edid.back() = static_cast<uint8_t>((256 - sum % 256) % 256);
    std::string hex;
    char digits[3];
    for (const uint8_t byte : edid) {
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(byte));
        hex += digits;
    }
    return hex;
}

}  // namespace

std::filesystem::path SimulationFolder()
{
    return ApplicationDataFolder() / "Ovelin";
}

std::string StarterDescription(int count)
{
    std::string text =
        "# Simulated ZEZ displays of the OvZEZSimulatorDevice module (written by \"zezctl sim init\").\n"
        "# DisplayN names the section of simulated display N (0 to 2); its ZEZPort is the port it\n"
        "# answers on. Keys in a section are fixed values: the simulator keeps what it changes in\n"
        "# MonitorSimulationControls.txt beside this file. Missing keys take the simulator's defaults.\n";
    for (int n = 0; n < count; ++n) {
        const std::string section = "ZEZ/Display" + std::to_string(n);
        text += "Display" + std::to_string(n) + " = " + section + "\n";
        text += "Rect" + std::to_string(n) + " = " + section + "/Rect\n";
    }
    text += "ZEZ = \n{\n";
    for (int n = 0; n < count; ++n) {
        text += "\tDisplay" + std::to_string(n) + " = \n\t{\n";
        text += "\t\tZEZPort = " + std::to_string(n) + "\n";
        text += "\t\tRect = " + std::to_string(n * kDesktopWidth) + " 0 " + std::to_string(kDesktopWidth) + " " +
                std::to_string(kDesktopHeight) + "\n";
        text += "\t\tEDID = " + DisplayEdid(n) + "\n";
        for (const char* control : kRangedControls) text += std::string("\t\tVCPMAX_") + control + " = 100\n";
        text += "\t}\n";
    }
    text += "}\n";
    return text;
}
