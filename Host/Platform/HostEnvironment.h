#pragma once
// What the host needs of its operating system besides loading libraries: environment
// variables, its own folder and the user's application-data folder.
#include <filesystem>
#include <optional>
#include <string>

// The variable's value; nothing when it is not set.
std::optional<std::string> GetEnvironment(const char* name);
// Sets the variable for this process and the libraries it loads afterwards.
void SetEnvironment(const char* name, const std::string& value);

// The folder of the running program; empty when the system does not tell.
std::filesystem::path ExecutableFolder();

// The per-user application-data folder where the plug-in keeps its simulation files: the
// shell's folder on Windows (else the Windows directory), $XDG_CONFIG_HOME (default
// $HOME/.config) elsewhere; as for the plug-in, $OV_TEST_FOLDERS/AppData instead while that
// variable is set and not empty (tests). Raises HostError when the system names none.
std::filesystem::path ApplicationDataFolder();
