#pragma once
// Helpers shared by the test binaries: error expectations, file specifications and the
// working folder, besides the temporary folders and environment settings of OvTestFolder.h.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "OvCore/OvError.h"
#include "OvSystem/OvPlatform.h"
#include "Ovio/OvFileSpec.h"
#include "Support/OvTestFolder.h"

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
