#pragma once
// Files of a folder that tests of several processes share, made the test's own for its
// duration: a named lock that all test processes take, and the files already there moved
// aside and put back afterwards. For the per-user application-data folder on Windows,
// which the shell names and a test cannot redirect (elsewhere each test gets a temporary
// folder instead, through $XDG_CONFIG_HOME).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef CreateDirectory
#undef LoadLibrary
#undef ReplaceFile

class OvScopedFolderFiles {
public:
    OvScopedFolderFiles(std::filesystem::path folder, std::vector<std::string> names)
        : fFolder(std::move(folder)), fNames(std::move(names))
    {
        fMutex = CreateMutexW(nullptr, FALSE, L"Local\\OvMakerFolderTests");
        EXPECT_NE(fMutex, nullptr);
        if (fMutex) WaitForSingleObject(fMutex, INFINITE);
        std::error_code ignored;
        std::filesystem::create_directories(fFolder, ignored);
        for (const std::string& name : fNames) std::filesystem::rename(fFolder / name, Saved(name), ignored);
    }
    ~OvScopedFolderFiles()
    {
        for (const std::string& name : fNames) {
            std::error_code ignored;
            std::filesystem::remove(fFolder / name, ignored);
            std::filesystem::rename(Saved(name), fFolder / name, ignored);
        }
        if (fMutex) {
            ReleaseMutex(fMutex);
            CloseHandle(fMutex);
        }
    }
    OvScopedFolderFiles(const OvScopedFolderFiles&) = delete;
    OvScopedFolderFiles& operator=(const OvScopedFolderFiles&) = delete;

private:
    std::filesystem::path Saved(const std::string& name) const { return fFolder / (name + ".ovtest-saved"); }

    std::filesystem::path fFolder;
    std::vector<std::string> fNames;
    HANDLE fMutex = nullptr;
};
#endif
