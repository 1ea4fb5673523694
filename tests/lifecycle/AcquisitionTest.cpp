// Holding the suites around each outer call: nesting, failed acquisitions and releases.
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

using quibtest::HostFixture;
using quibtest::TakeBreaches;
using quibtest::UnstartedHostFixture;

std::vector<std::string> AcquiredSuites(const simhost::SimHost& host) {
  std::vector<std::string> suites;
  for (const simhost::TraceEntry& entry : host.suites.Trace()) {
    if (entry.operation == "AcquireSuite") suites.push_back(entry.suite);
  }
  return suites;
}

// Fails the next acquisition of one suite.
void FailNextAcquisition(simhost::SimHost& host, const std::string& suite, HostErr code) {
  host.suites.AddFault({suite, "AcquireSuite", host.suites.Calls(suite, "AcquireSuite") + 1, code});
}

// A message that arrives while the module is inside another one (here: while its About
// box is open) must neither acquire nor release: the outer call keeps its suites.
TEST_F(HostFixture, NestedMessageLeavesTheOuterCallsSuitesHeld) {
  int acquisitionsBefore = -1, acquisitionsAfter = -1, depth = 0;
  HostErr nestedResult = -1;
  bool heldAfterNested = false;
  host().dialogs.QueueScript("About Dialog",
                             {simhost::user::Move({40, 30}), simhost::user::Accept()});
  host().dialogs.onStep = [&](const simhost::DialogRecord&, const simhost::StepRecord& step) {
    if (step.action != 0) return;
    depth = host().MessageDepth();
    acquisitionsBefore = Acquisitions();
    nestedResult = host().Send("AI Menu", "AI Update");
    acquisitionsAfter = Acquisitions();
    heldAfterNested =
        host().suites.IsHeld("ADM Item Suite") && host().suites.IsHeld("ADM Dialog Suite");
  };
  host().suites.ClearTrace();

  EXPECT_EQ(host().Send("SP Interface", "About"), kHostNoErr);

  EXPECT_EQ(depth, 1);
  EXPECT_EQ(nestedResult, kHostNoErr);
  EXPECT_EQ(acquisitionsBefore, 28);
  EXPECT_EQ(acquisitionsAfter, 28);
  EXPECT_TRUE(heldAfterNested);
  // The box still closed through its OK button, using the outer call's suites.
  const simhost::DialogRecord* about = host().dialogs.LastShown("About Dialog");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->result, 1);
  EXPECT_TRUE(host().suites.Held().empty());
  host().dialogs.onStep = nullptr;
}

struct AcquireFailure {
  const char* name;
  const char* suite;
  HostErr code;
  const char* alert;          // "" when no alert may be shown
  const char* errorMessage;   // sentence of the error dialog, "" when none may open
  const char* lastAttempted;  // the last suite the module asked for
};

const AcquireFailure kAcquireFailures[] = {
    // Once the ADM Basic Suite is held, a failure is alerted and ends the loop.
    {"NotFoundAfterBasic", "ADM Tracker Suite", kHostSuiteNotFoundErr,
     "Suite Loading Error: 1394689636, suite: ADM Tracker Suite, version: 1!", "",
     "ADM Tracker Suite"},
    {"NegativeCodeAfterBasic", "ADM List Suite", kHostOutOfMemoryErr,
     "Suite Loading Error: -108, suite: ADM List Suite, version: 1!",
     "The filter cannot complete because there isn't enough memory (RAM) available.",
     "ADM List Suite"},
    // Without the dialog suite the failure cannot be shown in the error dialog.
    {"DialogSuiteMissing", "ADM Dialog Suite", kHostBadParameterErr,
     "Suite Loading Error: 1346458189, suite: ADM Dialog Suite, version: 3!", "",
     "ADM Dialog Suite"},
    // Before it, nothing can be alerted; the loop goes on, but the call still fails.
    {"NotFoundBeforeBasic", "AI Undo Suite", kHostSuiteNotFoundErr, "", "", "ADM Tracker Suite"},
    {"NegativeCodeBeforeBasic", "AI Art Suite", kHostOutOfMemoryErr, "",
     "The filter cannot complete because there isn't enough memory (RAM) available.",
     "ADM Tracker Suite"},
};

