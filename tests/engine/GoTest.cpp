// The Go message through PluginMain: a kept preview, a fresh run, the first-use
// defaults, art that is not a mesh, and a failed run taken back.
#include <cmath>

#include "EngineFixture.h"

namespace enginetest {
namespace {

using simhost::Gray;
using simhost::MeshSpec;

// Every field of the document the filter can change, for a bit-for-bit comparison.
bool SameArt(const simhost::Document& a, const simhost::Document& b) {
  if (a.art.size() != b.art.size()) return false;
  for (size_t n = 0; n < a.art.size(); ++n) {
    const simhost::ArtObject &x = a.art[n], &y = b.art[n];
    if (x.type != y.type || x.selected != y.selected ||
        std::memcmp(&x.opacity, &y.opacity, sizeof x.opacity) != 0 || x.blendMode != y.blendMode ||
        std::memcmp(&x.otherBounds, &y.otherBounds, sizeof x.otherBounds) != 0 ||
        x.mesh.ni != y.mesh.ni || x.mesh.nj != y.mesh.nj ||
        !SameVertices(x.mesh.vertices, y.mesh.vertices)) {
      return false;
    }
  }
  return true;
}

// Settings that change colours, anchors, tangents, opacity, blending and geometry.
MeshParams EverythingChanges() {
  MeshParams p = NeutralParams();
  p.colorOperation = 6;
  p.channel1 = 50;
  p.pointMode = 0;
  p.jitterX = p.jitterY = 12;
  p.tangentMode = 8;
  p.randomOpacity = p.randomBlend = 1;
  p.angle = 30;
  p.scaleX = -80;
  return p;
}

class GoTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    MeshSpec(3, 3).Color(Gray(0.2f)).Add(doc());
    MeshSpec(2, 4).Over({300, 500, 500, 100}).Color(simhost::Rgb(0.1f, 0.5f, 0.9f)).Add(doc());
    host().document.random.Seed(7);
  }
};

TEST_F(GoTest, AKeptPreviewIsTheResult) {
  const simhost::Document before = doc();
  MeshParams p = EverythingChanges();
  p.previewShown = 1;
  ASSERT_EQ(Go(p), kHostNoErr);
  EXPECT_TRUE(SameArt(doc(), before));
  EXPECT_EQ(host().suites.Calls(kHostUndoSuiteName, "UndoChanges"), 0);
  EXPECT_EQ(host().suites.Calls(kHostMatchingArtSuiteName, "GetMatchingArt"), 0);
  EXPECT_EQ(Kept().previewShown, 0);
  EXPECT_EQ(Kept().fromGo, 1);
}

TEST_F(GoTest, WithoutAPreviewItUndoesGathersAndApplies) {
  const simhost::Document before = doc();
  ASSERT_EQ(Go(EverythingChanges()), kHostNoErr);
  EXPECT_FALSE(SameArt(doc(), before));
  EXPECT_EQ(host().suites.Calls(kHostUndoSuiteName, "UndoChanges"), 1);
  EXPECT_EQ(host().suites.Calls(kHostMatchingArtSuiteName, "GetMatchingArt"), 1);
  EXPECT_EQ(host().suites.Calls(kHostDocumentSuiteName, "RedrawDocument"), 0);
  EXPECT_EQ(host().memory.LiveHandles(), 1u) << "only the kept record: the selection is released";
}

TEST_F(GoTest, TheSameSeedGivesTheSameDocument) {
  const simhost::Document before = doc();
  ASSERT_EQ(Go(EverythingChanges()), kHostNoErr);
  const simhost::Document first = doc();
  doc() = before;
  host().document.random.Seed(7);
  ASSERT_EQ(Go(EverythingChanges()), kHostNoErr);
  EXPECT_TRUE(SameArt(doc(), first));
}

TEST_F(GoTest, UndoTakesTheRunBackBitForBit) {
  const simhost::Document before = doc();
  ASSERT_EQ(Go(EverythingChanges()), kHostNoErr);
  ASSERT_FALSE(SameArt(doc(), before));
  host().document.UndoChanges();
  EXPECT_TRUE(SameArt(doc(), before));
}

