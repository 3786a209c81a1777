#include "Ovio/OvFileTypes.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace {

constexpr uint32_t kOvelin = OvFourCharCode("Ovln");
constexpr uint32_t kColorSync = OvFourCharCode("sync");
constexpr uint32_t kPreview = OvFourCharCode("prvw");
constexpr uint32_t kTextEdit = OvFourCharCode("ttxt");
constexpr uint32_t kText = OvFourCharCode("TEXT");

constexpr std::array<OvFileTypeEntry, 48> kFileTypes{{
    {"3dl", OvFourCharCode("3DLT"), kOvelin},
    {"ai", OvFourCharCode("PDF "), OvFourCharCode("ART5")},
    {"bin", OvFourCharCode("BINA"), kOvelin},
    {"bmp", OvFourCharCode("BMPf"), kPreview},
    {"cal", OvFourCharCode("CALB"), kOvelin},
    {"cgats", kText, kOvelin},
    {"csv", kText, OvFourCharCode("XCEL")},
    {"cube", OvFourCharCode("3DLT"), kOvelin},
    {"cxf", kText, kOvelin},
    {"dat", OvFourCharCode("DATA"), kOvelin},
    {"dng", OvFourCharCode("RAW "), kPreview},
    {"doc", OvFourCharCode("W8BN"), OvFourCharCode("MSWD")},
    {"dpx", OvFourCharCode("DPX "), kPreview},
    {"edid", OvFourCharCode("EDID"), kOvelin},
    {"eps", OvFourCharCode("EPSF"), kPreview},
    {"exr", OvFourCharCode("EXR "), kPreview},
    {"gif", OvFourCharCode("GIFf"), kPreview},
    {"hdr", OvFourCharCode("HDR "), kPreview},
    {"hex", kText, kOvelin},
    {"htm", kText, OvFourCharCode("MOSS")},
    {"html", kText, OvFourCharCode("MOSS")},
    {"icc", OvFourCharCode("prof"), kColorSync},
    {"icm", OvFourCharCode("prof"), kColorSync},
    {"ini", kText, kOvelin},
    {"it8", kText, kOvelin},
    {"jpeg", OvFourCharCode("JPEG"), kPreview},
    {"jpg", OvFourCharCode("JPEG"), kPreview},
    {"json", kText, kOvelin},
    {"log", kText, kTextEdit},
    {"lut", OvFourCharCode("LUT "), kOvelin},
    {"pdf", OvFourCharCode("PDF "), OvFourCharCode("CARO")},
    {"png", OvFourCharCode("PNGf"), kPreview},
    {"ps", OvFourCharCode("PS  "), kPreview},
    {"psb", OvFourCharCode("8BPB"), OvFourCharCode("8BIM")},
    {"psd", OvFourCharCode("8BPS"), OvFourCharCode("8BIM")},
    {"raw", OvFourCharCode("RAW "), kPreview},
    {"rtf", OvFourCharCode("RTF "), kTextEdit},
    {"sp", kText, kOvelin},
    {"ti1", kText, kOvelin},
    {"ti2", kText, kOvelin},
    {"ti3", kText, kOvelin},
    {"tif", OvFourCharCode("TIFF"), kPreview},
    {"tiff", OvFourCharCode("TIFF"), kPreview},
    {"txt", kText, kTextEdit},
    {"xls", OvFourCharCode("XLS8"), OvFourCharCode("XCEL")},
    {"xml", kText, kOvelin},
    {"xmp", kText, kOvelin},
    {"zip", OvFourCharCode("ZIP "), kOvelin},
}};

constexpr size_t kLongestExtension = 5;

constexpr bool IsLowerCaseExtension(std::string_view extension)
{
    return !extension.empty() && extension.size() <= kLongestExtension && std::all_of(extension.begin(), extension.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    });
}

constexpr bool IsValidTable()
{
    for (size_t i = 0; i < kFileTypes.size(); ++i) {
        if (!IsLowerCaseExtension(kFileTypes[i].extension)) return false;
        if (i > 0 && std::string_view(kFileTypes[i - 1].extension) >= std::string_view(kFileTypes[i].extension)) return false;
    }
    return true;
}

static_assert(IsValidTable(), "file types: short lower-case extensions, sorted, each once (the look-up relies on it)");

}  // namespace

std::span<const OvFileTypeEntry> OvFileTypeTable() { return kFileTypes; }

const OvFileTypeEntry* OvFindFileType(const char* extension)
{
    if (!extension) return nullptr;
    const std::string_view given(extension);
    if (given.empty() || given.size() > kLongestExtension) return nullptr;
    std::string lower(given);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    const std::string_view key(lower);
    const auto* found = std::lower_bound(kFileTypes.begin(), kFileTypes.end(), key,
                                         [](const OvFileTypeEntry& entry, std::string_view k) { return std::string_view(entry.extension) < k; });
    return found != kFileTypes.end() && key == found->extension ? found : nullptr;
}
