#include "Catalogue/VcpCatalogue.h"

#include <algorithm>
#include <cctype>

#include "OvDevices/OvVCPNames.h"

namespace {

constexpr size_t kPrefixLength = 9;  // "VCP_0010_"

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

}  // namespace

const std::vector<VcpCatalogueEntry>& VcpCatalogue()
{
    static const std::vector<VcpCatalogueEntry> catalogue = [] {
        std::vector<VcpCatalogueEntry> entries;
        for (const OvVCPName& name : VCPNameTable()) entries.push_back({name.id, name.name});
        return entries;
    }();
    return catalogue;
}

std::string VcpName(uint16_t id)
{
    const OvString name = VCPName(id);
    return std::string(name.Chars(), static_cast<size_t>(name.Length()));
}

std::vector<VcpCatalogueEntry> FindVcpByName(std::string_view text)
{
    std::vector<VcpCatalogueEntry> found;
    for (const VcpCatalogueEntry& entry : VcpCatalogue()) {
        const std::string_view suffix = entry.name.size() > kPrefixLength ? entry.name.substr(kPrefixLength) : "";
        if (SameIgnoringCase(entry.name, text) || SameIgnoringCase(suffix, text)) found.push_back(entry);
    }
    return found;
}