TEST_F(GoTest, WithoutARecordItRunsOnTheFirstUseDefaults) {
  // The defaults: " Horizontal lines" with channel 1 at 45 (grey + 0.45 on even rows),
  // " Basic jitter" with no amount (four draws per vertex, no move).
  ASSERT_FALSE(host().HasParameters());
  doc().art.pop_back();
  const simhost::Document before = doc();
  ASSERT_EQ(host().Send(kCallerFilter, kSelectorGo), kHostNoErr);
  for (int32_t i = 0; i <= 3; ++i) {
    for (int32_t j = 0; j <= 3; ++j) {
      EXPECT_FLOAT_EQ(vertex(0, i, j).color.c[0].value, j % 2 == 0 ? 0.65f : 0.2f);
      EXPECT_NEAR(vertex(0, i, j).anchor.h, before.art[0].mesh.At(i, j).anchor.h, 1e-3);
    }
  }
  EXPECT_EQ(host().document.random.Draws(), 2u + 16u * 4u);
}

TEST_F(GoTest, SelectedArtThatIsNoMeshIsSkippedWhole) {
  simhost::AddOtherArt(doc(), {10, 60, 60, 10});
  MeshParams p = NeutralParams();
  p.moveX = 25;
  ASSERT_EQ(Go(p), kHostNoErr);
  EXPECT_FLOAT_EQ(doc().art[2].otherBounds.left, 10);
  EXPECT_NEAR(host().document.Bounds(0).left, 25, 1e-4) << "the meshes are still moved";
  EXPECT_EQ(host().suites.Calls(kHostTransformArtSuiteName, "TransformArt"), 2);
}

TEST_F(GoTest, NothingSelectedChangesNothing) {
  for (simhost::ArtObject& art : doc().art) art.selected = false;
  const simhost::Document before = doc();
  ASSERT_EQ(Go(EverythingChanges()), kHostNoErr);
  EXPECT_TRUE(SameArt(doc(), before));
  EXPECT_EQ(host().memory.LiveHandles(), 1u);
}

// A run that fails part way is taken back and reported, not passed off as success.
struct FailureCase {
  const char* name;
  simhost::Fault fault;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class FailedGoTest : public GoTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailedGoTest, TakesTheRunBackAndReturnsTheCode) {
  const FailureCase& c = GetParam();
  const simhost::Document before = doc();
  host().suites.AddFault(c.fault);
  EXPECT_EQ(Go(EverythingChanges()), c.fault.code);
  ASSERT_EQ(host().dialogs.Shown().size(), 1u) << "the failure is reported";
  EXPECT_EQ(host().dialogs.Shown()[0].resourceId, 16051);
  EXPECT_TRUE(SameArt(doc(), before));
  EXPECT_EQ(host().memory.LiveHandles(), 1u) << "the selection is released";
  EXPECT_EQ(quibtest::DescribeBreaches(host()), "") << "every vertex reference is released";
}

constexpr HostErr kFailure = HOST_FOUR_CHAR('F', 'A', 'I', 'L');

INSTANTIATE_TEST_SUITE_P(
    Failures, FailedGoTest,
    ::testing::Values(
        FailureCase{"DocumentSetup", {kHostDocumentSuiteName, "GetDocumentSetup", 1, kFailure}},
        FailureCase{"Undo", {kHostUndoSuiteName, "UndoChanges", 1, kFailure}},
        FailureCase{"BoundsAtTheObjectStart", {kHostArtSuiteName, "GetArtBounds", 1, kFailure}},
        FailureCase{"BoundsInThePointStage", {kHostArtSuiteName, "GetArtBounds", 5, kFailure}},
        FailureCase{"BoundsOfTheSecondObject", {kHostArtSuiteName, "GetArtBounds", 18, kFailure}},
        FailureCase{"TransformOfTheSecondObject",
                    {kHostTransformArtSuiteName, "TransformArt", 2, kFailure}}),
    CaseName());

TEST_F(GoTest, Pattern13FailingOnItsBoundsReleasesTheVertex) {
  MeshParams p = NeutralParams();
  p.tangentMode = 13;
  // The object start, the point stage of (0, 0), then pattern 13's own query.
  host().suites.AddFault({kHostArtSuiteName, "GetArtBounds", 3, kFailure});
  EXPECT_EQ(Go(p), kFailure);
  EXPECT_EQ(quibtest::DescribeBreaches(host()), "") << "every vertex reference is released";
}

}  // namespace
}  // namespace enginetest
