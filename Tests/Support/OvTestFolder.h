#pragma once
// Files, temporary folders and environment settings for tests and benchmarks. Needs neither
// GoogleTest nor the framework's classes, so zezctl's tests, which declare classes of the
// same names, and the benchmarks use it too.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>

#include "OvSystem/OvPlatform.h"

// A file's bytes as they are; empty when it cannot be read.
inline std::string OvReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void OvWriteBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

// A fresh folder below the system's temporary folder ($TMPDIR), removed with its contents.
class OvTestFolder {
public:
    OvTestFolder()
    {
        std::random_device random;
        do {
            fPath = std::filesystem::temp_directory_path() / ("OvTest-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(fPath));
    }
    ~OvTestFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(fPath, ignored);
    }
    OvTestFolder(const OvTestFolder&) = delete;
    OvTestFolder& operator=(const OvTestFolder&) = delete;

    // '/'-separated UTF-8, as the framework writes paths; Path("a/b") names an entry below.
    std::string Path(const std::string& below = "") const
    {
        const std::u8string text = (below.empty() ? fPath : fPath / below).generic_u8string();
        return std::string(text.begin(), text.end());
    }
    // The folder as the standard library names it.
    const std::filesystem::path& Folder() const { return fPath; }
    void WriteFile(const std::string& below, const std::string& bytes) const { OvWriteBytes(fPath / below, bytes); }
    std::string ReadFile(const std::string& below) const { return OvReadBytes(fPath / below); }
    bool Exists(const std::string& below) const { return std::filesystem::exists(fPath / below); }
    bool IsDirectory(const std::string& below) const { return std::filesystem::is_directory(fPath / below); }

private:
    std::filesystem::path fPath;
};

// Sets (or, with nullopt, removes) an environment variable for a scope, for this process
// and the programs it starts meanwhile.
class OvScopedEnvironment {
public:
    OvScopedEnvironment(const char* name, const std::optional<std::string>& value) : fName(name)
    {
        if (const char* previous = std::getenv(name)) fPrevious = previous;
        Set(value);
    }
    ~OvScopedEnvironment() { Set(fPrevious); }
    OvScopedEnvironment(const OvScopedEnvironment&) = delete;
    OvScopedEnvironment& operator=(const OvScopedEnvironment&) = delete;

private:
    void Set(const std::optional<std::string>& value) const
    {
#if defined(_WIN32)
        _putenv_s(fName.c_str(), value ? value->c_str() : "");  // an empty value removes it
#else
        if (value)
            setenv(fName.c_str(), value->c_str(), 1);
        else
            unsetenv(fName.c_str());
#endif
    }

    std::string fName;
    std::optional<std::string> fPrevious;
};

// The well-known folders (application data, documents, colour directory, ...) moved below a
// fresh temporary folder for a scope, on every platform and for the programs started
// meanwhile, so no test touches the user's own.
class OvScopedTestFolders {
public:
    // The application-data folder as the framework and zezctl now find it (created on
    // demand by them).
    std::filesystem::path AppData() const { return fRoot.Folder() / OvPlatform::kTestAppDataSubfolder; }

private:
    OvTestFolder fRoot;
    // In the system's own form, so paths built below it by a program match AppData().
    OvScopedEnvironment fOverride{OvPlatform::kTestFoldersVariable, fRoot.Folder().string()};
};
