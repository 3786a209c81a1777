#pragma once
// Starts a program directly, without a shell, and waits for it.
#include <filesystem>
#include <string>
#include <vector>

// Runs program with arguments (argv[1] on), its standard output and error written to the
// files out and err, its standard input and environment this process's. Returns its exit
// status; -1 when it could not start or did not exit normally.
int RunChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::filesystem::path& out, const std::filesystem::path& err);

#if defined(__linux__)
// Runs program on a pseudo-terminal (its standard output and error) with OV_TEST_TIME_SCALE
// at 0 and OV_MONAPI2_EMULATE_WAIT_SCALE unset, and returns all it wrote there; empty when
// it could not start.
std::string RunUnderTerminal(const std::filesystem::path& program, const std::vector<std::string>& arguments);
#endif
