#pragma once
// The simulation files where the plug-in looks for them: "MonitorSimulation.txt" and
// "MonitorSimulationControls.txt" in the folder "Ovelin" of the user's application-data
// folder. The checks write them only below the test folders that OV_TEST_FOLDERS names,
// where that folder is the subfolder "AppData", never into the user's own.
#include <filesystem>
#include <string>

class ScopedSimulationFiles {
public:
    // Writes description as the description file; the controls file starts absent.
    explicit ScopedSimulationFiles(const std::string& description);
    ~ScopedSimulationFiles();
    ScopedSimulationFiles(const ScopedSimulationFiles&) = delete;
    ScopedSimulationFiles& operator=(const ScopedSimulationFiles&) = delete;

    // False when the folder could not be found or written; Problem() says why.
    bool IsReady() const { return fProblem.empty(); }
    const std::string& Problem() const { return fProblem; }
    // The text of the controls file ("" while it does not exist).
    std::string Controls() const;

private:
    std::filesystem::path fFolder;
    std::string fProblem;
};
