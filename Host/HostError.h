#pragma once
// The two ways a command fails: the operation failed (exit status 1) or the command line
// was wrong (exit status 2). The text is the one-line reason shown after "error: ".
#include <stdexcept>
#include <string>

class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class UsageError : public HostError {
public:
    using HostError::HostError;
};

enum ExitStatus : int { kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2 };