class AcquireFailureTest : public HostFixture,
                           public ::testing::WithParamInterface<AcquireFailure> {};

TEST_P(AcquireFailureTest, FailsTheCallWithoutRunningItsHandler) {
  const AcquireFailure& c = GetParam();
  FailNextAcquisition(host(), c.suite, c.code);
  host().suites.ClearTrace();
  host().dialogs.ClearShown();

  EXPECT_EQ(host().Send("SP Interface", "About"), c.code);

  if (*c.alert == 0) {
    EXPECT_TRUE(host().alerts.empty()) << host().alerts.front();
  } else {
    EXPECT_EQ(host().alerts, std::vector<std::string>{c.alert});
  }
  EXPECT_EQ(host().dialogs.LastShown("About Dialog"), nullptr) << "the handler ran";
  const simhost::DialogRecord* error = host().dialogs.LastShown("Error Dialog");
  if (*c.errorMessage == 0) {
    EXPECT_EQ(error, nullptr);
  } else {
    ASSERT_NE(error, nullptr);
    ASSERT_NE(error->Item(2), nullptr);
    EXPECT_EQ(error->Item(2)->text, c.errorMessage);
  }
  std::vector<std::string> acquired = AcquiredSuites(host());
  ASSERT_FALSE(acquired.empty());
  EXPECT_EQ(acquired.back(), c.lastAttempted);
  // Only what was acquired is given back: nothing stays held, nothing is released twice.
  EXPECT_TRUE(host().suites.Held().empty());

  // The next call acquires afresh and runs normally.
  host().alerts.clear();
  host().dialogs.ClearShown();
  EXPECT_EQ(host().Send("SP Interface", "About"), kHostNoErr);
  EXPECT_NE(host().dialogs.LastShown("About Dialog"), nullptr);
  EXPECT_TRUE(host().alerts.empty());
}

INSTANTIATE_TEST_SUITE_P(Suites, AcquireFailureTest, ::testing::ValuesIn(kAcquireFailures),
                         [](const auto& param) { return std::string(param.param.name); });

// A host without one of the suites: start-up fails with "S!Fd" before the module
// allocates anything, and shut-down has nothing to free.
TEST_F(UnstartedHostFixture, StartupWithAWithheldSuiteRegistersNothing) {
  host().suites.Withhold("AI Gradient Suite");
  EXPECT_EQ(host().Startup(), kHostSuiteNotFoundErr);
  EXPECT_TRUE(host().filters.filters.empty());
  EXPECT_EQ(host().memory.LiveBlocks(), 0u);
  EXPECT_TRUE(host().dialogs.Shown().empty());
  EXPECT_EQ(host().Shutdown(), kHostSuiteNotFoundErr);
  EXPECT_TRUE(host().suites.Held().empty());
}

// A failed release ends the release loop: that suite and the ones after it stay held,
// but the depth still goes down, so the next call acquires anew.
TEST_F(HostFixture, FailedReleaseStopsReleasingButTheNextCallAcquiresAgain) {
  host().suites.AddFault({"AI Art Suite", "ReleaseSuite",
                          host().suites.Calls("AI Art Suite", "ReleaseSuite") + 1,
                          kHostBadParameterErr});
  EXPECT_EQ(host().Send("AI Menu", "AI Update"), kHostNoErr);

  std::vector<std::string> held;
  for (const auto& [name, count] : host().suites.Held()) held.push_back(name);
  EXPECT_EQ(held.size(), 24u);  // entries 5 (AI Art Suite) to 28
  EXPECT_TRUE(host().suites.IsHeld("AI Art Suite"));
  EXPECT_TRUE(host().suites.IsHeld("ADM Tracker Suite"));
  EXPECT_FALSE(host().suites.IsHeld("AI Real Math Suite"));
  EXPECT_EQ(TakeBreaches(host(), "suite still held").size(), 24u);

  host().suites.ClearTrace();
  EXPECT_EQ(host().Send("AI Menu", "AI Update"), kHostNoErr);
  EXPECT_EQ(Acquisitions(), 28);
  EXPECT_EQ(host().Shutdown(), kHostNoErr);
  TakeBreaches(host(), "suite still held");
}

}  // namespace
