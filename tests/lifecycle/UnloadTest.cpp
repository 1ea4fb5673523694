// Unloading and reloading the library between messages: only the globals the host
// keeps survive.
#include "../../plugin/PluginGlobals.h"
#include "TestSupport.h"
#include "simhost/DocumentBuilder.h"

namespace {

using quibtest::HostFixture;

const PluginGlobals* Globals(simhost::SimHost& host) {
  return static_cast<const PluginGlobals*>(host.KeptGlobals());
}

TEST_F(HostFixture, GlobalsSurviveARealUnloadAndReload) {
  HostFilterRef filter = host().filters.HandleOf(*host().ModuleFilter());
  host().suites.ClearTrace();

  ASSERT_EQ(host().UnloadModule(), kHostNoErr);
  // The library has left the process: its statics cannot outlive the unload.
  EXPECT_FALSE(host().ModuleLoaded());
  EXPECT_FALSE(simhost::LibraryIsLoaded(quibtest::ModulePath()));
  const PluginGlobals* kept = Globals(host());
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(Acquisitions(), 0) << "Unload runs without suites";

  ASSERT_EQ(host().ReloadModule(), kHostNoErr);
  EXPECT_EQ(Acquisitions(), 0) << "Reload runs without suites";

  // The reloaded module works on the same block: it hands the same one back, with the
  // same filter and nothing gathered, and frees exactly that block at shut-down.
  EXPECT_EQ(host().Send("AI Menu", "AI Update"), kHostNoErr);
  EXPECT_EQ(Acquisitions(), 28);
  ASSERT_EQ(host().UnloadModule(), kHostNoErr);
  EXPECT_EQ(Globals(host()), kept);
  EXPECT_EQ(kept->filterHandle, filter);
  EXPECT_EQ(kept->selectionCount, -1);
  ASSERT_EQ(host().ReloadModule(), kHostNoErr);
  EXPECT_EQ(host().memory.LiveBlocks(), 1u);
  EXPECT_EQ(host().Shutdown(), kHostNoErr);
  EXPECT_EQ(host().memory.LiveBlocks(), 0u);
  EXPECT_EQ(host().KeptGlobals(), nullptr);
}

// Unload and Reload may repeat any number of times.
TEST_F(HostFixture, RepeatedUnloadsKeepTheModuleWorking) {
  for (int round = 0; round < 3; ++round) {
    ASSERT_EQ(host().UnloadModule(), kHostNoErr) << round;
    ASSERT_EQ(host().ReloadModule(), kHostNoErr) << round;
    EXPECT_EQ(host().Send("AI Menu", "AI Go"), kHostBadSelectionErr) << round;
  }
  EXPECT_EQ(host().dialogs.Shown().size(), 3u);
}

// An accepted dialog gathers the selection and leaves it for the Go; a shut-down that
// comes instead gives the gathered list back with the globals.
TEST_F(HostFixture, ShutdownAfterAnAcceptedDialogLeavesNothingAllocated) {
  simhost::MeshSpec(2, 2).Add(host().document.doc);
  ASSERT_EQ(host().Send("AI Filter", "AI Get Parameters"), kHostNoErr);
  ASSERT_EQ(host().UnloadModule(), kHostNoErr);
  ASSERT_EQ(Globals(host())->selectionCount, 1);
  ASSERT_EQ(host().ReloadModule(), kHostNoErr);

  EXPECT_EQ(host().Shutdown(), kHostNoErr);
  EXPECT_EQ(host().memory.LiveBlocks(), 0u);
  EXPECT_EQ(host().memory.LiveHandles(), 1u);  // the parameter record the host keeps
}

// Shut-down acquires the Blocks suite once more to free the globals. When it cannot,
// the block stays (the host sees it left over) but the host's pointer is cleared.
TEST_F(HostFixture, ShutdownWithoutTheBlocksSuiteStillClearsTheKeptGlobals) {
  ASSERT_EQ(host().UnloadModule(), kHostNoErr);
  ASSERT_EQ(host().ReloadModule(), kHostNoErr);
  ASSERT_NE(host().KeptGlobals(), nullptr);
  // The outer call's acquisition succeeds; the handler's own one fails.
  int calls = host().suites.Calls("SP Blocks Suite", "AcquireSuite");
  host().suites.AddFault({"SP Blocks Suite", "AcquireSuite", calls + 2, kHostBadParameterErr});

  EXPECT_EQ(host().Shutdown(), kHostBadParameterErr);
  EXPECT_EQ(host().KeptGlobals(), nullptr);
  EXPECT_EQ(host().memory.LiveBlocks(), 1u);
  EXPECT_EQ(quibtest::TakeBreaches(host(), "block never freed").size(), 1u);
  EXPECT_TRUE(host().suites.Held().empty());
}

}  // namespace
