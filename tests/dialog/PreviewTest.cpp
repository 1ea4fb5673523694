// The live preview and what OK, Cancel and Go do with it; the zoom, the remembered
// position and the record's first use.
#include "DialogFixture.h"

namespace dialogtest {
namespace {

using simhost::user::Accept;
using simhost::user::Cancel;
using simhost::user::Check;
using simhost::user::Move;
using simhost::user::Press;
using simhost::user::Set;

class PreviewTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    host().dialogs.snapshotDocuments = true;
  }
  // The document a Go with these settings makes of the original document. Settings
  // without random choices give the same document whatever the draws.
  simhost::Document GoResult(MeshParams p) {
    std::vector<uint8_t> kept = host().ParameterBytes();
    doc() = original();
    p.previewShown = 0;
    Keep(p);
    EXPECT_EQ(Go(), kHostNoErr);
    simhost::Document result = doc();
    doc() = original();
    if (!kept.empty()) host().SetParameterBytes(kept);
    return result;
  }
  simhost::Document GoResultWithChannel1(float channel1) {
    MeshParams p = FirstUseRecord();
    p.channel1 = channel1;
    return GoResult(p);
  }
  int UndoCalls() { return host().suites.Calls(kHostUndoSuiteName, "UndoChanges"); }
};

TEST_F(PreviewTest, EachPreviewTakesTheLastOneBackFirst) {
  simhost::Document ten = GoResultWithChannel1(10);
  ASSERT_FALSE(SameDocument(ten, original()));
  ASSERT_EQ(GetParameters({Set(4, 10), Press(80), Cancel()}), kHostCancelErr);
  const auto& steps = Shown().steps;
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_TRUE(SameDocument(steps[0].document, ten));
  EXPECT_TRUE(SameDocument(steps[1].document, ten)) << "a second preview applied on top";
}

TEST_F(PreviewTest, OkKeepsThePreviewAndGoRunsNoSecondPass) {
  simhost::Document ten = GoResultWithChannel1(10);
  ASSERT_EQ(GetParameters({Set(4, 10), Accept()}), kHostNoErr);
  EXPECT_TRUE(SameDocument(doc(), ten));
  EXPECT_EQ(Kept().previewShown, 1);
  int undoCalls = UndoCalls();
  ASSERT_EQ(Go(), kHostNoErr);
  EXPECT_EQ(UndoCalls(), undoCalls) << "Go undid the preview to compute it again";
  EXPECT_TRUE(SameDocument(doc(), ten));
  EXPECT_EQ(Kept().previewShown, 0);
  EXPECT_TRUE(host().dialogs.LastShown("Error Dialog") == nullptr);
}

TEST_F(PreviewTest, ClearingPreviewThenOkMakesGoComputeAfresh) {
  simhost::Document ten = GoResultWithChannel1(10);
  simhost::Document eighty = GoResultWithChannel1(80);
  ASSERT_EQ(GetParameters({Set(4, 10), Check(3, false), Set(4, 80), Accept()}), kHostNoErr);
  const auto& steps = Shown().steps;
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_TRUE(SameDocument(steps[2].document, ten)) << "with Preview clear nothing runs";
  EXPECT_EQ(Kept().previewShown, 0);
  EXPECT_EQ(Kept().channel1, 80);
  ASSERT_EQ(Go(), kHostNoErr);
  EXPECT_TRUE(SameDocument(doc(), eighty));
}

TEST_F(PreviewTest, TickingPreviewRunsItAtOnce) {
  simhost::Document ten = GoResultWithChannel1(10);
  MeshParams kept = FirstUseRecord();
  kept.preview = 0;
  Keep(kept);
  ASSERT_EQ(GetParameters({Set(4, 10), Press(80), Check(3, true), Cancel()}), kHostCancelErr);
  const auto& steps = Shown().steps;
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_TRUE(SameDocument(steps[0].document, original()));
  EXPECT_TRUE(SameDocument(steps[1].document, original())) << "Shuffle with Preview clear";
  EXPECT_TRUE(SameDocument(steps[2].document, ten));
  EXPECT_TRUE(SameDocument(doc(), original()));
}

