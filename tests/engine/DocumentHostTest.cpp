// The simulated host's document services on their own: exact and incremental bounds,
// the undo journal, random numbers, real math, the view, references and matching art.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "EngineFixture.h"
#include "simhost/DocumentBuilder.h"
#include "simhost/SimHost.h"

namespace {

using simhost::MeshSpec;

// A host without a module; the test holds the suites it calls, as a module would.
class DocumentSuitesTest : public ::testing::Test {
 protected:
  template <class Suite>
  const Suite* Hold(const char* name, int32_t version) {
    const void* table = nullptr;
    EXPECT_EQ(host.suites.Acquire(name, version, &table), kHostNoErr) << name;
    held.emplace_back(name, version);
    return static_cast<const Suite*>(table);
  }
  void TearDown() override {
    for (auto& [name, version] : held) host.suites.Release(name.c_str(), version);
  }
  std::string Breaches() const {
    std::string all;
    for (const simhost::Breach& b : host.suites.Breaches()) all += b.kind + ": " + b.detail + "\n";
    return all;
  }

  simhost::SimHost host;
  simhost::Document& doc = host.document.doc;
  std::vector<std::pair<std::string, int32_t>> held;
};

bool SameRect(const HostRealRect& a, const HostRealRect& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(BezierBoundsTest, IncludeTheCurveNotJustItsEnds) {
  // An arch from (0, 0) to (100, 0) whose control points stand at height 100 peaks at 75.
  HostRealRect arch = simhost::BezierBounds({0, 0}, {0, 100}, {100, 100}, {100, 0});
  EXPECT_FLOAT_EQ(arch.left, 0);
  EXPECT_FLOAT_EQ(arch.right, 100);
  EXPECT_FLOAT_EQ(arch.bottom, 0);
  EXPECT_FLOAT_EQ(arch.top, 75);
  // A straight segment is its end points, whatever its control points along it.
  HostRealRect line = simhost::BezierBounds({0, 0}, {1, 1}, {2, 2}, {3, 3});
  EXPECT_TRUE(SameRect(line, HostRealRect{0, 3, 3, 0}));
}

TEST_F(DocumentSuitesTest, MeshBoundsFollowEveryEdgeAndOnlyRealEdges) {
  MeshSpec(2, 2).Over({0, 200, 200, 0}).Add(doc);
  // Pull the top edge's tangent up: the edge bulges to 3/4 of the pull.
  doc.art[0].mesh.At(0, 2).tangent[simhost::kSegIPlus].v = 400;
  doc.art[0].mesh.At(1, 2).tangent[simhost::kSegIMinus].v = 400;
  // A boundary slot without a neighbour is no geometry.
  doc.art[0].mesh.At(0, 0).tangent[simhost::kSegIMinus] = {-1000, -1000};
  HostRealRect b = host.document.Bounds(0);
  EXPECT_FLOAT_EQ(b.top, 350);
  EXPECT_FLOAT_EQ(b.left, 0);
  EXPECT_FLOAT_EQ(b.bottom, 0);
}

TEST_F(DocumentSuitesTest, IncrementalBoundsMatchAFreshComputationAfterEveryChange) {
  MeshSpec(6, 5).Over({0, 500, 600, 0}).Add(doc);
  ASSERT_TRUE(SameRect(host.document.Bounds(0), simhost::ComputeArtBounds(doc.art[0])));
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> pickI(0, 6), pickJ(0, 5), pickSlot(-1, 3);
  std::uniform_real_distribution<float> coord(-300, 900);
  for (int step = 0; step < 400; ++step) {
    simhost::VertexHandle at{0, pickI(rng), pickJ(rng), false};
    int slot = pickSlot(rng);
    HostRealPoint to{coord(rng), coord(rng)};
    if (slot < 0) {
      host.document.ChangeAnchor(at, to);
    } else {
      host.document.ChangeTangent(at, slot, to);
    }
    ASSERT_TRUE(SameRect(host.document.Bounds(0), simhost::ComputeArtBounds(doc.art[0])))
        << "after step " << step;
  }
}

TEST_F(DocumentSuitesTest, ANegativeScaleStillGivesProperBounds) {
  MeshSpec(2, 2).Over({10, 50, 40, 20}).Add(doc);
  host.document.Transform(0, HostRealMatrix{-2, 0, 0, 1, 0, 0});
  HostRealRect b = host.document.Bounds(0);
  EXPECT_FLOAT_EQ(b.left, -80);
  EXPECT_FLOAT_EQ(b.right, -20);
  EXPECT_FLOAT_EQ(b.top, 50);
  EXPECT_FLOAT_EQ(b.bottom, 20);
}

TEST_F(DocumentSuitesTest, UndoTakesBackOnlyTheCurrentCommandBitForBit) {
  MeshSpec(3, 2).Color(simhost::Gray(0.3f)).Add(doc);
  simhost::AddOtherArt(doc, {0, 10, 10, 0});
  simhost::VertexHandle at{0, 1, 1, false};
  host.document.ChangeColor(at, simhost::Gray(0.9f));  // an earlier command
  host.document.BeginFilterCommand();
  const simhost::Document before = doc;

  host.document.ChangeAnchor(at, {5, 5});
  host.document.ChangeAnchor(at, {7, 7});  // the same point twice: the first old value wins
  host.document.ChangeTangent(at, simhost::kSegJPlus, {1, 2});
  host.document.ChangeSmooth(at, simhost::kSegJPlus, true);
  host.document.ChangeColor(at, simhost::Rgb(0.1f, 0.2f, 0.3f));
  host.document.ChangeOpacity(0, 0.25f);
  host.document.ChangeBlendMode(0, 9);
  host.document.Transform(0, HostRealMatrix{0, 1, -1, 0, 3, 4});
  host.document.Transform(1, HostRealMatrix{2, 0, 0, 2, 0, 0});
  host.document.UndoChanges();

  ASSERT_EQ(doc.art.size(), before.art.size());
  for (size_t n = 0; n < doc.art.size(); ++n) {
    const simhost::ArtObject &x = doc.art[n], &y = before.art[n];
    EXPECT_TRUE(enginetest::SameVertices(x.mesh.vertices, y.mesh.vertices)) << n;
    EXPECT_EQ(x.opacity, y.opacity);
    EXPECT_EQ(x.blendMode, y.blendMode);
    EXPECT_TRUE(SameRect(x.otherBounds, y.otherBounds));
  }
  EXPECT_FLOAT_EQ(doc.art[0].mesh.At(1, 1).color.c[0].value, 0.9f) << "the earlier command stays";
  EXPECT_EQ(host.document.JournalSize(), 0u);
}

TEST(RandomSourceTest, TheSameSeedGivesTheSameDrawsInRange) {
  simhost::RandomSource a, b;
  a.Seed(99);
  b.Seed(99);
  bool differs = false;
  simhost::RandomSource c;
  c.Seed(100);
  for (int n = 0; n < 1000; ++n) {
    float x = a.Next();
    ASSERT_EQ(x, b.Next());
    ASSERT_GE(x, 0.0f);
    ASSERT_LT(x, 1.0f);
    differs = differs || x != c.Next();
  }
  EXPECT_TRUE(differs) << "another seed gives other draws";
  EXPECT_EQ(a.Draws(), 1000u);
}

TEST(RandomSourceTest, AScriptGivesItsDrawsThenRecordsWhenItRanOut) {
  simhost::RandomSource r;
  r.Script({0.25f, 0.5f, 1.0f});
  EXPECT_EQ(r.Next(), 0.25f);
  EXPECT_EQ(r.Next(), 0.5f);
  EXPECT_EQ(r.Next(), 1.0f);
  EXPECT_FALSE(r.Exhausted());
  float after = r.Next();
  EXPECT_GE(after, 0.0f);
  EXPECT_LT(after, 1.0f);
  EXPECT_TRUE(r.Exhausted());
  EXPECT_EQ(r.ExhaustedAfter(), 3u);
  EXPECT_EQ(r.Draws(), 4u);
}

TEST_F(DocumentSuitesTest, RealMathInterpolatesTowardTheFirstPoint) {
  auto math = Hold<HostRealMathSuite>(kHostRealMathSuiteName, kHostRealMathSuiteVersion);
  EXPECT_FLOAT_EQ(math->RealInterpolate(10, 2, 1), 10);
  EXPECT_FLOAT_EQ(math->RealInterpolate(10, 2, 0), 2);
  EXPECT_FLOAT_EQ(math->RealInterpolate(10, 2, 0.25f), 4);
  HostRealPoint a{10, 20}, b{0, 100}, out;
  math->PointInterpolate(&a, &b, 0.5f, &a);  // the result may be the first point
  EXPECT_FLOAT_EQ(a.h, 5);
  EXPECT_FLOAT_EQ(a.v, 60);
  math->PointInterpolate(&a, &b, -1, &out);  // a negative fraction mirrors through b
  EXPECT_FLOAT_EQ(out.h, -5);
  EXPECT_FLOAT_EQ(out.v, 140);
  HostRealPoint origin{0, 0}, far{3, 4};
  EXPECT_FLOAT_EQ(math->PointDistance(&origin, &far), 5);
  EXPECT_FLOAT_EQ(math->RealDiv(1, 8), 0.125f);
  EXPECT_FLOAT_EQ(math->DegreeToRadian(180), 3.14159265f);
  EXPECT_FLOAT_EQ(math->RealSqrt(2.25f), 1.5f);
}

// Where the matrix takes (1, 0) and (0, 0) after a translation by (1, 0) followed by
// each concatenation: each one applies after what the matrix already holds.
TEST_F(DocumentSuitesTest, MatrixConcatenationsApplyAfterWhatTheMatrixHolds) {
  auto math = Hold<HostRealMathSuite>(kHostRealMathSuiteName, kHostRealMathSuiteVersion);
  auto apply = [](const HostRealMatrix& m, HostRealPoint p) {
    return HostRealPoint{m.a * p.h + m.c * p.v + m.tx, m.b * p.h + m.d * p.v + m.ty};
  };
  HostRealMatrix m;
  math->MatrixSetTranslate(&m, 1, 0);
  math->MatrixConcatRotate(&m, 1.57079633f);  // a quarter turn counterclockwise
  HostRealPoint p = apply(m, {0, 0});
  EXPECT_NEAR(p.h, 0, 1e-6);
  EXPECT_NEAR(p.v, 1, 1e-6);
  math->MatrixConcatScale(&m, 3, 2);
  p = apply(m, {0, 0});
  EXPECT_NEAR(p.h, 0, 1e-6);
  EXPECT_NEAR(p.v, 2, 1e-6);
  math->MatrixConcatTranslate(&m, 10, 20);
  p = apply(m, {1, 0});  // (2, 0) turned to (0, 2), scaled to (0, 4), moved
  EXPECT_NEAR(p.h, 10, 1e-5);
  EXPECT_NEAR(p.v, 24, 1e-5);
}

TEST_F(DocumentSuitesTest, TheFrontViewConvertsPixelsToArtwork) {
  auto view =
      Hold<HostDocumentViewSuite>(kHostDocumentViewSuiteName, kHostDocumentViewSuiteVersion);
  doc.view.topLeft = {10, 500};
  HostViewRef front = nullptr, other = nullptr;
  ASSERT_EQ(view->GetNthView(0, &front), kHostNoErr);
  EXPECT_NE(view->GetNthView(1, &other), kHostNoErr);
  EXPECT_EQ(view->SetZoom(front, 0), kHostBadParameterErr);
  ASSERT_EQ(view->SetZoom(front, 2), kHostNoErr);
  HostIntPoint pixel{20, 40};
  HostRealPoint art{};
  ASSERT_EQ(view->ViewPointToArtworkPoint(front, &pixel, &art), kHostNoErr);
  EXPECT_FLOAT_EQ(art.h, 20);
  EXPECT_FLOAT_EQ(art.v, 480);
}

TEST_F(DocumentSuitesTest, VertexReferencesAreCheckedOnEveryUse) {
  MeshSpec(2, 2).Add(doc);
  auto mesh = Hold<HostMeshSuite>(kHostMeshSuiteName, kHostMeshSuiteVersion);
  auto vertex = Hold<HostMeshVertexSuite>(kHostMeshVertexSuiteName, kHostMeshVertexSuiteVersion);
  const HostArtRef art = simhost::DocumentHost::ArtRef(0);
  HostMeshVertexRef corner = nullptr, inner = nullptr, kept = nullptr, outside = nullptr;
  ASSERT_EQ(mesh->GetVertex(art, 0, 2, &corner), kHostNoErr);
  ASSERT_EQ(mesh->GetVertex(art, 1, 1, &inner), kHostNoErr);
  ASSERT_EQ(mesh->GetVertex(art, 2, 2, &kept), kHostNoErr);
  EXPECT_NE(mesh->GetVertex(art, 3, 0, &outside), kHostNoErr);
  EXPECT_EQ(outside, nullptr);

  EXPECT_TRUE(vertex->IsOnBoundary(corner));
  EXPECT_FALSE(vertex->IsOnBoundary(inner));
  EXPECT_EQ(vertex->GetSegmentIndex(inner, 0, 1), simhost::kSegIPlus);
  EXPECT_EQ(vertex->GetSegmentIndex(inner, 1, 0), simhost::kSegJMinus);
  EXPECT_EQ(vertex->GetSegmentOpposite(inner, simhost::kSegJMinus), simhost::kSegJPlus);
  // The missing segment of a boundary vertex is a slot like any other.
  HostRealPoint missing{};
  EXPECT_EQ(vertex->GetTangent(corner, simhost::kSegJPlus, &missing), kHostNoErr);
  EXPECT_FLOAT_EQ(missing.h, doc.art[0].mesh.At(0, 2).anchor.h);
  EXPECT_EQ(Breaches(), "");

  ASSERT_EQ(vertex->Release(corner), kHostNoErr);
  ASSERT_EQ(vertex->Release(inner), kHostNoErr);
  HostRealPoint p;
  EXPECT_NE(vertex->GetPoint(inner, &p), kHostNoErr);
  EXPECT_NE(Breaches().find("vertex reference used after release"), std::string::npos);
  host.suites.ClearBreaches();
  host.document.CheckAfterMessage();
  EXPECT_NE(Breaches().find("vertex reference never released"), std::string::npos);
  EXPECT_NE(Breaches().find("1 left, the first at (2, 2)"), std::string::npos) << Breaches();
  host.suites.ClearBreaches();
}

TEST_F(DocumentSuitesTest, SetColorRejectsWhatTheDocumentCannotHold) {
  MeshSpec(1, 1).Add(doc);
  auto mesh = Hold<HostMeshSuite>(kHostMeshSuiteName, kHostMeshSuiteVersion);
  auto vertex = Hold<HostMeshVertexSuite>(kHostMeshVertexSuiteName, kHostMeshVertexSuiteVersion);
  HostMeshVertexRef v = nullptr;
  ASSERT_EQ(mesh->GetVertex(simhost::DocumentHost::ArtRef(0), 0, 0, &v), kHostNoErr);
  HostColor infinite = simhost::Gray(INFINITY), missingSpot = simhost::Custom(3, 0.5f);
  EXPECT_NE(vertex->SetColor(v, &infinite), kHostNoErr);
  EXPECT_NE(vertex->SetColor(v, &missingSpot), kHostNoErr);
  HostRealPoint nan{NAN, 0};
  EXPECT_NE(vertex->SetPoint(v, &nan), kHostNoErr);
  EXPECT_FLOAT_EQ(doc.art[0].mesh.At(0, 0).color.c[0].value, 0.5f);
  EXPECT_EQ(host.document.JournalSize(), 0u);
  vertex->Release(v);
  host.suites.ClearBreaches();
}

TEST_F(DocumentSuitesTest, MatchingArtFindsSelectedArtInDocumentOrder) {
  auto matching =
      Hold<HostMatchingArtSuite>(kHostMatchingArtSuiteName, kHostMatchingArtSuiteVersion);
  auto memory = Hold<HostMemorySuite>(kHostMemorySuiteName, kHostMemorySuiteVersion);
  const HostArtMatchSpec specs[2] = {{kHostArtTypeMesh, kHostArtSelected, kHostArtSelected},
                                     {kHostArtTypeOther, kHostArtSelected, kHostArtSelected}};
  HostMemHandle found = nullptr;
  int32_t count = -1;
  ASSERT_EQ(matching->GetMatchingArt(specs, 2, &found, &count), kHostNoErr);
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(count, 0);

  MeshSpec(1, 1).Add(doc);
  MeshSpec(1, 1).Selected(false).Add(doc);
  simhost::AddOtherArt(doc, {0, 1, 1, 0});
  MeshSpec(1, 1).Add(doc);
  ASSERT_EQ(matching->GetMatchingArt(specs, 2, &found, &count), kHostNoErr);
  ASSERT_EQ(count, 3);
  const HostArtRef* list = static_cast<const HostArtRef*>(*found);
  EXPECT_EQ(list[0], simhost::DocumentHost::ArtRef(0));
  EXPECT_EQ(list[1], simhost::DocumentHost::ArtRef(2));
  EXPECT_EQ(list[2], simhost::DocumentHost::ArtRef(3));
  EXPECT_EQ(memory->DisposeHandle(found), kHostNoErr);
}

}  // namespace
