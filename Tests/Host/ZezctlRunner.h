#pragma once
// Runs the built zezctl as a subprocess and captures what it prints, as a user's shell
// would see it. Emulated displays answer at once (reply delays scaled to 0).
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct ZezctlResult {
    int status = -1;  // the exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;

    std::vector<std::string> OutLines() const;
    // The lines of the standard error that report an error ("error: ...").
    std::vector<std::string> ErrorLines() const;
};

// arguments as a shell line: quote arguments holding blanks. program: the built zezctl,
// or a copy of it elsewhere.
ZezctlResult RunZezctl(const std::string& arguments, const std::filesystem::path& program = ZEZCTL_PATH);

// Sets an environment variable for the scope (and the programs run in it).
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string fName;
    std::optional<std::string> fPrevious;
};

// A fresh, empty folder removed at the end of the scope.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& Path() const { return fPath; }

private:
    std::filesystem::path fPath;
};