TEST_F(PreviewTest, ShuffleRedrawsTheRandomChoicesWithTheRecordUnchanged) {
  MeshParams kept = FirstUseRecord();
  kept.randomColors = 1;
  Keep(kept);
  std::vector<std::vector<uint8_t>> records;
  host().dialogs.onStep = [&](const simhost::DialogRecord&, const simhost::StepRecord&) {
    records.push_back(host().ParameterBytes());
  };
  ASSERT_EQ(GetParameters({Press(80), Press(80), Cancel()}), kHostCancelErr);
  host().dialogs.onStep = nullptr;
  const auto& steps = Shown().steps;
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_FALSE(SameDocument(steps[0].document, original()));
  EXPECT_FALSE(SameDocument(steps[0].document, steps[1].document)) << "no new random result";
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0], records[1]);
}

TEST_F(PreviewTest, CancelTakesEverythingBack) {
  MeshParams kept = FirstUseRecord();
  kept.page = 2;
  kept.previewShown = 1;
  kept.dialogLeft = 40;
  kept.dialogTop = 30;
  kept.dialogRight = 560;
  kept.dialogBottom = 240;
  kept.dialogBoundsValid = 1;
  Keep(kept);
  size_t handles = host().memory.LiveHandles();
  ASSERT_EQ(GetParameters({Set(8, 50), Move({300, 200}), Press(81), Press(131), Cancel()}),
            kHostCancelErr);
  EXPECT_FALSE(SameDocument(Shown().steps[2].document, original()));
  EXPECT_TRUE(SameDocument(doc(), original()));
  MeshParams expected = kept;
  expected.previewShown = 0;
  EXPECT_EQ(Differences(expected, Kept()), "");
  EXPECT_EQ(host().memory.LiveHandles(), handles) << "the selection is still held";
  ASSERT_EQ(host().dialogs.Shown().size(), 1u) << "an error dialog was shown";
}

TEST_F(PreviewTest, ZoomSetsTheViewAndRunsNoPreview) {
  std::vector<float> zooms;
  std::vector<int> undoCalls;
  host().dialogs.onStep = [&](const simhost::DialogRecord&, const simhost::StepRecord&) {
    zooms.push_back(doc().view.zoom);
    undoCalls.push_back(UndoCalls());
  };
  ASSERT_EQ(GetParameters({Set(23, 250), Set(23, 1000), Set(23, 0), Accept()}), kHostNoErr);
  host().dialogs.onStep = nullptr;
  ASSERT_EQ(zooms.size(), 4u);
  EXPECT_FLOAT_EQ(zooms[0], 2.5f);
  EXPECT_FLOAT_EQ(zooms[1], 5.0f) << "the spin edit limits the zoom to 500";
  EXPECT_FLOAT_EQ(zooms[2], 0.01f) << "and to 1";
  EXPECT_EQ(undoCalls[0], undoCalls[2]) << "a zoom ran the preview";
  EXPECT_EQ(Kept().viewZoom, 1);
}

struct PositionCase {
  const char* name;
  simhost::DialogAction close;
  HostErr result;
  int32_t reopenLeft, reopenTop;
};

class PositionTest : public PreviewTest, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(PositionTest, OnlyOkMovesTheRememberedPosition) {
  const PositionCase& c = GetParam();
  MeshParams kept = FirstUseRecord();
  kept.preview = 0;
  kept.dialogLeft = 40;
  kept.dialogTop = 30;
  kept.dialogRight = 560;
  kept.dialogBottom = 240;
  kept.dialogBoundsValid = 1;
  Keep(kept);
  ASSERT_EQ(GetParameters({Move({300, 200}), Set(4, 12), c.close}), c.result);
  ASSERT_EQ(GetParameters({Accept()}), kHostNoErr);
  EXPECT_EQ(Shown().bounds.left, c.reopenLeft);
  EXPECT_EQ(Shown().bounds.top, c.reopenTop);
  EXPECT_EQ(Shown().bounds.right - Shown().bounds.left, 520);
}

