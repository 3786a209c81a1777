#pragma once
// Helpers shared by the key/value database tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include "OvCore/OvError.h"
#include "OvCore/OvString.h"

inline std::string Bytes(const OvString& text)
{
    return std::string(text.Chars(), static_cast<size_t>(text.Length()));
}

inline OvString Text(const std::string& bytes)
{
    return OvString(bytes.data(), static_cast<int32_t>(bytes.size()));
}

// Runs action and checks that it raises an OvError with exactly this code and name.
template <class Action>
void ExpectError(Action action, int32_t code, const std::string& name)
{
    try {
        action();
        ADD_FAILURE() << "no error raised, expected " << name;
    } catch (const OvError& error) {
        EXPECT_EQ(error.code, code);
        EXPECT_EQ(std::string(error.name ? error.name : ""), name);
    }
}

// A fresh folder below the system's temporary directory, removed with its content.
class OvScopedTempFolder {
public:
    OvScopedTempFolder()
    {
        std::random_device seed;
        fPath = std::filesystem::temp_directory_path() / ("OvDataTests-" + std::to_string(seed()));
        std::filesystem::create_directories(fPath);
    }
    ~OvScopedTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(fPath, ignored);
    }
    OvScopedTempFolder(const OvScopedTempFolder&) = delete;
    OvScopedTempFolder& operator=(const OvScopedTempFolder&) = delete;

    // The '/'-separated path of a file in the folder.
    std::string File(const std::string& name) const { return (fPath / name).generic_string(); }

private:
    std::filesystem::path fPath;
};
