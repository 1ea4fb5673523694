// Reading inputs and writing outputs safely: an output goes to a temporary file in its
// own folder and is renamed into place, and no output may replace an input.
#pragma once

#include <string>
#include <vector>

namespace quibtool {

// The whole file; throws ToolError (input file) naming the file and the reason.
std::string ReadFileText(const std::string& path);

class OutputGuard {
 public:
  // Remembers a file that must never be written.
  void ProtectInput(const std::string& path);
  // Throws ToolError (output) when the path names a protected input or a folder that
  // does not exist, so a run can refuse before it starts.
  void CheckNotInput(const std::string& path) const;
  // Writes through a temporary file beside the target, then renames it into place.
  void Write(const std::string& path, const std::string& bytes) const;

 private:
  std::vector<std::string> inputs_;
};

// The lower-case extension without its dot ("json"), or "".
std::string Extension(const std::string& path);

}  // namespace quibtool