INSTANTIATE_TEST_SUITE_P(Closes, PositionTest,
                         ::testing::Values(PositionCase{"Ok", Accept(), kHostNoErr, 300, 200},
                                           PositionCase{"Cancel", Cancel(), kHostCancelErr, 40, 30},
                                           PositionCase{"WindowClosed", simhost::user::Close(),
                                                        kHostCancelErr, 40, 30}),
                         CaseName());

TEST_F(PreviewTest, FirstUseMakesTheRecordAndCancelKeepsItsDefaults) {
  ASSERT_FALSE(host().HasParameters());
  ASSERT_EQ(GetParameters({Set(4, 12), Cancel()}), kHostCancelErr);
  ASSERT_TRUE(host().HasParameters());
  EXPECT_EQ(Differences(FirstUseRecord(), Kept()), "");

  // The next dialog opens on the kept record as it is; the defaults are not applied anew.
  MeshParams kept = Kept();
  kept.channel1 = 77;
  Keep(kept);
  ASSERT_EQ(GetParameters({Accept()}), kHostNoErr);
  EXPECT_EQ(Item(4).value, 77);
}

struct NoRecordCase {
  const char* name;
  bool faultNewHandle;
  HostErr expected;
};

class NoRecordTest : public DialogTest, public ::testing::WithParamInterface<NoRecordCase> {};

TEST_P(NoRecordTest, FailsWithoutOpeningTheDialog) {
  const NoRecordCase& c = GetParam();
  if (c.faultNewHandle) {
    host().suites.AddFault({kHostMemorySuiteName, "NewHandle", 0, kHostOutOfMemoryErr});
  } else {
    host().memory.refuseHandles = true;
  }
  EXPECT_EQ(GetParameters({Accept()}), c.expected);
  host().suites.ClearFaults();
  EXPECT_TRUE(host().dialogs.LastShown(kDialog) == nullptr);
}

INSTANTIATE_TEST_SUITE_P(Memory, NoRecordTest,
                         ::testing::Values(NoRecordCase{"HostRefuses", true, kHostOutOfMemoryErr},
                                           NoRecordCase{"NullHandle", false, kHostNoMemoryErr}),
                         CaseName());

TEST_F(DialogTest, AnotherFiltersMessageOpensNothing) {
  simhost::RegisteredFilter other;
  other.plugin = host().PluginRef();
  other.name = "Other";
  host().filters.filters.push_front(other);  // the host now sends the other filter's handle
  EXPECT_EQ(GetParameters({Cancel()}), kHostNoErr);
  EXPECT_TRUE(host().dialogs.Shown().empty());
  EXPECT_FALSE(host().HasParameters());
  host().filters.filters.pop_front();
  host().dialogs.ClearScripts();
}

TEST_F(PreviewTest, FailedPreviewIsTakenBackAndGoComputesAfresh) {
  simhost::Document result = GoResult(FirstUseRecord());
  ASSERT_FALSE(SameDocument(result, original()));
  // The first object's transform fails after its vertices were changed.
  int transforms = host().suites.Calls(kHostTransformArtSuiteName, "TransformArt");
  host().suites.AddFault(
      {kHostTransformArtSuiteName, "TransformArt", transforms + 1, kHostBadParameterErr});
  ASSERT_EQ(GetParameters({Accept()}), kHostNoErr);
  EXPECT_TRUE(SameDocument(doc(), original())) << "the failed preview was left in the document";
  EXPECT_EQ(Kept().previewShown, 0);
  EXPECT_TRUE(host().dialogs.LastShown("Error Dialog") == nullptr);
  ASSERT_EQ(Go(), kHostNoErr);
  EXPECT_TRUE(SameDocument(doc(), result));
}

TEST_F(PreviewTest, ReopeningWithoutGoGivesBackTheHeldSelection) {
  ASSERT_EQ(GetParameters({Accept()}), kHostNoErr);
  size_t handles = host().memory.LiveHandles();
  ASSERT_EQ(GetParameters({Accept()}), kHostNoErr);
  EXPECT_EQ(host().memory.LiveHandles(), handles) << "the earlier selection list leaked";
  ASSERT_EQ(Go(), kHostNoErr);
}

}  // namespace
}  // namespace dialogtest
