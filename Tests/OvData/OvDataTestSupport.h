#pragma once
// Helpers shared by the key/value database tests (error expectations and temporary
// folders come from the system-layer test helpers).
#include <string>

#include "OvCore/OvString.h"
#include "Support/OvTestSupport.h"

inline OvString Text(const std::string& bytes)
{
    return OvString(bytes.data(), static_cast<int32_t>(bytes.size()));
}
