#include "Cli/Formatting.h"

#include <cstdio>

#include "Catalogue/VcpCatalogue.h"

std::string Hex(uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
    return text;
}

std::string OrDash(const std::string& text)
{
    return text.empty() ? "-" : text;
}

std::string Percent(double fraction)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", fraction * 100.0);
    return text;
}

std::string VcpLabel(uint16_t id)
{
    const std::string name = VcpName(id);
    if (name.rfind("VCP 0x", 0) == 0) return name;
    return name + " (" + Hex(id, 4) + ")";
}
