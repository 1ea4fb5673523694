// The order of a run through PluginMain: objects last selected first, vertices by i then
// j, the isolation filters, swapNode, the random gates and the random mode picks.
#include <functional>

#include "EngineFixture.h"

namespace enginetest {
namespace {

using simhost::Gray;
using simhost::MeshSpec;

// Target " Accumulate 1" with no interpolation puts the k-th visited vertex of an object
// at (3k, 3k), which shows the order of the visits.
struct VisitCase {
  const char* name;
  bool swapNode;
  int32_t isolateI, isolateJ;
  // The visit number (from 1) of the mesh's vertex (a, b), or 0 when it is not visited.
  std::function<int(int32_t a, int32_t b)> visit;
};

void PrintTo(const VisitCase& c, std::ostream* os) { *os << c.name; }

class VisitOrderTest : public EngineTest, public ::testing::WithParamInterface<VisitCase> {};

TEST_P(VisitOrderTest, VisitsInOrderAndRestartsPerObject) {
  const VisitCase& c = GetParam();
  // Sizes 2 and 5: with swapNode, i runs from 0 to 5 and j from 0 to 2.
  for (int n = 0; n < 2; ++n) MeshSpec(2, 5).Add(doc());
  const simhost::Mesh original = mesh(0);
  MeshParams p = NeutralParams();
  p.swapNode = c.swapNode;
  p.isolateNodeI = c.isolateI;
  p.isolateNodeJ = c.isolateJ;
  p.interpolation = 0;
  p.interpolationTarget = 12;
  ASSERT_EQ(Go(p), kHostNoErr);
  for (size_t object = 0; object < 2; ++object) {
    for (int32_t a = 0; a <= 2; ++a) {
      for (int32_t b = 0; b <= 5; ++b) {
        const int k = c.visit(a, b);
        const HostRealPoint expected =
            k == 0 ? original.At(a, b).anchor : HostRealPoint{3.0f * k, 3.0f * k};
        EXPECT_NEAR(vertex(object, a, b).anchor.h, expected.h, 1e-3)
            << "object " << object << " vertex (" << a << ", " << b << ")";
        EXPECT_NEAR(vertex(object, a, b).anchor.v, expected.v, 1e-3);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Orders, VisitOrderTest,
    ::testing::Values(VisitCase{"IThenJ", false, -1, -1,
                                [](int32_t a, int32_t b) { return a * 6 + b + 1; }},
                      VisitCase{"SwapFetchesJThenI", true, -1, -1,
                                [](int32_t a, int32_t b) { return b * 3 + a + 1; }},
                      VisitCase{"SkippedColumnsDoNotCount", false, 1, -1,
                                [](int32_t a, int32_t b) { return a == 1 ? b + 1 : 0; }},
                      VisitCase{"SwapWithIsolatedRow", true, -1, 1,
                                [](int32_t a, int32_t b) { return a == 1 ? b + 1 : 0; }}),
    CaseName());

// Which vertices the isolation settings let through (their grey becomes 1), while the
// finishing moves every object all the same.
struct IsolationCase {
  const char* name;
  int32_t isolateI, isolateJ;
  std::function<bool(int32_t i, int32_t j)> visited;
};

void PrintTo(const IsolationCase& c, std::ostream* os) { *os << c.name; }

class IsolationTest : public EngineTest, public ::testing::WithParamInterface<IsolationCase> {};

TEST_P(IsolationTest, VisitsOnlyTheIsolatedVerticesAndStillFinishes) {
  const IsolationCase& c = GetParam();
  MeshSpec(3, 3).Color(Gray(0.2f)).Add(doc());
  const simhost::Mesh original = mesh(0);
  MeshParams p = NeutralParams();
  p.isolateNodeI = c.isolateI;
  p.isolateNodeJ = c.isolateJ;
  p.colorOperation = 6;
  p.channel1 = 100;
  p.moveX = 5;
  ASSERT_EQ(Go(p), kHostNoErr);
  for (int32_t i = 0; i <= 3; ++i) {
    for (int32_t j = 0; j <= 3; ++j) {
      EXPECT_FLOAT_EQ(vertex(0, i, j).color.c[0].value, c.visited(i, j) ? 1.0f : 0.2f)
          << "(" << i << ", " << j << ")";
      EXPECT_NEAR(vertex(0, i, j).anchor.h, original.At(i, j).anchor.h + 5, 1e-4);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Filters, IsolationTest,
    ::testing::Values(
        IsolationCase{"All", -1, -1, [](int32_t, int32_t) { return true; }},
        IsolationCase{"OneColumn", 2, -1, [](int32_t i, int32_t) { return i == 2; }},
        IsolationCase{"OneRow", -1, 1, [](int32_t, int32_t j) { return j == 1; }},
        IsolationCase{"OneVertex", 2, 1, [](int32_t i, int32_t j) { return i == 2 && j == 1; }},
        IsolationCase{"PastTheLastColumn", 5, -1, [](int32_t, int32_t) { return false; }},
        IsolationCase{"NegativeOtherThanMinusOne", -2, -1, [](int32_t, int32_t) { return false; }}),
    CaseName());

TEST_F(EngineTest, ProductsAdvanceOverSkippedIndices) {
  MeshSpec(3, 3).Color(Gray(0.9f)).Add(doc());
  MeshParams p = NeutralParams();
  p.colorNodeFactorJ = 50;
  p.isolateNodeJ = 2;
  p.colorOperation = 6;
  p.channel1 = 100;
  ASSERT_EQ(Go(p), kHostNoErr);
  for (int32_t i = 0; i <= 3; ++i) EXPECT_FLOAT_EQ(vertex(0, i, 2).color.c[0].value, 0.25f);
}

TEST_F(EngineTest, TheLastSelectedObjectTakesTheFirstDraws) {
  MeshSpec(1, 1).Add(doc());
  MeshSpec(1, 1).Add(doc());
  const HostRealPoint first = vertex(0, 0, 0).anchor, second = vertex(1, 0, 0).anchor;
  MeshParams p = NeutralParams();
  p.pointMode = 1;  // r1 x jitterX, r2 x jitterY
  p.jitterX = p.jitterY = 10;
  p.isolateNodeI = p.isolateNodeJ = 0;
  Draws({0, 0, 0.1f, 0.2f, 0.3f, 0.4f});
  ASSERT_EQ(Go(p), kHostNoErr);
  EXPECT_NEAR(vertex(1, 0, 0).anchor.h - second.h, 1, 1e-4);
  EXPECT_NEAR(vertex(1, 0, 0).anchor.v - second.v, 2, 1e-4);
  EXPECT_NEAR(vertex(0, 0, 0).anchor.h - first.h, 3, 1e-4);
  EXPECT_NEAR(vertex(0, 0, 0).anchor.v - first.v, 4, 1e-4);
  ExpectScriptSufficed();
}

// The four random gates on one visited vertex: colour stored (grey becomes 1) and anchor
// moved (by 5) only while the gates are open; a draw of exactly 0.5 closes a gate.
struct GateCase {
  const char* name;
  int32_t MeshParams::*flag;
  float draw;
  bool colorStored, moved;
};

void PrintTo(const GateCase& c, std::ostream* os) { *os << c.name; }

class GateTest : public EngineTest, public ::testing::WithParamInterface<GateCase> {};

TEST_P(GateTest, OpensOnlyAboveOneHalf) {
  const GateCase& c = GetParam();
  MeshSpec(1, 1).Color(Gray(0.2f)).Add(doc());
  const HostRealPoint before = vertex(0, 0, 0).anchor;
  MeshParams p = NeutralParams();
  p.*(c.flag) = 1;
  p.isolateNodeI = p.isolateNodeJ = 0;
  p.colorOperation = 6;
  p.channel1 = 100;
  p.jitterX = 5;
  Draws({0, 0, c.draw});
  ASSERT_EQ(Go(p), kHostNoErr);
  EXPECT_FLOAT_EQ(vertex(0, 0, 0).color.c[0].value, c.colorStored ? 1.0f : 0.2f);
  EXPECT_NEAR(vertex(0, 0, 0).anchor.h, before.h + (c.moved ? 5 : 0), 1e-4);
  EXPECT_EQ(host().document.random.Draws(), 3u);
  ExpectScriptSufficed();
}

INSTANTIATE_TEST_SUITE_P(
    Gates, GateTest,
    ::testing::Values(
        GateCase{"OuterColourClosedAtOneHalf", &MeshParams::randomApplyColor1, 0.5f, false, true},
        GateCase{"OuterColourOpenAbove", &MeshParams::randomApplyColor1, 0.51f, true, true},
        GateCase{"VertexColourClosedAtOneHalf", &MeshParams::randomApplyColor2, 0.5f, false, true},
        GateCase{"OuterPositionClosedAtOneHalf", &MeshParams::randomApplyJitter1, 0.5f, true,
                 false},
        GateCase{"VertexPositionClosedAtOneHalf", &MeshParams::randomApplyJitter2, 0.5f, true,
                 false},
        GateCase{"VertexPositionOpenAbove", &MeshParams::randomApplyJitter2, 0.75f, true, true}),
    CaseName());

// The colour gates decide only the store: " Accumulate" still builds on the colour that
// a closed gate kept out of the vertex.
TEST_F(EngineTest, AClosedColourGateStillFeedsThePreviousColour) {
  MeshSpec(1, 1).Color(Gray(0.9f)).Add(doc());
  MeshParams p = NeutralParams();
  p.isolateNodeI = 0;
  p.randomApplyColor2 = 1;
  p.colorOperation = 5;
  p.channel1 = 30;
  Draws({0, 0, 0.2f, 0.9f});  // j = 0 closed, j = 1 open
  ASSERT_EQ(Go(p), kHostNoErr);
  EXPECT_FLOAT_EQ(vertex(0, 0, 0).color.c[0].value, 0.9f);
  EXPECT_FLOAT_EQ(vertex(0, 0, 1).color.c[0].value, 0.6f);
}

// Random colour modes, read through point mode 9 (dx = p) at the vertex (2, 0) of a
// 4 x 4 mesh: " Cross" (29) gives 1 there and " Double patch" (28) gives 0.
struct PickCase {
  const char* name;
  float draw;
  double weight;
};

void PrintTo(const PickCase& c, std::ostream* os) { *os << c.name; }

class ColorPickTest : public EngineTest, public ::testing::WithParamInterface<PickCase> {};

TEST_P(ColorPickTest, CapsAtTheLastMode) {
  MeshSpec(4, 4).Add(doc());
  const float before = vertex(0, 2, 0).anchor.h;
  MeshParams p = NeutralParams();
  p.randomColorCombo = 1;
  p.pointMode = 9;
  p.jitterX = 1;
  p.isolateNodeI = 2;
  p.isolateNodeJ = 0;
  Draws({0, 0, GetParam().draw});
  ASSERT_EQ(Go(p), kHostNoErr);
  EXPECT_NEAR(vertex(0, 2, 0).anchor.h - before, GetParam().weight, 1e-5);
  ExpectScriptSufficed();
}

INSTANTIATE_TEST_SUITE_P(Picks, ColorPickTest,
                         ::testing::Values(PickCase{"JustBelowOne", 0.9999999f, 1},
                                           PickCase{"ExactlyOne", 1.0f, 1},
                                           PickCase{"DoublePatch", 0.95f, 0}),
                         CaseName());

// randomJitterCombos draws the point mode, then the tangent mode: 0.56 picks " Shift"
// (11) and 0 the anchor (0); the other way round would jitter tangents.
TEST_F(EngineTest, JitterCombosDrawThePointModeBeforeTheTangentMode) {
  MeshSpec(2, 2).Add(doc());
  const simhost::MeshVertex before = vertex(0, 1, 1);
  MeshParams p = NeutralParams();
  p.randomJitterCombos = 1;
  p.pointMode = 0;
  p.tangentMode = 5;
  p.jitterX = 3;
  p.jitterY = 4;
  p.isolateNodeI = p.isolateNodeJ = 1;
  Draws({0, 0, 0.56f, 0.0f});
  ASSERT_EQ(Go(p), kHostNoErr);
  EXPECT_NEAR(vertex(0, 1, 1).anchor.h - before.anchor.h, 3, 1e-4);
  EXPECT_NEAR(vertex(0, 1, 1).anchor.v - before.anchor.v, 4, 1e-4);
  EXPECT_EQ(std::memcmp(&vertex(0, 1, 1).tangent, &before.tangent, sizeof before.tangent), 0);
  EXPECT_EQ(host().document.random.Draws(), 4u);
}

}  // namespace
}  // namespace enginetest
