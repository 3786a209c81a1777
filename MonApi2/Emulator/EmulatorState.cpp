#include "MonApi2/Emulator/EmulatorState.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace OvEmulator {
namespace {

constexpr size_t kGammaLineEntries = kMaxTableChunk;

void WriteLut(std::ostream& out, const char* keyword, const std::vector<LutPoint>& points)
{
    for (size_t i = 0; i < points.size(); ++i) {
        if (points[i] == LutPoint{}) continue;  // the memory starts at zero
        out << keyword << ' ' << i << ' ' << points[i][0] << ' ' << points[i][1] << ' ' << points[i][2] << '\n';
    }
}

bool ReadWord16(std::istream& in, uint16_t& value, std::ios_base& (*base)(std::ios_base&) = std::dec)
{
    unsigned long number = 0;
    if (!(in >> base >> number) || number > 0xFFFF) return false;
    value = static_cast<uint16_t>(number);
    return true;
}

void RestoreLutPoint(LutMemory& lut, LutMemory::Target target, std::istream& in)
{
    size_t index = 0;
    LutPoint point{};
    const size_t n = lut.GridSize();
    if (n == 0 || !(in >> index) || index >= n * n * n) return;
    if (!ReadWord16(in, point[0]) || !ReadWord16(in, point[1]) || !ReadWord16(in, point[2])) return;
    lut.Write(target, static_cast<uint8_t>(index % n), static_cast<uint8_t>(index / n % n),
              static_cast<uint8_t>(index / n / n), std::span(&point, 1));
}

}  // namespace

std::string StateText(DisplayController& controller)
{
    std::ostringstream out;
    out << "# an emulated display's state: VCP values, gamma-table memory, 3D LUT memory\n";
    for (const auto& [id, value] : controller.Vcps().Values()) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%04X", id);
        out << "vcp " << hex << ' ' << value.current << '\n';
    }
    const std::vector<uint16_t>& entries = controller.GammaTable().Entries();
    for (size_t address = 0; address < entries.size(); address += kGammaLineEntries) {
        const size_t end = std::min(entries.size(), address + kGammaLineEntries);
        if (std::all_of(entries.begin() + static_cast<std::ptrdiff_t>(address),
                        entries.begin() + static_cast<std::ptrdiff_t>(end), [](uint16_t v) { return v == 0; }))
            continue;
        out << "gamma " << address;
        for (size_t i = address; i < end; ++i) out << ' ' << entries[i];
        out << '\n';
    }
    WriteLut(out, "lut", controller.Lut().Table());
    WriteLut(out, "lutram", controller.Lut().Ram());
    return out.str();
}

void RestoreState(DisplayController& controller, std::string_view text)
{
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        std::istringstream in(line);
        std::string keyword;
        in >> keyword;
        if (keyword == "vcp") {
            uint16_t id = 0;
            uint16_t current = 0;
            VcpValue* value = nullptr;
            if (ReadWord16(in, id, std::hex) && ReadWord16(in, current) && (value = controller.Vcps().Find(id)))
                value->current = current;
        } else if (keyword == "gamma") {
            uint16_t address = 0;
            std::vector<uint16_t> values;
            if (!ReadWord16(in, address)) continue;
            for (uint16_t v = 0; values.size() < kGammaLineEntries && ReadWord16(in, v);) values.push_back(v);
            controller.GammaTable().Write(address, values);
        } else if (keyword == "lut" || keyword == "lutram") {
            RestoreLutPoint(controller.Lut(), keyword == "lut" ? LutMemory::Target::kTable : LutMemory::Target::kRam, in);
        }
    }
}

std::optional<std::string> ReadStateFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WriteStateFile(const std::filesystem::path& file, const std::string& text)
{
    std::filesystem::path beside = file;
    beside += ".new";
    {
        std::ofstream out(beside, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) return false;
    }
    std::error_code error;
    std::filesystem::rename(beside, file, error);
    if (error) {
        // Some systems do not rename over an existing file: the old state goes first.
        std::filesystem::remove(file, error);
        std::filesystem::rename(beside, file, error);
    }
    return !error;
}

}  // namespace OvEmulator
