// The per-object finishing through PluginMain: random opacity and blending mode, and the
// turn, scale and move about the centre of the object's present bounds.
#include <cmath>
#include <functional>

#include "EngineFixture.h"

namespace enginetest {
namespace {

using simhost::MeshSpec;

struct FinishCase {
  const char* name;
  std::function<void(MeshParams&)> settings;
  std::vector<float> draws;  // after the run's two
  HostRealRect bounds;       // of the 1 x 1 mesh over (0, 0)-(100, 100) afterwards
  HostRealPoint corner;      // where the vertex (1, 0), first at (100, 0), ends
  float opacity;
  int32_t blendMode;
};

void PrintTo(const FinishCase& c, std::ostream* os) { *os << c.name; }

class FinishTest : public EngineTest, public ::testing::WithParamInterface<FinishCase> {};

TEST_P(FinishTest, TransformsTheWholeObject) {
  const FinishCase& c = GetParam();
  MeshSpec(1, 1).Over({0, 100, 100, 0}).Add(doc());
  doc().art[0].blendMode = 3;
  MeshParams p = NeutralParams();
  p.isolateNodeI = 7;  // no vertex is visited; the finishing runs all the same
  c.settings(p);
  std::vector<float> draws{0, 0};
  draws.insert(draws.end(), c.draws.begin(), c.draws.end());
  Draws(draws);

  ASSERT_EQ(Go(p), kHostNoErr);
  const HostRealRect b = host().document.Bounds(0);
  EXPECT_NEAR(b.left, c.bounds.left, 1e-3);
  EXPECT_NEAR(b.top, c.bounds.top, 1e-3);
  EXPECT_NEAR(b.right, c.bounds.right, 1e-3);
  EXPECT_NEAR(b.bottom, c.bounds.bottom, 1e-3);
  EXPECT_NEAR(vertex(0, 1, 0).anchor.h, c.corner.h, 1e-3);
  EXPECT_NEAR(vertex(0, 1, 0).anchor.v, c.corner.v, 1e-3);
  EXPECT_FLOAT_EQ(doc().art[0].opacity, c.opacity);
  EXPECT_EQ(doc().art[0].blendMode, c.blendMode);
  EXPECT_EQ(host().document.random.Draws(), draws.size());
  ExpectScriptSufficed();
}

const HostRealRect kSame{0, 100, 100, 0};

INSTANTIATE_TEST_SUITE_P(
    Finishing, FinishTest,
    ::testing::Values(
        FinishCase{"IdentityStillTransforms", [](MeshParams&) {}, {}, kSame, {100, 0}, 1, 3},
        FinishCase{"RandomScaleFirstDrawIsVertical",
                   [](MeshParams& p) { p.randomScale = 1; },
                   {0.5f, 0.25f},
                   {37.5f, 75, 62.5f, 25},
                   {62.5f, 25},
                   1,
                   3},
        FinishCase{"NegativeScaleMirrors",
                   [](MeshParams& p) { p.scaleX = -100; },
                   {},
                   kSame,
                   {0, 0},
                   1,
                   3},
        FinishCase{"PositiveAngleTurnsCounterclockwise",
                   [](MeshParams& p) { p.angle = 90; },
                   {},
                   kSame,
                   {100, 100},
                   1,
                   3},
        FinishCase{"RandomAngleScalesTheAngle",
                   [](MeshParams& p) {
                     p.angle = 90;
                     p.randomAngle = 1;
                   },
                   {0.5f},
                   {50 - 70.7107f, 50 + 70.7107f, 50 + 70.7107f, 50 - 70.7107f},
                   {50 + 70.7107f, 50},
                   1,
                   3},
        FinishCase{"Move",
                   [](MeshParams& p) {
                     p.moveX = 10;
                     p.moveY = 20;
                   },
                   {},
                   {10, 120, 110, 20},
                   {110, 20},
                   1,
                   3},
        FinishCase{"RandomShiftDrawsTheVerticalPartFirst",
                   [](MeshParams& p) {
                     p.moveX = 10;
                     p.moveY = 20;
                     p.randomShift = 1;
                   },
                   {0.7f, 0.5f, 0.5f, 0.5f},
                   {-5, 110, 95, 10},
                   {95, 10},
                   1,
                   3},
        FinishCase{"OpacityBlendAndScaleInOrder",
                   [](MeshParams& p) {
                     p.randomOpacity = 1;
                     p.randomBlend = 1;
                     p.randomScale = 1;
                   },
                   {0.3f, 0.79f, 0.5f, 0.25f},
                   {37.5f, 75, 62.5f, 25},
                   {62.5f, 25},
                   0.3f,
                   15},
        FinishCase{"BlendDrawPastFifteenGivesNormal",
                   [](MeshParams& p) { p.randomBlend = 1; },
                   {0.8f},
                   kSame,
                   {100, 0},
                   1,
                   0}),
    CaseName());

// The centre of the finishing is that of the bounds after the vertex stages: the same
// run with and without a scale keeps the centre of the moved mesh.
TEST_F(EngineTest, FinishingScalesAboutTheMovedBounds) {
  MeshSpec(1, 1).Over({0, 100, 100, 0}).Add(doc());
  const simhost::Document original = doc();
  MeshParams p = NeutralParams();
  p.jitterX = 100;  // every anchor moves right by 100, its tangents stay
  ASSERT_EQ(Go(p), kHostNoErr);
  const HostRealRect moved = host().document.Bounds(0);
  ASSERT_GT(moved.left, 0);

  doc() = original;
  p.scaleX = 50;
  ASSERT_EQ(Go(p), kHostNoErr);
  const HostRealRect scaled = host().document.Bounds(0);
  const double centre = (double(moved.left) + moved.right) / 2;
  const double half = (double(moved.right) - moved.left) / 4;
  EXPECT_NEAR(scaled.left, centre - half, 1e-3);
  EXPECT_NEAR(scaled.right, centre + half, 1e-3);
}

}  // namespace
}  // namespace enginetest
