// PluginMain's dispatch: which messages reach which handler, and which hold suites.
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

using quibtest::HostFixture;

struct DispatchCase {
  const char* name;
  std::string caller;
  std::string selector;
  HostErr result;
  bool acquires;            // the call holds all 28 suites while it runs
  const char* dialogShown;  // "" when none opens
};

const DispatchCase kDispatchCases[] = {
    {"AccessOther", "SP Access", "Purge", kHostNoErr, false, ""},
    {"InterfaceOther", "SP Interface", "Refresh", kHostNoErr, true, ""},
    {"InterfaceAbout", "SP Interface", "About", kHostNoErr, true, "About Dialog"},
    {"MenuGo", "AI Menu", "AI Go", kHostBadSelectionErr, true, "Error Dialog"},
    {"MenuUpdate", "AI Menu", "AI Update", kHostNoErr, true, ""},
    {"MenuOther", "AI Menu", "AI Get Parameters", kHostNoErr, true, ""},
    {"FilterGetParameters", "AI Filter", "AI Get Parameters", kHostNoErr, true, "Quib_Mesh"},
    {"FilterGo", "AI Filter", "AI Go", kHostNoErr, true, ""},
    {"FilterOther", "AI Filter", "AI Update", kHostNoErr, true, ""},
    {"UnknownCaller", "AI Tool", "AI Go", kHostNoErr, true, ""},
    // Callers and selectors are whole strings: a prefix or other case is another message.
    {"CallerPrefix", "AI Men", "AI Go", kHostNoErr, true, ""},
    {"SelectorCase", "AI Menu", "ai go", kHostNoErr, true, ""},
    {"SelectorOfOtherCaller", "SP Interface", "AI Go", kHostNoErr, true, ""},
};

class DispatchTest : public HostFixture, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(DispatchTest, ReachesTheHandlerTheMessageNames) {
  const DispatchCase& c = GetParam();
  host().suites.ClearTrace();
  host().dialogs.ClearShown();

  // Fresh buffers: the module must compare texts, not addresses.
  std::string caller = c.caller, selector = c.selector;
  EXPECT_EQ(host().Send(caller.c_str(), selector.c_str()), c.result);

  int acquired = 0, released = 0;
  for (const simhost::TraceEntry& entry : host().suites.Trace()) {
    acquired += entry.operation == "AcquireSuite";
    released += entry.operation == "ReleaseSuite";
  }
  EXPECT_EQ(acquired, c.acquires ? 28 : 0);
  EXPECT_EQ(released, acquired);
  EXPECT_TRUE(host().suites.Held().empty());

  std::vector<std::string> shown;
  for (const simhost::DialogRecord& dialog : host().dialogs.Shown()) shown.push_back(dialog.name);
  if (*c.dialogShown == 0) {
    EXPECT_TRUE(shown.empty()) << shown.front();
  } else {
    EXPECT_EQ(shown, std::vector<std::string>{c.dialogShown});
  }
}

INSTANTIATE_TEST_SUITE_P(Messages, DispatchTest, ::testing::ValuesIn(kDispatchCases),
                         [](const auto& param) { return std::string(param.param.name); });

// An "SP Access" message touches no suite at all: it runs before any acquisition.
TEST_F(HostFixture, AccessMessageCallsNoSuite) {
  host().suites.ClearTrace();
  EXPECT_EQ(host().Send("SP Access", "Flush"), kHostNoErr);
  for (const simhost::TraceEntry& entry : host().suites.Trace()) {
    EXPECT_EQ(entry.operation, "IsEqual") << entry.suite;
  }
}

// The acquisition order is the module's table order, and release follows it.
TEST_F(HostFixture, AcquiresAndReleasesTheSuitesInTableOrder) {
  const std::vector<std::string> table = {
      "SP Blocks Suite",    "SP Access Suite",       "AI MdMemory Suite", "AI Real Math Suite",
      "AI Art Suite",       "AI User Suite",         "AI Document Suite", "AI Document View Suite",
      "AI Undo Suite",      "AI Matching Art Suite", "AI Path Suite",     "AI Path Style Suite",
      "AI Random Suite",    "AI Blend Style Suite",  "AI Gradient Suite", "AI Transform Art Suite",
      "AI Mesh Suite",      "AI Mesh Vertex Suite",  "AI Menu Suite",     "AI Filter Suite",
      "ADM Basic Suite",    "ADM Dialog Suite",      "ADM Item Suite",    "ADM Icon Suite",
      "ADM Notifier Suite", "ADM List Suite",        "ADM Entry Suite",   "ADM Tracker Suite"};
  host().suites.ClearTrace();
  ASSERT_EQ(host().Send("AI Menu", "AI Update"), kHostNoErr);
  std::vector<std::string> acquired, released;
  for (const simhost::TraceEntry& entry : host().suites.Trace()) {
    if (entry.operation == "AcquireSuite") acquired.push_back(entry.suite);
    if (entry.operation == "ReleaseSuite") released.push_back(entry.suite);
  }
  EXPECT_EQ(acquired, table);
  EXPECT_EQ(released, table);
}

}  // namespace
