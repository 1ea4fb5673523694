// Running the built quibmesh command in a scratch folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace clitest {

struct CommandResult {
  int status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs quibmesh with the arguments in the scratch folder.
  CommandResult Run(const std::vector<std::string>& args) const;
  // Runs any command line (arguments are quoted) in the scratch folder.
  CommandResult Shell(const std::vector<std::string>& argv) const;
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }
  // Names in the scratch folder, sorted.
  std::vector<std::string> Files() const;

  std::filesystem::path dir_;
};

std::string DataFile(const std::string& name);

}  // namespace clitest
