#pragma once
// Helpers shared by the test binaries: error expectations, file specifications, temporary
// folders, environment settings and the working folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "OvCore/OvError.h"
#include "OvSystem/OvPlatform.h"
#include "Ovio/OvFileSpec.h"

// Runs statement and expects an OvError with exactly this code and stored name.
#define EXPECT_OV_ERROR(statement, expectedCode, expectedName)                            \
    do {                                                                                  \
        try {                                                                             \
            statement;                                                                    \
            ADD_FAILURE() << "no OvError from " #statement;                               \
        } catch (const OvError& error_) {                                                 \
            EXPECT_EQ(error_.code, (expectedCode));                                       \
            EXPECT_EQ(std::string(error_.name ? error_.name : ""), std::string(expectedName)); \
        }                                                                                 \
    } while (0)

// All bytes of a string: embedded NULs and both bytes of wide units included.
inline std::string OvBytes(const OvString& text)
{
    return std::string(text.Chars(), static_cast<size_t>(text.Length()));
}

// An OvFileSpec of a '/'-separated UTF-8 path, taken as it is.
inline OvFileSpec OvSpec(const std::string& path)
{
    return OvFileSpec(OvString(path.c_str()));
}

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
    void WriteFile(const std::string& below, const std::string& bytes) const { OvWriteBytes(fPath / below, bytes); }
    std::string ReadFile(const std::string& below) const { return OvReadBytes(fPath / below); }
    bool Exists(const std::string& below) const { return std::filesystem::exists(fPath / below); }
    bool IsDirectory(const std::string& below) const { return std::filesystem::is_directory(fPath / below); }

private:
    std::filesystem::path fPath;
};

// Sets (or, with nullopt, removes) an environment variable for a scope.
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
        _putenv_s(fName.c_str(), value ? value->c_str() : "");
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

// Makes folder the working folder for a scope.
class OvScopedWorkingFolder {
public:
    explicit OvScopedWorkingFolder(const std::filesystem::path& folder) : fPrevious(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~OvScopedWorkingFolder() { std::filesystem::current_path(fPrevious); }
    OvScopedWorkingFolder(const OvScopedWorkingFolder&) = delete;
    OvScopedWorkingFolder& operator=(const OvScopedWorkingFolder&) = delete;

private:
    std::filesystem::path fPrevious;
};
