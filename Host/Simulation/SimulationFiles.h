#pragma once
// The simulated displays' files as the user sees them: where they live and a starter
// description that the simulator module can work with at once.
#include <filesystem>
#include <string>

// "MonitorSimulation.txt": the description, written by the user (or by sim init).
constexpr const char* kDescriptionFileName = "MonitorSimulation.txt";
// "MonitorSimulationControls.txt": the values the simulator changed.
constexpr const char* kControlsFileName = "MonitorSimulationControls.txt";
// The simulated displays a description can hold.
constexpr int kMaxSimulatedDisplays = 3;

// The folder "Ovelin" in the user's application-data folder.
std::filesystem::path SimulationFolder();

// A description of displays 0 to count-1 on the ZEZ ports of the same numbers, in the
// framework's key/value text format: each with its own EDID (the simulator's default one
// with its own serial text), a desktop rectangle and 0 to 100 ranges for the controls.
std::string StarterDescription(int count);
