// The point stage through PluginMain: displacements of the point modes, the targets,
// and the tangent modes that carry them into the mesh.
#include <cmath>
#include <functional>

#include "EngineFixture.h"

namespace enginetest {
namespace {

using simhost::Gray;
using simhost::MeshSpec;
using simhost::Process;
using simhost::Rgb;

// A 2 x 2 mesh whose bounds are left 0, top 300, right 200, bottom 100: centre
// (100, 200), half-sizes 100 and 100.
constexpr HostRealRect kBounds{0, 300, 200, 100};

struct DisplacementCase {
  const char* name;
  int32_t mode;
  float jitterX, jitterY;
  HostColor color;
  int32_t i, j;
  std::vector<float> draws;  // after the run's two
  HostRealPoint d;
};

void PrintTo(const DisplacementCase& c, std::ostream* os) { *os << c.name; }

class PointModeTest : public EngineTest, public ::testing::WithParamInterface<DisplacementCase> {};

// Tangent mode 0 with the full interpolation moves the anchor by exactly d.
TEST_P(PointModeTest, MovesTheAnchorByTheDisplacement) {
  const DisplacementCase& c = GetParam();
  MeshSpec(2, 2).Over(kBounds).Color(c.color).Add(doc());
  const HostRealPoint before = vertex(0, c.i, c.j).anchor;
  MeshParams p = NeutralParams();
  p.pointMode = c.mode;
  p.jitterX = c.jitterX;
  p.jitterY = c.jitterY;
  p.isolateNodeI = c.i;
  p.isolateNodeJ = c.j;
  std::vector<float> draws{0, 0};
  draws.insert(draws.end(), c.draws.begin(), c.draws.end());
  Draws(draws);

  ASSERT_EQ(Go(p), kHostNoErr);
  const HostRealPoint after = vertex(0, c.i, c.j).anchor;
  EXPECT_NEAR(after.h - before.h, c.d.h, 0.005);
  EXPECT_NEAR(after.v - before.v, c.d.v, 0.005);
  EXPECT_EQ(host().document.random.Draws(), draws.size()) << "draws of the mode";
  ExpectScriptSufficed();
}

const HostColor kGrey = Gray(0.5f);

INSTANTIATE_TEST_SUITE_P(
    Modes, PointModeTest,
    ::testing::Values(
        DisplacementCase{"BasicJitterSignAtOneHalfIsNegative",
                         0,
                         10,
                         20,
                         kGrey,
                         1,
                         1,
                         {0.5f, 0.4f, 0.9f, 0.25f},
                         {-4, 5}},
        DisplacementCase{"OneDirection", 1, 10, 20, kGrey, 1, 1, {0.25f, 0.75f}, {2.5f, 15}},
        DisplacementCase{"JitterAlternateColumnOnOddColumn",
                         2,
                         10,
                         20,
                         kGrey,
                         1,
                         0,
                         {0.75f, 0.5f, 0.25f, 0.5f},
                         {5, -10}},
        DisplacementCase{"JitterAlternateColumnOnEvenColumn", 2, 10, 20, kGrey, 0, 1, {}, {0, 0}},
        DisplacementCase{"AlternateColumnJitterOnEvenColumn", 3, 10, 20, kGrey, 2, 1, {}, {0, 0}},
        DisplacementCase{
            "AlternateRowJitterOnOddRow", 4, 10, 20, kGrey, 0, 1, {0.5f, 0.5f}, {5, 10}},
        DisplacementCase{"AlternateColumnShiftOnOddColumn", 5, 10, 20, kGrey, 1, 0, {}, {10, 20}},
        DisplacementCase{"AlternateRowShiftOnEvenRow", 6, 10, 20, kGrey, 1, 0, {}, {0, 0}},
        DisplacementCase{"ShiftBasedOnProcessColour",
                         7,
                         1,
                         1,
                         Process(0.1f, 0.2f, 0.3f, 0.4f),
                         1,
                         1,
                         {},
                         {0.25f, 0.25f}},
        DisplacementCase{
            "ShiftBasedOnRgbColour", 7, 1, 1, Rgb(0.3f, 0.6f, 0.9f), 1, 1, {}, {0.6f, 0.6f}},
        DisplacementCase{
            "JitterBasedOnGreyColour", 8, 10, 20, Gray(0.5f), 1, 1, {0.5f, 0.25f}, {2.5f, 2.5f}},
        DisplacementCase{"ShiftGridOffTheGrid", 12, 10, 20, kGrey, 1, 0, {}, {0, 0}},
        DisplacementCase{"ShiftGridOnTheGrid", 12, 10, 20, kGrey, 1, 1, {}, {10, 20}},
        DisplacementCase{"SeparateColumnEvenRow", 13, 10, 20, kGrey, 1, 0, {}, {-10, -20}},
        DisplacementCase{"SeparateColumnOddRow", 13, 10, 20, kGrey, 0, 1, {}, {10, 20}},
        DisplacementCase{"SeparateRowOddColumn", 14, 10, 20, kGrey, 1, 0, {}, {10, 20}},
        DisplacementCase{"Radial", 15, 10, 20, kGrey, 1, 1, {}, {22.36f, 42.91f}},
        DisplacementCase{"Zoom", 16, 10, 20, kGrey, 1, 1, {}, {-22.36f, -46.89f}},
        DisplacementCase{"IncreasingOnTheFirstColumn", 17, 10, 20, kGrey, 0, 1, {}, {5, 0}},
        DisplacementCase{"BurstOnTheFirstColumn", 18, 10, 20, kGrey, 0, 1, {}, {0, 10}},
        DisplacementCase{"AccumulateGrowsWithTheIndices", 19, 10, 20, kGrey, 1, 2, {}, {20, 20}},
        DisplacementCase{"OutsideTheListStays", -1, 10, 20, kGrey, 1, 1, {}, {0, 0}}),
    CaseName());

TEST_F(EngineTest, RadialShiftOfAMeshWithoutWidthStaysFinite) {
  MeshSpec(2, 2).Over({100, 300, 100, 100}).Add(doc());
  MeshParams p = NeutralParams();
  p.pointMode = 15;
  p.jitterX = 10;
  p.isolateNodeI = p.isolateNodeJ = 1;
  const float before = vertex(0, 1, 1).anchor.h;
  ASSERT_EQ(Go(p), kHostNoErr);
  const float after = vertex(0, 1, 1).anchor.h;
  ASSERT_TRUE(std::isfinite(after));
  // The distance to the centre (100, 200) over a half-width of 0.01 instead of 0.
  EXPECT_NEAR(after - before, std::hypot(100.0, 200.0) * 10 / 0.01, 1);
}

// A mode whose condition fails draws nothing, so the draws of later vertices move up.
TEST_F(EngineTest, AGatedModeDrawsOnlyWhereItsConditionHolds) {
  MeshSpec(2, 2).Over(kBounds).Add(doc());
  std::vector<HostRealPoint> before;
  for (int32_t i = 0; i <= 2; ++i) before.push_back(vertex(0, i, 0).anchor);
  MeshParams p = NeutralParams();
  p.pointMode = 2;  // jitter on odd columns
  p.jitterX = 10;
  p.jitterY = 20;
  p.isolateNodeJ = 0;
  Draws({0, 0, 0.75f, 0.5f, 0.75f, 0.25f});
  ASSERT_EQ(Go(p), kHostNoErr);
  EXPECT_EQ(vertex(0, 0, 0).anchor.h, before[0].h);
  EXPECT_NEAR(vertex(0, 1, 0).anchor.h - before[1].h, 5, 1e-4);
  EXPECT_NEAR(vertex(0, 1, 0).anchor.v - before[1].v, 5, 1e-4);
  EXPECT_EQ(vertex(0, 2, 0).anchor.h, before[2].h);
  EXPECT_EQ(host().document.random.Draws(), 6u);
  ExpectScriptSufficed();
}

// With no interpolation (t = 0) the moved anchor lands on the target itself.
struct TargetCase {
  const char* name;
  int32_t target;
  std::vector<float> draws;  // the run's two included
  HostRealPoint at;
};

void PrintTo(const TargetCase& c, std::ostream* os) { *os << c.name; }

class TargetTest : public EngineTest, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(TargetTest, PutsTheAnchorOnTheTarget) {
  const TargetCase& c = GetParam();
  doc().width = 600;
  doc().height = 800;
  MeshSpec(2, 2).Over(kBounds).Add(doc());
  MeshParams p = NeutralParams();
  p.interpolation = 0;
  p.interpolationTarget = c.target;
  p.isolateNodeI = p.isolateNodeJ = 1;
  Draws(c.draws);
  ASSERT_EQ(Go(p), kHostNoErr);
  EXPECT_NEAR(vertex(0, 1, 1).anchor.h, c.at.h, 1e-3);
  EXPECT_NEAR(vertex(0, 1, 1).anchor.v, c.at.v, 1e-3);
  EXPECT_EQ(host().document.random.Draws(), c.draws.size());
  ExpectScriptSufficed();
}

INSTANTIATE_TEST_SUITE_P(
    Targets, TargetTest,
    ::testing::Values(TargetCase{"MeshCentre", 0, {0, 0}, {100, 200}},
                      TargetCase{"Hundred", 1, {0, 0}, {100, 100}},
                      TargetCase{"Origin", 2, {0, 0}, {0, 0}},
                      TargetCase{"DocumentCentre", 3, {0, 0}, {300, 400}},
                      TargetCase{"RandomHorizontal", 4, {0, 0, 0.5f}, {300, 200}},
                      TargetCase{"RandomVertical", 5, {0, 0, 0.25f}, {100, 200}},
                      TargetCase{"SingleRandomCrossesWidthAndHeight", 6, {0.25f, 0.5f}, {200, 300}},
                      TargetCase{"AllPointsRandom", 7, {0, 0, 0.5f, 0.25f}, {300, 200}},
                      TargetCase{"MeshBottom", 8, {0, 0}, {100, 100}},
                      TargetCase{"MeshTop", 9, {0, 0}, {100, 300}},
                      TargetCase{"MeshLeft", 10, {0, 0}, {0, 200}},
                      TargetCase{"MeshRight", 11, {0, 0}, {200, 200}},
                      TargetCase{"Accumulate1", 12, {0, 0}, {3, 3}},
                      TargetCase{"Accumulate2", 13, {0, 0}, {0, 4}},
                      TargetCase{"Accumulate3", 14, {0, 0, 0.5f}, {0, 2}},
                      TargetCase{"OutsideTheListKeepsTheStart", 99, {0, 0}, {0, 0}}),
    CaseName());

// Which of the interior vertex's points each tangent mode moves: +d, -d, or places on
// a point (modes 12 and 13), with d = (3, 5) from " Shift" and t = 1.
enum Effect { kKept = 0, kPlus = 1, kMinus = -1, kPlaced = 2 };
struct TangentCase {
  const char* name;
  int32_t mode;
  bool anchorMoves;
  std::array<int, 4> tangents;  // by segment slot: i-, i+, j-, j+
  HostRealPoint placedAt;
  int smoothSlot;  // -1: none
};

void PrintTo(const TangentCase& c, std::ostream* os) { *os << c.name; }

class TangentModeTest : public EngineTest, public ::testing::WithParamInterface<TangentCase> {};

TEST_P(TangentModeTest, MovesTheChosenPoints) {
  const TangentCase& c = GetParam();
  MeshSpec(2, 2).Over({0, 200, 200, 0}).Add(doc());
  const simhost::MeshVertex before = vertex(0, 1, 1);
  MeshParams p = NeutralParams();
  p.tangentMode = c.mode;
  p.jitterX = 3;
  p.jitterY = 5;
  p.isolateNodeI = p.isolateNodeJ = 1;
  ASSERT_EQ(Go(p), kHostNoErr);

  const simhost::MeshVertex& after = vertex(0, 1, 1);
  const float ax = c.anchorMoves ? 3 : 0, ay = c.anchorMoves ? 5 : 0;
  EXPECT_NEAR(after.anchor.h, before.anchor.h + ax, 1e-4);
  EXPECT_NEAR(after.anchor.v, before.anchor.v + ay, 1e-4);
  for (size_t slot = 0; slot < 4; ++slot) {
    HostRealPoint expected = before.tangent[slot];
    if (c.tangents[slot] == kPlaced) {
      expected = c.placedAt;
    } else {
      expected.h += 3.0f * float(c.tangents[slot]);
      expected.v += 5.0f * float(c.tangents[slot]);
    }
    EXPECT_NEAR(after.tangent[slot].h, expected.h, 1e-4) << "slot " << slot;
    EXPECT_NEAR(after.tangent[slot].v, expected.v, 1e-4) << "slot " << slot;
    EXPECT_EQ(after.smooth[slot], int(slot) == c.smoothSlot) << "smooth flag of slot " << slot;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TangentModeTest,
    ::testing::Values(
        TangentCase{"Anchor", 0, true, {0, 0, 0, 0}, {}, -1},
        TangentCase{"Pattern1", 1, false, {0, 0, kPlus, 0}, {}, -1},
        TangentCase{"Pattern2SetsSmooth", 2, false, {0, 0, kPlus, 0}, {}, 2},
        TangentCase{"Pattern3", 3, false, {kPlus, 0, 0, 0}, {}, -1},
        TangentCase{"Pattern4", 4, false, {0, 0, 0, kPlus}, {}, -1},
        TangentCase{"Pattern5", 5, false, {0, kPlus, 0, 0}, {}, -1},
        TangentCase{"Pattern6", 6, false, {kPlus, 0, kPlus, 0}, {}, -1},
        TangentCase{"Pattern7", 7, false, {0, kPlus, 0, kPlus}, {}, -1},
        TangentCase{"Pattern8PushesTheOppositeBack", 8, false, {0, 0, kPlus, kMinus}, {}, -1},
        TangentCase{"Pattern9AcrossTheAxes", 9, false, {kMinus, 0, kPlus, 0}, {}, -1},
        TangentCase{"Pattern10", 10, false, {kPlus, kMinus, 0, 0}, {}, -1},
        TangentCase{"Pattern11", 11, false, {kMinus, kPlus, 0, 0}, {}, -1},
        TangentCase{"Pattern12PlacesFromTheOrigin", 12, true, {kPlaced, kPlaced, 0, 0}, {0, 0}, -1},
        TangentCase{
            "Pattern13PlacesOnTheNewCentre", 13, true, {kPlaced, kPlaced, 0, 0}, {100, 100}, -1},
        TangentCase{"OutsideTheListTouchesNothing", -1, false, {0, 0, 0, 0}, {}, -1}),
    CaseName());

TEST_F(EngineTest, Pattern12ScalesThePlacedTangentsTowardTheTarget) {
  MeshSpec(2, 2).Over({0, 200, 200, 0}).Add(doc());
  MeshParams p = NeutralParams();
  p.tangentMode = 12;
  p.interpolationTarget = 1;  // (100, 100)
  p.interpolation = 50;
  p.isolateNodeI = p.isolateNodeJ = 1;
  ASSERT_EQ(Go(p), kHostNoErr);
  for (int slot : {simhost::kSegIMinus, simhost::kSegIPlus}) {
    EXPECT_NEAR(vertex(0, 1, 1).tangent[size_t(slot)].h, 50, 1e-4);
    EXPECT_NEAR(vertex(0, 1, 1).tangent[size_t(slot)].v, 50, 1e-4);
  }
}

// Scales that overflow the 32-bit reals never reach the mesh as infinite points.
TEST_F(EngineTest, AnOverflowingPositionScaleLeavesThePointsFinite) {
  MeshSpec(60, 1).Over({0, 100, 600, 0}).Add(doc());
  MeshParams p = NeutralParams();
  p.pointNodeFactorI = 600;  // 6 to the power i passes the largest real near i = 50
  p.jitterX = 10;
  ASSERT_EQ(Go(p), kHostNoErr);
  for (const simhost::MeshVertex& v : mesh(0).vertices) {
    EXPECT_TRUE(std::isfinite(v.anchor.h) && std::isfinite(v.anchor.v));
  }
}

}  // namespace
}  // namespace enginetest
