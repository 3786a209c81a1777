#pragma once
// Which backends the library runs, from its environment:
//   OV_MONAPI2_EMULATE set (even to nothing): the emulated displays it names, and no
//     real ones, so tests and demos never reach the machine's displays;
//   otherwise, on Linux: the machine's real displays through /dev/i2c-*, found under
//     OV_MONAPI2_SYSFS_ROOT (default /sys; another root replays a copied sysfs tree).
// Elsewhere without emulation there are no backends and so no interfaces.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MonApi2/Backend.h"

namespace MonApi2 {

// The value of an environment variable; nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

std::vector<std::unique_ptr<Backend>> SelectBackends(const EnvironmentLookup& environment, const ProblemReport& report);

}  // namespace MonApi2
