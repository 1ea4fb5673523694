// Where the Windows build's files are, for the checks of the shipped module.
#pragma once

#include <string>

namespace quibwin {

// The cross-built module: QUIB_WINDOWS_MODULE env var if set, else the windows build's.
std::string WindowsModulePath();
// A program of the windows build (for example the scenario runner), by file name.
std::string WindowsBuildFile(const std::string& name);
// Runs a shell command; returns its exit status and fills `output` with its stdout.
int RunCommand(const std::string& command, std::string& output);

}  // namespace quibwin
