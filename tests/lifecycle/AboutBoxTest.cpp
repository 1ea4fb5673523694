// The About box: opened by "SP Interface"/"About", closed through its OK button.
#include <vector>

#include "TestSupport.h"

namespace {

using quibtest::HostFixture;

TEST_F(HostFixture, AboutOpensTheBoxAndClosesWithOk) {
  std::vector<uint8_t> record(196, 0x5A);
  host().SetParameterBytes(record);
  size_t blocks = host().memory.LiveBlocks();
  host().dialogs.QueueScript("About Dialog", {simhost::user::Press(1)});
  host().suites.ClearTrace();

  EXPECT_EQ(host().Send("SP Interface", "About"), kHostNoErr);

  ASSERT_EQ(host().dialogs.Shown().size(), 1u);
  const simhost::DialogRecord& about = host().dialogs.Shown().front();
  EXPECT_EQ(about.name, "About Dialog");
  EXPECT_EQ(about.resourceId, 16050);
  EXPECT_EQ(about.caption, "Mesh Plugin About");
  EXPECT_EQ(about.result, 1);
  EXPECT_FALSE(about.open);
  ASSERT_NE(about.Item(1), nullptr);
  EXPECT_EQ(about.Item(1)->text, "&OK");
  // Nothing but the dialog changed: the record, the globals and the suites.
  EXPECT_EQ(host().ParameterBytes(), record);
  EXPECT_EQ(host().memory.LiveBlocks(), blocks);
  EXPECT_TRUE(host().suites.Held().empty());
  for (const simhost::TraceEntry& entry : host().suites.Trace()) {
    if (entry.operation == "AcquireSuite" || entry.operation == "ReleaseSuite") continue;
    EXPECT_NE(entry.suite, "SP Blocks Suite") << entry.operation;
    EXPECT_NE(entry.suite, "AI MdMemory Suite") << entry.operation;
  }
}

// The box's result does not matter: closed without its button, About still answers 0.
TEST_F(HostFixture, AboutAnswersZeroHoweverTheBoxCloses) {
  host().dialogs.QueueScript("About Dialog", {simhost::user::Close()});
  EXPECT_EQ(host().Send("SP Interface", "About"), kHostNoErr);
  const simhost::DialogRecord* about = host().dialogs.LastShown("About Dialog");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->result, simhost::kClosedByWindow);
  EXPECT_TRUE(host().dialogs.LastShown("Error Dialog") == nullptr);
}

}  // namespace
