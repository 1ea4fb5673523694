// The error dialog: the sentence the error list gives a failed call's code, and the
// code line.
#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

using quibtest::HostFixture;
using quibtest::UnstartedHostFixture;

const char* const kMemory =
    "The filter cannot complete because there isn't enough memory (RAM) available.";
const char* const kUnknown = "The filter cannot complete because of an unknown error.";

struct ErrorCase {
  const char* name;
  HostErr code;
  const char* message;
  const char* codeLine;
};

const ErrorCase kErrorCases[] = {
    {"OutOfMemory", -108, kMemory, "-108"},
    {"MemoryFull", 271, kMemory, "271"},
    {"LockedLayer", HOST_FOUR_CHAR('S', 'E', 'G', 'M'),
     "The filter cannot complete because a layer is locked or invisible.", "SEGM"},
    {"TooManyAnchors", HOST_FOUR_CHAR('N', 'E', 'S', 'S'),
     "The filter cannot complete because a path has too many anchor points.", "NESS"},
    {"BadSelection", kHostBadSelectionErr, "The selection is not valid for this filter.", "!sel"},
    {"NoRecordMemory", kHostNoMemoryErr, kUnknown, "!MEM"},
    // A number entry matches by its low 16 bits widened with sign: "-108" is -108 only.
    {"SameLowBitsAsMinus108", 65428, kUnknown, "65428"},
    {"SmallUnknownNumber", 42, kUnknown, "42"},
    {"LowestDecimalCode", -65536, kUnknown, "-65536"},
};

class ErrorReportTest : public UnstartedHostFixture,
                        public ::testing::WithParamInterface<ErrorCase> {};

// A start-up whose filter registration fails passes the host's code on to the report.
TEST_P(ErrorReportTest, ShowsTheListsSentenceAndTheCode) {
  const ErrorCase& c = GetParam();
  host().suites.AddFault({"AI Filter Suite", "AddFilter", 1, c.code});
  EXPECT_EQ(host().Startup(), c.code);

  ASSERT_EQ(host().dialogs.Shown().size(), 1u);
  const simhost::DialogRecord& error = host().dialogs.Shown().front();
  EXPECT_EQ(error.name, "Error Dialog");
  EXPECT_EQ(error.resourceId, 16051);
  EXPECT_EQ(error.caption, "Plug-in Error");
  EXPECT_EQ(error.result, 1);
  ASSERT_NE(error.Item(2), nullptr);
  ASSERT_NE(error.Item(3), nullptr);
  EXPECT_EQ(error.Item(2)->text, c.message);
  EXPECT_EQ(error.Item(3)->text, c.codeLine);
  EXPECT_TRUE(host().alerts.empty());
}

INSTANTIATE_TEST_SUITE_P(Codes, ErrorReportTest, ::testing::ValuesIn(kErrorCases),
                         [](const auto& param) { return std::string(param.param.name); });

// "STOP" is a cancelled dialog and "S!Fd" a missing suite: neither is ever shown.
TEST_F(UnstartedHostFixture, CancelAndSuiteNotFoundAreNeverShown) {
  for (HostErr code : {kHostCancelErr, kHostSuiteNotFoundErr}) {
    host().suites.ClearFaults();
    host().suites.AddFault({"AI Filter Suite", "AddFilter", 0, code});
    EXPECT_EQ(host().Startup(), code);
    EXPECT_TRUE(host().dialogs.Shown().empty()) << code;
    EXPECT_EQ(host().Shutdown(), kHostNoErr);
  }
  host().suites.ClearFaults();
}

TEST_F(HostFixture, MenuGoIsRefusedWithTheSelectionMessage) {
  EXPECT_EQ(host().Send("AI Menu", "AI Go"), kHostBadSelectionErr);
  const simhost::DialogRecord* error = host().dialogs.LastShown("Error Dialog");
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->Item(2)->text, "The selection is not valid for this filter.");
  EXPECT_EQ(error->Item(3)->text, "!sel");
}

struct ListEdit {
  const char* name;
  std::function<void(simhost::ModuleResources&)> edit;
  const char* message;  // for an unknown code
};

// Without a catch-all pair the last sentence of the list is used; with no pair at all,
// the entry before the first code, the list's marker.
const std::vector<ListEdit>& ListEdits() {
  static const std::vector<ListEdit> edits = {
      {"NoCatchAll",
       [](simhost::ModuleResources& r) {
         r.strings.erase(16061);
         r.strings.erase(16062);
       },
       "The selection is not valid for this filter."},
      {"NoPairs",
       [](simhost::ModuleResources& r) {
         for (int32_t id = 16051; id <= 16062; ++id) r.strings.erase(id);
       },
       "<Mac strings begin at index 1>"},
  };
  return edits;
}

class ErrorListEditTest : public UnstartedHostFixture,
                          public ::testing::WithParamInterface<size_t> {};

TEST_P(ErrorListEditTest, UnknownCodeTakesTheLastSentenceBeforeTheEnd) {
  ListEdits()[GetParam()].edit(host().module.resources);
  host().suites.AddFault({"AI Filter Suite", "AddFilter", 1, kHostNoMemoryErr});
  EXPECT_EQ(host().Startup(), kHostNoMemoryErr);
  const simhost::DialogRecord* error = host().dialogs.LastShown("Error Dialog");
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->Item(2)->text, ListEdits()[GetParam()].message);
  EXPECT_EQ(error->Item(3)->text, "!MEM");
}

INSTANTIATE_TEST_SUITE_P(ErrorList, ErrorListEditTest,
                         ::testing::Range<size_t>(0, ListEdits().size()), [](const auto& param) {
                           return std::string(ListEdits()[param.param].name);
                         });

}  // namespace
