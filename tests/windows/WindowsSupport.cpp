#include "WindowsSupport.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

namespace quibwin {

std::string WindowsBuildFile(const std::string& name) {
  return std::string(QUIB_WINDOWS_BUILD_DIR) + "/" + name;
}

std::string WindowsModulePath() {
  if (const char* path = std::getenv("QUIB_WINDOWS_MODULE")) return path;
  return WindowsBuildFile("QuibMesh.aip");
}

int RunCommand(const std::string& command, std::string& output) {
  output.clear();
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
  int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace quibwin
