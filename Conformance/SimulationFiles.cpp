#include "SimulationFiles.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {
constexpr const char* kDescriptionFile = "MonitorSimulation.txt";
constexpr const char* kControlsFile = "MonitorSimulationControls.txt";
constexpr const char* kFiles[] = {kDescriptionFile, kControlsFile};
}  // namespace

ScopedSimulationFiles::ScopedSimulationFiles(const std::string& description)
{
    const char* tests = std::getenv("OV_TEST_FOLDERS");
    if (!tests || !*tests) {
        fProblem = "OV_TEST_FOLDERS names no folder for the simulation files";
        return;
    }
    fFolder = std::filesystem::path(tests) / "AppData" / "Ovelin";
    std::error_code error;
    std::filesystem::create_directories(fFolder, error);
    std::filesystem::remove(fFolder / kControlsFile, error);
    std::ofstream out(fFolder / kDescriptionFile, std::ios::binary);
    out << description;
    if (!out.flush()) fProblem = "cannot write " + (fFolder / kDescriptionFile).string();
}

ScopedSimulationFiles::~ScopedSimulationFiles()
{
    if (fFolder.empty()) return;
    for (const char* name : kFiles) {
        std::error_code ignored;
        std::filesystem::remove(fFolder / name, ignored);
    }
}

std::string ScopedSimulationFiles::Controls() const
{
    std::ifstream in(fFolder / kControlsFile, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
