// Outputs never replace inputs and appear whole or not at all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "FileIO.h"
#include "PictureSupport.h"
#include "ToolError.h"

namespace quibtool {
namespace {
namespace fs = std::filesystem;

class FileIO : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quibmesh-fileio-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(FileIO, RefusesToWriteOverAnInputByAnyName) {
  std::ofstream(Path("in.json")) << "original";
  OutputGuard guard;
  guard.ProtectInput(Path("in.json"));
  fs::create_directories(dir_ / "sub");
  for (const std::string& alias : {Path("in.json"), Path("sub/../in.json"), Path("./in.json")}) {
    try {
      guard.Write(alias, "replaced");
      ADD_FAILURE() << "wrote " << alias;
    } catch (const ToolError& error) {
      EXPECT_EQ(error.status(), kExitOutput);
      EXPECT_NE(std::string(error.what()).find("refusing to overwrite the input"),
                std::string::npos);
    }
  }
  fs::create_symlink(Path("in.json"), Path("link.json"));
  EXPECT_THROW(guard.Write(Path("link.json"), "replaced"), ToolError);
  EXPECT_EQ(clitest::ReadBytes(Path("in.json")), "original");
}

TEST_F(FileIO, WritesWholeFilesAndLeavesNoTemporaries) {
  OutputGuard guard;
  guard.Write(Path("out.svg"), "first");
  guard.Write(Path("out.svg"), "second, longer");
  EXPECT_EQ(clitest::ReadBytes(Path("out.svg")), "second, longer");
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(dir_)) files += entry.is_regular_file();
  EXPECT_EQ(files, 1u);
  EXPECT_THROW(guard.Write(Path("missing/out.svg"), "x"), ToolError);
}

TEST_F(FileIO, NamesAMissingOrUnreadableInput) {
  const std::string missing = Path("nope.json");
  for (const std::string& path : {missing, dir_.string()}) {
    try {
      ReadFileText(path);
      ADD_FAILURE() << "read " << path;
    } catch (const ToolError& error) {
      EXPECT_EQ(error.status(), kExitInputFile);
      EXPECT_EQ(std::string(error.what()).rfind("cannot read " + path + ": ", 0), 0u)
          << error.what();
    }
  }
}

}  // namespace
}  // namespace quibtool
