// The colour stage through PluginMain: colour operations, brightness, wrap and clamp
// for every colour kind, and the pattern weight of the colour modes.
#include <cmath>
#include <functional>

#include "EngineFixture.h"

namespace enginetest {
namespace {

using simhost::Custom;
using simhost::Gray;
using simhost::MeshSpec;
using simhost::Pattern;
using simhost::Process;
using simhost::Rgb;

struct ColorCase {
  const char* name;
  HostColor before;
  std::function<void(MeshParams&)> settings;
  std::vector<float> draws;  // after the run's two
  HostColor after;
};

void PrintTo(const ColorCase& c, std::ostream* os) { *os << c.name; }

void ExpectColor(const HostColor& actual, const HostColor& expected) {
  ASSERT_EQ(actual.kind, expected.kind);
  switch (expected.kind) {
    case kHostColorCustom:
      EXPECT_EQ(actual.c[0].ref, expected.c[0].ref) << "the custom colour reference is kept";
      EXPECT_NEAR(actual.c[1].value, expected.c[1].value, 1e-6);
      break;
    case kHostColorGray:
    case kHostColorProcess:
    case kHostColorRGB:
      for (int n = 0; n < 4; ++n) EXPECT_NEAR(actual.c[n].value, expected.c[n].value, 1e-6) << n;
      break;
    default:
      EXPECT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0) << "passed through untouched";
  }
}

class ColorOperationTest : public EngineTest, public ::testing::WithParamInterface<ColorCase> {};

TEST_P(ColorOperationTest, RecolorsTheVisitedVertex) {
  const ColorCase& c = GetParam();
  doc().customColors.push_back({"Spot", 0.9f, 0.1f, 0.1f});
  MeshSpec(1, 1).Color(c.before).Add(doc());
  MeshParams p = NeutralParams();
  p.isolateNodeI = p.isolateNodeJ = 0;
  c.settings(p);
  std::vector<float> draws{0, 0};
  draws.insert(draws.end(), c.draws.begin(), c.draws.end());
  Draws(draws);

  ASSERT_EQ(Go(p), kHostNoErr);
  ExpectColor(vertex(0, 0, 0).color, c.after);
  ExpectColor(vertex(0, 1, 1).color, c.before);  // not visited
  EXPECT_EQ(host().document.random.Draws(), draws.size());
  ExpectScriptSufficed();
}

const float kThirdF = 0.333333343f;

INSTANTIATE_TEST_SUITE_P(
    Operations, ColorOperationTest,
    ::testing::Values(
        ColorCase{"TweakGrey", Gray(0.2f), [](MeshParams& p) { p.channel1 = 45; }, {}, Gray(0.65f)},
        ColorCase{"TweakRgbClamps",
                  Rgb(0.2f, 0.5f, 0.5f),
                  [](MeshParams& p) { p.channel1 = 255; },
                  {},
                  Rgb(1, 0.5f, 0.5f)},
        ColorCase{"TweakRgbWraps",
                  Rgb(0.2f, 0.5f, 0.5f),
                  [](MeshParams& p) {
                    p.channel1 = 255;
                    p.wrap = 1;
                  },
                  {},
                  Rgb(0.2f, 0.5f, 0.5f)},
        ColorCase{"ReverseWithoutWrapClears",
                  Process(0.1f, 0.2f, 0.3f, 0.4f),
                  [](MeshParams& p) { p.colorOperation = 1; },
                  {},
                  Process(0, 0, 0, 0)},
        ColorCase{"ReverseWithWrapInverts",
                  Process(0, 0.2f, 0.3f, 0.4f),
                  [](MeshParams& p) {
                    p.colorOperation = 1;
                    p.wrap = 1;
                  },
                  {},
                  Process(0, 0.8f, 0.7f, 0.6f)},
        ColorCase{"AverageProcessKeepsBlack",
                  Process(0.1f, 0.2f, 0.3f, 0.4f),
                  [](MeshParams& p) { p.colorOperation = 2; },
                  {},
                  Process(kThirdF, kThirdF, kThirdF, 0.4f)},
        ColorCase{"AverageRgb",
                  Rgb(0.3f, 0.6f, 0.9f),
                  [](MeshParams& p) { p.colorOperation = 2; },
                  {},
                  Rgb(0.6f, 0.6f, 0.6f)},
        ColorCase{"IgnoreOriginalAtHalfBrightness",
                  Process(0.1f, 0.2f, 0.3f, 0.4f),
                  [](MeshParams& p) {
                    p.colorOperation = 6;
                    p.channel1 = p.channel2 = p.channel3 = p.channel4 = 100;
                    p.brightness = 50;
                  },
                  {},
                  Process(0.5f, 0.5f, 0.5f, 0.5f)},
        ColorCase{"TotalRandomBlackIsAThird",
                  Process(0.1f, 0.2f, 0.3f, 0.4f),
                  [](MeshParams& p) { p.colorOperation = 3; },
                  {0.9f, 0.6f, 0.3f, 0.9f},
                  Process(0.9f, 0.6f, 0.3f, 0.3f)},
        ColorCase{"RandomSwapWithNoWeight",
                  Process(0.1f, 0.2f, 0.3f, 0.4f),
                  [](MeshParams& p) {
                    p.colorOperation = 4;
                    p.colorMode = 17;  // 0 where i = j
                  },
                  {0.3f, 0.6f, 0.2f, 0.8f},
                  Process(1, 1, 1, 1)},
        ColorCase{"RandomColorsScaleTheAmount",
                  Gray(0.2f),
                  [](MeshParams& p) {
                    p.channel1 = 50;
                    p.randomColors = 1;
                  },
                  {0.5f},
                  Gray(0.45f)},
        ColorCase{"CustomColourChangesOnlyItsTint",
                  Custom(0, 0.3f),
                  [](MeshParams& p) { p.channel1 = 20; },
                  {},
                  Custom(0, 0.5f)},
        ColorCase{"PatternPassesThrough",
                  Pattern(7),
                  [](MeshParams& p) {
                    p.channel1 = 100;
                    p.colorOperation = 3;
                  },
                  {},
                  Pattern(7)}),
    CaseName());

// " Ignore original" with the whole amount in channel 1 makes the grey exactly the
// amount, so the wrap and clamp of every range can be read off one vertex.
class WrapTest : public EngineTest,
                 public ::testing::WithParamInterface<std::pair<float, float>> {};

TEST_P(WrapTest, BringsTheValueBackByWholeNumbersThenClamps) {
  MeshSpec(1, 1).Color(Gray(0.5f)).Add(doc());
  MeshParams p = NeutralParams();
  p.isolateNodeI = p.isolateNodeJ = 0;
  p.colorOperation = 6;
  p.wrap = 1;
  p.channel1 = GetParam().first * 100;
  ASSERT_EQ(Go(p), kHostNoErr);
  EXPECT_NEAR(vertex(0, 0, 0).color.c[0].value, GetParam().second, 1e-5) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(Table, WrapTest,
                         ::testing::Values(std::pair{2.5f, 0.5f}, std::pair{-0.25f, 0.75f},
                                           std::pair{-2.5f, 0.5f}, std::pair{5.5f, 1.0f},
                                           std::pair{4.5f, 0.5f}, std::pair{-3.5f, 0.5f},
                                           std::pair{1.0f, 1.0f}, std::pair{-1.0f, 0.0f},
                                           std::pair{-4.5f, 0.0f}));

TEST_F(EngineTest, AccumulateGrowsAlongALineAndRestartsWithEachObject) {
  for (int n = 0; n < 2; ++n) {
    MeshSpec(1, 4).Grays({0.9f, 0.1f, 0.5f, 0.0f, 0.7f, 0.3f, 0.3f, 0.3f, 0.3f, 0.3f}).Add(doc());
  }
  MeshParams p = NeutralParams();
  p.colorOperation = 5;
  p.channel1 = 30;
  p.isolateNodeI = 0;
  ASSERT_EQ(Go(p), kHostNoErr);
  const float expected[] = {0.3f, 0.6f, 0.9f, 1.0f, 1.0f};
  for (size_t object = 0; object < 2; ++object) {
    for (int32_t j = 0; j <= 4; ++j) {
      EXPECT_NEAR(vertex(object, 0, j).color.c[0].value, expected[j], 1e-6)
          << "object " << object << " j " << j;
    }
  }
}

// The colour stage's pattern weight p, read off the displacement of point mode 9
// (" Shift based on nodes", dx = jitterX x p) on one visited vertex.
struct WeightCase {
  const char* name;
  int32_t mode;
  int32_t ni, nj;
  HostRealRect bounds;
  int32_t i, j;
  std::vector<float> draws;  // after the run's two
  double weight;
};

void PrintTo(const WeightCase& c, std::ostream* os) { *os << c.name; }

class ColorModeTest : public EngineTest, public ::testing::WithParamInterface<WeightCase> {};

TEST_P(ColorModeTest, GivesTheWeight) {
  const WeightCase& c = GetParam();
  MeshSpec(c.ni, c.nj).Over(c.bounds).Add(doc());
  const HostRealPoint before = vertex(0, c.i, c.j).anchor;
  MeshParams p = NeutralParams();
  p.colorMode = c.mode;
  p.pointMode = 9;
  p.jitterX = 1;
  p.isolateNodeI = c.i;
  p.isolateNodeJ = c.j;
  std::vector<float> draws{0, 0};
  draws.insert(draws.end(), c.draws.begin(), c.draws.end());
  Draws(draws);

  ASSERT_EQ(Go(p), kHostNoErr);
  const double dx = double(vertex(0, c.i, c.j).anchor.h) - before.h;
  EXPECT_TRUE(std::isfinite(dx));
  EXPECT_NEAR(dx, c.weight, 1e-4 * std::max(1.0, std::fabs(c.weight)));
  EXPECT_EQ(vertex(0, c.i, c.j).anchor.v, before.v);
  ExpectScriptSufficed();
}

constexpr HostRealRect kSquare{0, 200, 200, 0};
constexpr HostRealRect kAroundOrigin{-100, 100, 100, -100};

INSTANTIATE_TEST_SUITE_P(
    Modes, ColorModeTest,
    ::testing::Values(
        WeightCase{"AllPoints", 0, 2, 2, kSquare, 1, 1, {}, 1},
        WeightCase{"HorizontalLinesOddRow", 1, 2, 2, kSquare, 1, 1, {}, 0},
        WeightCase{"DiagonalsThroughNiMinusI", 10, 4, 4, kSquare, 1, 3, {}, 1},
        WeightCase{"DiagonalsOff", 10, 4, 4, kSquare, 1, 2, {}, 0},
        WeightCase{"CrossColumn", 29, 5, 4, kSquare, 2, 0, {}, 1},
        WeightCase{"CrossRow", 29, 5, 4, kSquare, 1, 2, {}, 1},
        WeightCase{"CrossElsewhere", 29, 5, 4, kSquare, 1, 1, {}, 0},
        WeightCase{"HorizontalInfluencedRight", 5, 2, 2, {100, 300, 300, 100}, 2, 0, {}, 1},
        WeightCase{"HorizontalInfluencedLeft", 5, 2, 2, {100, 300, 300, 100}, 0, 0, {}, 0},
        WeightCase{"HorizontalInfluencedFarOut",
                   5,
                   2,
                   2,
                   {1000, 300, 1200, 100},
                   2,
                   0,
                   {},
                   200.0 / 1100.0},
        WeightCase{"VerticalInfluencedTop", 6, 2, 2, {100, 300, 300, 100}, 0, 2, {}, 1},
        WeightCase{"InnerCentredOnTheOrigin",
                   11,
                   2,
                   2,
                   kAroundOrigin,
                   0,
                   0,
                   {},
                   std::hypot(100.0, 100.0) * 100},
        WeightCase{"RandomJitterDown", 13, 2, 2, kSquare, 1, 1, {0.7f, 0.4f}, 0.8},
        WeightCase{"RandomJitterAtOneHalf", 13, 2, 2, kSquare, 1, 1, {0.5f, 0.4f}, 1.2},
        WeightCase{"Grid3", 20, 4, 4, kSquare, 2, 1, {}, 1},
        WeightCase{"Grid3Off", 20, 4, 4, kSquare, 2, 0, {}, 0},
        WeightCase{"Grad1", 21, 2, 4, kSquare, 0, 4, {}, 2},
        WeightCase{"Grad6", 26, 8, 8, kSquare, 7, 0, {}, 3},
        WeightCase{"Grad7", 27, 8, 8, kSquare, 7, 4, {}, 2},
        WeightCase{"OutsideTheListCarriesTheStartWeight", -1, 2, 2, kSquare, 1, 1, {}, 1},
        // A zero divisor gives no weight, never an infinite one.
        WeightCase{"HorizontalInfluencedCentreOnTheAxis", 5, 2, 2, kAroundOrigin, 2, 0, {}, 0},
        WeightCase{"VerticalInfluencedCentreOnTheAxis", 6, 2, 2, kAroundOrigin, 0, 2, {}, 0},
        WeightCase{"CylinderCentreOnTheAxis", 14, 2, 2, kAroundOrigin, 2, 0, {}, 0},
        WeightCase{"Grad1WithoutPatchesAlongI", 21, 0, 2, kSquare, 0, 1, {}, 0},
        WeightCase{"Grad2WithoutPatchesAlongJ", 22, 2, 0, kSquare, 1, 0, {}, 0},
        WeightCase{"Grad3OfASingleVertex", 23, 0, 0, kSquare, 0, 0, {}, 0},
        WeightCase{"Grad4WithoutPatchesAlongI", 24, 0, 2, kSquare, 0, 1, {}, 0},
        WeightCase{"Grad5WithoutPatchesAlongI", 25, 0, 2, kSquare, 0, 1, {}, 0}),
    CaseName());

// Weights along one line of constant i, read as the grey of " Ignore original" with the
// whole amount: the running j-product and the carried weight of the previous vertex.
struct LineCase {
  const char* name;
  int32_t mode;
  float colorNodeFactorJ;
  std::vector<float> weights;  // j = 0, 1, ...
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class WeightAlongALineTest : public EngineTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(WeightAlongALineTest, FollowsTheProductsAndTheCarriedWeight) {
  const LineCase& c = GetParam();
  const int32_t nj = int32_t(c.weights.size()) - 1;
  MeshSpec(1, nj).Add(doc());
  MeshParams p = NeutralParams();
  p.colorMode = c.mode;
  p.colorNodeFactorJ = c.colorNodeFactorJ;
  p.colorOperation = 6;
  p.channel1 = 100;
  p.isolateNodeI = 0;
  ASSERT_EQ(Go(p), kHostNoErr);
  for (int32_t j = 0; j <= nj; ++j) {
    EXPECT_FLOAT_EQ(vertex(0, 0, j).color.c[0].value, c.weights[size_t(j)]) << "j " << j;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WeightAlongALineTest,
    ::testing::Values(LineCase{"Flow", 12, 100, {1, 0.5f, 0.5f, 1, 0.5f, 0.5f}},
                      LineCase{"FlowWithHalfFactor", 12, 50, {1, 0.25f, 0.0625f, 0.125f}},
                      LineCase{"CarriedWithHalfFactor", -1, 50, {1, 0.5f, 0.125f, 0.015625f}},
                      LineCase{"AllPointsWithHalfFactor", 0, 50, {1, 0.5f, 0.25f, 0.125f}}),
    CaseName());

}  // namespace
}  // namespace enginetest
