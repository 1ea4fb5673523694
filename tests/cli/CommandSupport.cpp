#include "CommandSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "PictureSupport.h"

namespace clitest {
namespace fs = std::filesystem;

namespace {
std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}
}  // namespace

std::string DataFile(const std::string& name) { return std::string(QUIB_TEST_DATA) + "/" + name; }

void ToolTest::SetUp() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "-" + info->name();
  std::replace(name.begin(), name.end(), '/', '-');
  dir_ = fs::temp_directory_path() / ("quibmesh-" + std::to_string(::getpid()) + "-" + name);
  fs::remove_all(dir_);
  fs::create_directories(dir_ / ".home");
}

void ToolTest::TearDown() {
  if (!HasFailure()) fs::remove_all(dir_);
}

CommandResult ToolTest::Shell(const std::vector<std::string>& argv) const {
  std::string line = "cd " + Quote(dir_.string()) + " && HOME=" + Quote((dir_ / ".home").string());
  for (const std::string& arg : argv) line += " " + Quote(arg);
  line += " >" + Quote((dir_ / ".out").string()) + " 2>" + Quote((dir_ / ".err").string());
  int raw = std::system(line.c_str());
  CommandResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = ReadBytes((dir_ / ".out").string());
  result.err = ReadBytes((dir_ / ".err").string());
  fs::remove(dir_ / ".out");
  fs::remove(dir_ / ".err");
  return result;
}

CommandResult ToolTest::Run(const std::vector<std::string>& args) const {
  std::vector<std::string> argv{QUIB_TOOL_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  return Shell(argv);
}

void ToolTest::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(dir_ / name, std::ios::binary) << bytes;
}

std::string ToolTest::Read(const std::string& name) const { return ReadBytes(Path(name)); }

std::vector<std::string> ToolTest::Files() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir_)) {
    std::string name = entry.path().filename().string();
    if (name != ".home") names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace clitest
