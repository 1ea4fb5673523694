#include "FileIO.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ToolError.h"

namespace quibtool {
namespace fs = std::filesystem;

std::string ReadFileText(const std::string& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec))
    throw ToolError(kExitInputFile, "cannot read " + path + ": it is a folder");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ToolError(kExitInputFile, "cannot read " + path + ": " + std::strerror(errno));
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw ToolError(kExitInputFile, "cannot read " + path + ": read error");
  return text.str();
}

void OutputGuard::ProtectInput(const std::string& path) { inputs_.push_back(path); }

namespace {
// Same file when both exist and share device and inode, or when their normal paths match.
bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  std::error_code ec;
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}
}  // namespace

void OutputGuard::CheckNotInput(const std::string& path) const {
  for (const std::string& input : inputs_)
    if (SameFile(path, input))
      throw ToolError(kExitOutput, "refusing to overwrite the input " + input + " with an output");
  fs::path folder = fs::path(path).parent_path();
  std::error_code ec;
  if (!folder.empty() && !fs::is_directory(folder, ec))
    throw ToolError(kExitOutput,
                    "cannot write " + path + ": there is no folder " + folder.string());
}

void OutputGuard::Write(const std::string& path, const std::string& bytes) const {
  CheckNotInput(path);
  fs::path target(path);
  fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = ::mkstemp(name.data());
  if (fd < 0) throw ToolError(kExitOutput, "cannot write " + path + ": " + std::strerror(errno));
  size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      int error = errno;
      ::close(fd);
      ::unlink(name.data());
      throw ToolError(kExitOutput, "cannot write " + path + ": " + std::strerror(error));
    }
    written += size_t(n);
  }
  // mkstemp makes the file private; give it the permissions a new file normally gets.
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  if (::close(fd) != 0 || std::rename(name.data(), path.c_str()) != 0) {
    int error = errno;
    ::unlink(name.data());
    throw ToolError(kExitOutput, "cannot write " + path + ": " + std::strerror(error));
  }
}

std::string Extension(const std::string& path) {
  std::string ext = fs::path(path).extension().string();
  if (!ext.empty()) ext.erase(0, 1);
  for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

}  // namespace quibtool
