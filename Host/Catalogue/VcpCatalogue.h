#pragma once
// The VCP catalogue of the framework's data library in the host's own terms: names by id
// and ids by name. A VCP id is page * 256 + code.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Catalogue/CatalogueExport.h"

struct VcpCatalogueEntry {
    uint16_t id;
    std::string_view name;  // "VCP_0010_BRIGHTNESS"
};

// The whole catalogue, sorted by id.
ZEZCTL_CATALOGUE_API const std::vector<VcpCatalogueEntry>& VcpCatalogue();

// The catalogue name of an id, or "VCP 0x%04X" for an id that has none.
ZEZCTL_CATALOGUE_API std::string VcpName(uint16_t id);

// The entries whose full name ("VCP_0010_BRIGHTNESS") or name without the "VCP_XXXX_"
// prefix ("brightness") equals the text, ignoring letter case. Several when a suffix is
// shared by ids on different pages.
ZEZCTL_CATALOGUE_API std::vector<VcpCatalogueEntry> FindVcpByName(std::string_view text);
