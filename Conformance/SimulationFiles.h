#pragma once
// The simulation files where the plug-in looks for them: "MonitorSimulation.txt" and
// "MonitorSimulationControls.txt" in the folder "Ovelin" of the user's application-data
// folder. That folder is $XDG_CONFIG_HOME (else $HOME/.config) on POSIX systems and the
// shell's application-data folder on Windows, which offers no override: there, files
// already in place are put aside for the scope and a named lock keeps the unit tests,
// which use the same folder, out meanwhile.
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
    std::filesystem::path Saved(const char* name) const;
    void Lock();
    void Unlock();

    std::filesystem::path fFolder;
    std::string fProblem;
    void* fLock = nullptr;
};
