#include "SimulationFiles.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#include <shlobj.h>
#endif

namespace {
constexpr const char* kDescriptionFile = "MonitorSimulation.txt";
constexpr const char* kControlsFile = "MonitorSimulationControls.txt";
constexpr const char* kFiles[] = {kDescriptionFile, kControlsFile};

#if defined(_WIN32)
std::filesystem::path ApplicationDataFolder()
{
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
    return std::filesystem::path(folder);
}
#else
std::filesystem::path ApplicationDataFolder()
{
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) return config;
    if (const char* home = std::getenv("HOME"); home && *home) return std::filesystem::path(home) / ".config";
    return {};
}
#endif
}  // namespace

ScopedSimulationFiles::ScopedSimulationFiles(const std::string& description)
{
    Lock();
    const std::filesystem::path applicationData = ApplicationDataFolder();
    if (applicationData.empty()) {
        fProblem = "no application-data folder";
        return;
    }
    fFolder = applicationData / "Ovelin";
    std::error_code error;
    std::filesystem::create_directories(fFolder, error);
    for (const char* name : kFiles) {
        std::error_code ignored;
        std::filesystem::rename(fFolder / name, Saved(name), ignored);
    }
    std::ofstream out(fFolder / kDescriptionFile, std::ios::binary);
    out << description;
    if (!out.flush()) fProblem = "cannot write " + (fFolder / kDescriptionFile).string();
}

ScopedSimulationFiles::~ScopedSimulationFiles()
{
    if (!fFolder.empty()) {
        for (const char* name : kFiles) {
            std::error_code ignored;
            std::filesystem::remove(fFolder / name, ignored);
            std::filesystem::rename(Saved(name), fFolder / name, ignored);
        }
    }
    Unlock();
}

std::string ScopedSimulationFiles::Controls() const
{
    std::ifstream in(fFolder / kControlsFile, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path ScopedSimulationFiles::Saved(const char* name) const
{
    return fFolder / (std::string(name) + ".conformance-saved");
}

#if defined(_WIN32)
// The lock the unit tests take for the same folder.
void ScopedSimulationFiles::Lock()
{
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\OvMakerFolderTests");
    if (mutex) WaitForSingleObject(mutex, INFINITE);
    fLock = mutex;
}

void ScopedSimulationFiles::Unlock()
{
    if (!fLock) return;
    ReleaseMutex(static_cast<HANDLE>(fLock));
    CloseHandle(static_cast<HANDLE>(fLock));
}
#else
// The test run gives the host a folder of its own through $XDG_CONFIG_HOME.
void ScopedSimulationFiles::Lock() {}
void ScopedSimulationFiles::Unlock() {}
#endif
