// The end-to-end scenarios: the runner drives QuibMesh.so natively and QuibMesh.aip under
// Wine, and both must observe the same results.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "TestSupport.h"
#include "WindowsSupport.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool Number(const std::string& token, double& value) {
  if (token.empty()) return false;
  char* end = nullptr;
  value = std::strtod(token.c_str(), &end);
  return end == token.c_str() + token.size();
}

// Two runs' lines agree when every token is the same, except that reals may differ by a
// relative 1e-5: the two C runtimes' maths functions may round differently in the last
// bits (the arithmetic itself is the same SSE2 on both).
std::string Difference(const std::string& native, const std::string& windows) {
  std::istringstream a(native), b(windows);
  std::string x, y;
  while (true) {
    bool moreA = bool(a >> x), moreB = bool(b >> y);
    if (!moreA || !moreB) return moreA == moreB ? "" : "a different number of fields";
    double u, v;
    if (x == y) continue;
    if (Number(x, u) && Number(y, v) &&
        std::fabs(u - v) <= 1e-5 * std::fmax(1.0, std::fmax(std::fabs(u), std::fabs(v)))) {
      continue;
    }
    return "\"" + x + "\" against \"" + y + "\"";
  }
}

TEST(RunComparison, ToleratesOnlyLastDigitsOfReals) {
  struct Case {
    std::string native, windows;
    bool same;
  };
  const std::vector<Case> cases = {
      {"v 1.5 2", "v 1.5 2", true},
      {"v 0.333333343 2", "v 0.333333313 2", true},
      {"v 300.000031", "v 300", true},
      {"v 1e-12", "v -1e-12", true},
      {"v 0.5", "v 0.50002", false},
      {"v 1.5 2", "v 1.5", false},
      {"AI Go -> 0", "AI Go -> 1", false},
      {"parameters 00c842", "parameters 00c843", false},
      {"dialog \"Error Dialog\"", "dialog \"About Dialog\"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Difference(c.native, c.windows).empty(), c.same) << c.native << " | " << c.windows;
  }
}

std::string NativeRun() {
  std::string output;
  int status = quibwin::RunCommand(
      std::string(QUIB_NATIVE_RUNNER) + " '" + quibtest::ModulePath() + "' all", output);
  EXPECT_EQ(status, 0) << output;
  return output;
}

TEST(EndToEnd, NativeRunSeesTheLifeCycleWithoutBreaches) {
  std::string output = NativeRun();
  for (const char* expected :
       {"AI Menu/AI Go -> 561210732", "\"The selection is not valid for this filter.\"",
        "dialog \"About Dialog\" 16050 \"Mesh Plugin About\" closed by 1",
        "AI Get Parameters -> 1398034256", "globals kept yes"}) {
    EXPECT_NE(output.find(expected), std::string::npos) << "missing: " << expected;
  }
  EXPECT_EQ(output.find("breach "), std::string::npos) << output;
}

// The windows build's path as the Windows runner sees it, through Wine's drive Z:.
std::string WinePath(std::string path) {
  for (char& c : path) c = c == '/' ? '\\' : c;
  return "Z:" + path;
}

TEST(EndToEnd, WineRunOfTheShippedModuleMatchesTheNativeRun) {
  const std::string runner = quibwin::WindowsBuildFile("quib_scenarios.exe");
  const std::string module = quibwin::WindowsModulePath();
  ASSERT_TRUE(std::ifstream(runner).good()) << runner << " missing: build the windows preset";
  ASSERT_TRUE(std::ifstream(module).good()) << module << " missing: build the windows preset";
  const char* timeout = std::getenv("QUIB_WINE_TIMEOUT");
  // Wine gets its own prefix in the windows build, no debug output and no display. Where
  // i386 programs run under qemu, qemu must leave Wine's fixed addresses free (a guest
  // space below 0xf0000000); a kernel that runs them itself ignores the variable.
  const std::string command =
      "env -u DISPLAY WINEDEBUG=-all QEMU_RESERVED_VA=0xf0000000 WINEPREFIX='" +
      quibwin::WindowsBuildFile("wine-prefix") + "' timeout " + (timeout ? timeout : "2400") +
      " wine '" + runner + "' '" + WinePath(module) + "' all 2>" +
      quibwin::WindowsBuildFile("wine-stderr.txt");
  std::string windows;
  int status = quibwin::RunCommand(command, windows);
  if (windows.empty()) {
    // Nothing printed at all: Wine could not start a program on this machine.
    std::ifstream log(quibwin::WindowsBuildFile("wine-stderr.txt"));
    std::string reason((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    GTEST_SKIP() << "Wine cannot run 32-bit Windows programs here (exit " << status
                 << "): " << (reason.empty() ? "no output" : reason) << "; see docs/windows.md";
  }
  EXPECT_EQ(status, 0);
  std::vector<std::string> native = Lines(NativeRun()), wine = Lines(windows);
  ASSERT_EQ(wine.size(), native.size()) << windows;
  for (size_t n = 0; n < native.size(); ++n) {
    std::string difference = Difference(native[n], wine[n]);
    EXPECT_EQ(difference, "") << "line " << n + 1 << ": " << native[n]
                              << "\n  under Wine: " << wine[n];
  }
}

}  // namespace
