#pragma once
// Which emulated displays the library offers: the texts of OV_MONAPI2_EMULATE (model
// names, each optionally prefixed "DDC:" or "USB:", separated by commas) and
// OV_MONAPI2_EMULATE_WAIT_SCALE (a factor on the minimum reply delay) turned into a
// list of choices and the problems found on the way.
#include <string>
#include <string_view>
#include <vector>

#include "MonApi2/Emulator/EmulatedBus.h"
#include "MonApi2/Emulator/EmulatedModel.h"

namespace MonApi2 {

struct EmulationChoice {
    const OvEmulator::EmulatedModel* model;
    OvEmulator::Link link;
};

struct EmulationSelection {
    std::vector<EmulationChoice> displays;
    double waitScale = 1.0;
    // OV_MONAPI2_EMULATE_STATE: the folder where the displays keep their state between
    // runs; empty: each run starts from the models' values.
    std::string stateFolder;
    std::vector<std::string> problems;  // one line each, for stderr
};

EmulationSelection ParseEmulationSelection(std::string_view models, std::string_view waitScale);

}  // namespace MonApi2
