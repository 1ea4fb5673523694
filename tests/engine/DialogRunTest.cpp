// The engine behind the dialog: the first-use record a cancelled first dialog leaves,
// previews, and the Go that follows an accepted dialog with and without its preview.
#include "EngineFixture.h"

namespace enginetest {
namespace {

using simhost::Gray;
using simhost::MeshSpec;
namespace user = simhost::user;

TEST_F(EngineTest, AFirstRecordHoldsTheFirstUseDefaults) {
  host().dialogs.QueueScript("Quib_Mesh", {user::Cancel()});
  ASSERT_EQ(host().Send(kCallerFilter, kSelectorGetParameters), kHostCancelErr);
  MeshParams expected;
  std::memset(&expected, 0, sizeof expected);
  expected.interpolation = 100;
  expected.channel1 = 45;
  expected.scaleX = expected.scaleY = 100;
  expected.brightness = 100;
  expected.colorNodeFactorI = expected.colorNodeFactorJ = 100;
  expected.pointNodeFactorI = expected.pointNodeFactorJ = 100;
  expected.page = 1;
  expected.colorMode = 1;
  expected.isolateNodeI = expected.isolateNodeJ = -1;
  expected.viewZoom = 100;
  expected.preview = 1;
  const MeshParams kept = Kept();
  EXPECT_EQ(std::memcmp(&kept, &expected, sizeof kept), 0);
}

class DialogThenGoTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    MeshSpec(2, 2).Color(Gray(0.1f)).Add(doc());
  }
  // Opens the dialog on the neutral record, sets channel 1 to 80 (spin edit 4) with the
  // preview ticked or not, and accepts.
  void AcceptDialog(bool preview) {
    MeshParams p = NeutralParams();
    p.preview = preview;
    host().SetParameterBytes(Bytes(p));
    host().dialogs.QueueScript("Quib_Mesh",
                               {user::Check(3, preview), user::Set(4, 80), user::Accept()});
    ASSERT_EQ(host().Send(kCallerFilter, kSelectorGetParameters), kHostNoErr);
  }
};

TEST_F(DialogThenGoTest, GoKeepsTheAcceptedPreviewExactly) {
  AcceptDialog(true);
  ASSERT_FLOAT_EQ(vertex(0, 1, 1).color.c[0].value, 0.9f) << "the preview is in the document";
  const std::vector<simhost::MeshVertex> previewed = mesh(0).vertices;
  const int undos = host().suites.Calls(kHostUndoSuiteName, "UndoChanges");
  ASSERT_EQ(host().Send(kCallerFilter, kSelectorGo), kHostNoErr);
  EXPECT_TRUE(SameVertices(mesh(0).vertices, previewed));
  EXPECT_EQ(host().suites.Calls(kHostUndoSuiteName, "UndoChanges"), undos);
  EXPECT_EQ(Kept().previewShown, 0);
}

TEST_F(DialogThenGoTest, GoAppliesTheSettingsWhenNoPreviewIsShown) {
  AcceptDialog(false);
  ASSERT_FLOAT_EQ(vertex(0, 1, 1).color.c[0].value, 0.1f) << "no preview was made";
  ASSERT_EQ(host().Send(kCallerFilter, kSelectorGo), kHostNoErr);
  EXPECT_FLOAT_EQ(vertex(0, 1, 1).color.c[0].value, 0.9f);
  EXPECT_EQ(host().memory.LiveHandles(), 1u) << "the selection is released";
}

TEST_F(DialogThenGoTest, CancelTakesThePreviewsBackBitForBit) {
  const simhost::Document before = doc();
  MeshParams p = NeutralParams();
  p.preview = 1;
  host().SetParameterBytes(Bytes(p));
  // Channel 1, jitter, tangent mode 8, random opacity and blending, an angle: each change
  // previews anew on top of the undone previous one.
  host().dialogs.QueueScript(
      "Quib_Mesh", {user::Set(4, 80), user::Press(131), user::Set(8, 15), user::Choose(62, 0),
                    user::Choose(63, 8), user::Press(134), user::Check(32, true),
                    user::Check(33, true), user::Press(132), user::Set(12, 30), user::Cancel()});
  ASSERT_EQ(host().Send(kCallerFilter, kSelectorGetParameters), kHostCancelErr);
  const simhost::DialogRecord* dialog = host().dialogs.LastShown("Quib_Mesh");
  ASSERT_NE(dialog, nullptr);
  for (const std::string& ignored : dialog->IgnoredActions()) ADD_FAILURE() << ignored;
  EXPECT_GE(host().document.redraws, 7);
  EXPECT_TRUE(SameVertices(mesh(0).vertices, before.art[0].mesh.vertices));
  EXPECT_EQ(std::memcmp(&doc().art[0].opacity, &before.art[0].opacity, sizeof(float)), 0);
  EXPECT_EQ(doc().art[0].blendMode, before.art[0].blendMode);
}

TEST_F(DialogThenGoTest, APreviewWithNothingSelectedOnlyRedraws) {
  doc().art[0].selected = false;
  const std::vector<simhost::MeshVertex> before = mesh(0).vertices;
  AcceptDialog(true);
  EXPECT_GE(host().document.redraws, 1);
  EXPECT_TRUE(SameVertices(mesh(0).vertices, before));
}

TEST_F(DialogThenGoTest, APreviewThatFailsReleasesTheSelectionAndTheNextGathersAgain) {
  host().suites.AddFault(
      {kHostArtSuiteName, "GetArtBounds", 1, HOST_FOUR_CHAR('F', 'A', 'I', 'L')});
  MeshParams p = NeutralParams();
  p.preview = 1;
  host().SetParameterBytes(Bytes(p));
  host().dialogs.QueueScript("Quib_Mesh", {user::Set(4, 80), user::Set(4, 60), user::Accept()});
  ASSERT_EQ(host().Send(kCallerFilter, kSelectorGetParameters), kHostNoErr);
  // Gathered when the dialog opened, released by the failed preview, gathered again.
  EXPECT_EQ(host().suites.Calls(kHostMatchingArtSuiteName, "GetMatchingArt"), 2);
  EXPECT_FLOAT_EQ(vertex(0, 1, 1).color.c[0].value, 0.7f) << "the second preview stands";
}

}  // namespace
}  // namespace enginetest
