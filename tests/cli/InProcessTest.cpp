// The tool's tables against what the module itself shows and stores, and the module's
// error dialog as the tool reports it; run in this process on the simulated host.
#include <gtest/gtest.h>

#include "FilterRun.h"
#include "RecordFields.h"
#include "Sample.h"
#include "TestSupport.h"
#include "ToolError.h"
#include "simhost/SimHost.h"

namespace quibtool {
namespace {

TEST(InProcess, ToolDefaultsAreTheRecordTheModuleCreates) {
  simhost::SimHost host;
  LoadModuleOrThrow(host, quibtest::ModulePath());
  host.document.doc = SampleDocument();
  ASSERT_EQ(host.Startup(), 0);
  ASSERT_FALSE(host.HasParameters());
  host.dialogs.QueueScript("Quib_Mesh", {simhost::user::Cancel()});
  host.Send(kCallerFilter, kSelectorGetParameters);
  ASSERT_TRUE(host.HasParameters());
  RecordBytes created = host.ParameterBytes();
  RecordBytes ours = DefaultRecord();
  for (const RecordField& field : RecordFields()) {
    if (!field.hasDefault) continue;
    EXPECT_EQ(GetField(created, field), GetField(ours, field)) << field.name;
  }
  host.Shutdown();
}

TEST(InProcess, PopupListsAreTheEntriesTheDialogShows) {
  simhost::SimHost host;
  LoadModuleOrThrow(host, quibtest::ModulePath());
  host.document.doc = SampleDocument();
  ASSERT_EQ(host.Startup(), 0);
  host.Send(kCallerFilter, kSelectorGetParameters);
  const simhost::DialogRecord* dialog = host.dialogs.LastShown("Quib_Mesh");
  ASSERT_NE(dialog, nullptr);
  for (const PopupList& list : PopupLists()) {
    const simhost::ItemRecord* item = dialog->Item(list.item);
    ASSERT_NE(item, nullptr) << list.field;
    ASSERT_EQ(item->entries.size(), list.entries.size()) << list.field;
    for (size_t n = 0; n < list.entries.size(); ++n) {
      EXPECT_EQ(item->entries[n].text, list.entries[n]) << list.field << " " << n;
      EXPECT_EQ(item->entries[n].id, int32_t(n)) << list.field;
    }
  }
  host.Shutdown();
}

TEST(InProcess, ModuleErrorDialogBecomesTheToolsMessage) {
  simhost::SimHost host;
  LoadModuleOrThrow(host, quibtest::ModulePath());
  // Registration fails at start-up, so the module reports the host's code to the user.
  host.suites.AddFault({"AI Filter Suite", "AddFilter", 1, kHostOutOfMemoryErr});
  try {
    RunFilter(host, SampleDocument(), RunSettings{});
    ADD_FAILURE() << "the run succeeded";
  } catch (const ToolError& error) {
    EXPECT_EQ(error.status(), kExitModule);
    EXPECT_STREQ(error.what(),
                 "the filter reported an error: The filter cannot complete because there isn't "
                 "enough memory (RAM) available. (code -108)");
  }
}

}  // namespace
}  // namespace quibtool
