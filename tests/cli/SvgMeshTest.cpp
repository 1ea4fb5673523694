// SVG mesh gradients: what Inkscape writes is read in artwork coordinates, and edits go
// back into the same file with everything else as it was.
#include <gtest/gtest.h>

#include <cmath>

#include "PictureSupport.h"
#include "Render.h"
#include "Sample.h"
#include "SvgMesh.h"
#include "ToolError.h"

namespace quibtool {
namespace {

const std::string kInkscapeFile = std::string(QUIB_TEST_DATA) + "/inkscape-mesh.svg";

// The fixture's gradient point (x, y) in artwork coordinates, worked out by hand from
// its gradientTransform, the rect's rotate(12) and the 150-unit-high viewBox.
HostRealPoint Expected(double x, double y) {
  x += 14.262065;
  y += -24.775561;
  double a = 12 * 3.14159265358979323846 / 180;
  double rx = x * std::cos(a) - y * std::sin(a), ry = x * std::sin(a) + y * std::cos(a);
  return {HostReal(rx), HostReal(150 - ry)};
}

void ExpectNear(HostRealPoint actual, HostRealPoint expected, double tolerance = 1e-3) {
  EXPECT_NEAR(actual.h, expected.h, tolerance);
  EXPECT_NEAR(actual.v, expected.v, tolerance);
}

TEST(SvgMesh, ReadsTheMeshInkscapeWrote) {
  SvgDocument svg = ReadSvg(clitest::ReadBytes(kInkscapeFile), "inkscape-mesh.svg");
  EXPECT_EQ(svg.doc.width, 200);
  EXPECT_EQ(svg.doc.height, 150);
  ASSERT_EQ(svg.doc.art.size(), 1u);
  const simhost::ArtObject& art = svg.doc.art[0];
  EXPECT_EQ(art.id, "rect1");
  EXPECT_TRUE(art.selected);
  const simhost::Mesh& mesh = art.mesh;
  ASSERT_EQ(mesh.ni, 3);  // patch columns
  ASSERT_EQ(mesh.nj, 2);  // rows
  const double xs[4] = {20, 70, 120, 180}, ys[3] = {30, 70, 120};
  for (int i = 0; i <= 3; ++i)
    for (int j = 0; j <= 2; ++j) {
      SCOPED_TRACE("vertex " + std::to_string(i) + "," + std::to_string(j));
      ExpectNear(mesh.At(i, j).anchor, Expected(xs[i], ys[j]));
    }
  // Corner colours, including shared corners whose stop carries no colour of its own
  // and the last one given as an attribute rather than in the style.
  const struct {
    int i, j;
    uint32_t rgb;
  } colours[] = {{0, 0, 0xff0000}, {1, 0, 0xffff00}, {1, 1, 0x00ff00}, {0, 1, 0x0000ff},
                 {2, 0, 0xff00ff}, {2, 1, 0x00ffff}, {3, 0, 0xffffff}, {3, 1, 0x000000},
                 {1, 2, 0x808080}, {0, 2, 0xff8000}, {2, 2, 0x8000ff}, {3, 2, 0xffffff}};
  for (const auto& c : colours) {
    const HostColor& colour = mesh.At(c.i, c.j).color;
    EXPECT_EQ(colour.kind, kHostColorRGB);
    EXPECT_NEAR(colour.c[0].value, ((c.rgb >> 16) & 255) / 255.0, 1e-6) << c.i << "," << c.j;
    EXPECT_NEAR(colour.c[1].value, ((c.rgb >> 8) & 255) / 255.0, 1e-6) << c.i << "," << c.j;
    EXPECT_NEAR(colour.c[2].value, (c.rgb & 255) / 255.0, 1e-6) << c.i << "," << c.j;
  }
  using simhost::kSegIPlus, simhost::kSegJMinus, simhost::kSegIMinus, simhost::kSegJPlus;
  // Curved sides: "c 16.6667,-8 33.3333,8 50,0" from (70,30), and the right side of the
  // first patch arriving at (70,70); straight "l" sides get thirds.
  ExpectNear(mesh.At(1, 0).tangent[kSegIPlus], Expected(86.6667, 22));
  ExpectNear(mesh.At(2, 0).tangent[kSegIMinus], Expected(103.3333, 38));
  ExpectNear(mesh.At(1, 1).tangent[kSegJMinus], Expected(70, 56.6667));
  ExpectNear(mesh.At(3, 0).tangent[kSegIMinus], Expected(160, 30));
  // Slots with no neighbour rest on the anchor.
  ExpectNear(mesh.At(0, 0).tangent[kSegIMinus], mesh.At(0, 0).anchor, 0);
  ExpectNear(mesh.At(3, 2).tangent[kSegJPlus], mesh.At(3, 2).anchor, 0);
}

TEST(SvgMesh, UnchangedDocumentIsWrittenBackByteForByte) {
  std::string text = clitest::ReadBytes(kInkscapeFile);
  SvgDocument svg = ReadSvg(text, "in.svg");
  EXPECT_TRUE(WriteSvg(svg.doc, svg.source.get()) == text);
}

TEST(SvgMesh, EditsGoBackIntoTheSameFile) {
  std::string text = clitest::ReadBytes(kInkscapeFile);
  SvgDocument svg = ReadSvg(text, "in.svg");
  simhost::Mesh& mesh = svg.doc.art[0].mesh;
  simhost::MeshVertex& moved = mesh.At(2, 1);
  moved.anchor.h += 5;
  moved.anchor.v -= 3;
  moved.tangent[simhost::kSegJPlus].h += 5;
  // The mesh's origin, the gradient's x and y; its slots without neighbours go with it.
  for (HostRealPoint* p : {&mesh.At(0, 0).anchor, &mesh.At(0, 0).tangent[simhost::kSegIMinus],
                           &mesh.At(0, 0).tangent[simhost::kSegJMinus]})
    p->h += 1;
  mesh.At(0, 0).color.c[0].value = 0;
  mesh.At(0, 0).color.c[2].value = 1;  // red becomes blue
  svg.doc.art[0].blendMode = 1;
  std::string written = WriteSvg(svg.doc, svg.source.get());

  SvgDocument back = ReadSvg(written, "out.svg");
  const simhost::Mesh& reread = back.doc.art[0].mesh;
  for (size_t n = 0; n < mesh.vertices.size(); ++n) {
    ExpectNear(reread.vertices[n].anchor, mesh.vertices[n].anchor);
    for (int slot = 0; slot < 4; ++slot)
      ExpectNear(reread.vertices[n].tangent[size_t(slot)], mesh.vertices[n].tangent[size_t(slot)]);
  }
  EXPECT_EQ(reread.At(0, 0).color.c[2].value, 1);
  EXPECT_EQ(reread.At(0, 0).color.c[0].value, 0);
  EXPECT_EQ(back.doc.art[0].blendMode, 1);
  // Everything else stays: ids, Inkscape's script, the rect and its transform.
  for (const char* kept :
       {"id=\"stop17\"", "id=\"mesh_polyfill\"", "transform=\"rotate(12)\"", "sodipodi:namedview",
        "gradientTransform=\"translate(14.262065,-24.775561)\"", "mix-blend-mode:multiply"})
    EXPECT_NE(written.find(kept), std::string::npos) << kept;
  // Sides that did not move keep their text exactly.
  EXPECT_NE(written.find("path=\"l 60,0\""), std::string::npos);
  EXPECT_NE(written.find("path=\"c -16.6667,0 -33.3333,0 -50,0\""), std::string::npos);
}

TEST(SvgMesh, NewFileFromADocumentReadsBackAsTheSameMesh) {
  simhost::Document sample = SampleDocument();
  std::string written = WriteSvg(sample, nullptr);
  SvgDocument back = ReadSvg(written, "new.svg");
  ASSERT_EQ(back.doc.art.size(), 1u);
  EXPECT_EQ(back.doc.width, sample.width);
  EXPECT_EQ(back.doc.height, sample.height);
  const simhost::Mesh &a = sample.art[0].mesh, &b = back.doc.art[0].mesh;
  ASSERT_EQ(a.ni, b.ni);
  ASSERT_EQ(a.nj, b.nj);
  for (size_t n = 0; n < a.vertices.size(); ++n) {
    ExpectNear(b.vertices[n].anchor, a.vertices[n].anchor);
    for (int slot = 0; slot < 4; ++slot)
      ExpectNear(b.vertices[n].tangent[size_t(slot)], a.vertices[n].tangent[size_t(slot)]);
    for (int c = 0; c < 3; ++c)  // colours go through #rrggbb
      EXPECT_NEAR(b.vertices[n].color.c[c].value, a.vertices[n].color.c[c].value, 0.5 / 255 + 1e-6);
  }
}

TEST(SvgMesh, AGradientSharedByTwoShapesIsSplitWhenOneChanges) {
  const std::string text = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">
<defs><meshgradient id="m" x="0" y="0"><meshrow><meshpatch>
<stop path="l 10,0" style="stop-color:#ff0000"/><stop path="l 0,10" stop-color="#00ff00"/>
<stop path="l -10,0" stop-color="blue"/><stop path="l 0,-10" stop-color="rgb(255,255,0)"/>
</meshpatch></meshrow></meshgradient></defs>
<rect id="a" width="10" height="10" fill="url(#m)"/>
<rect id="b" width="10" height="10" style="fill:url(#m)" transform="translate(50,0)"/>
</svg>)svg";
  SvgDocument svg = ReadSvg(text, "shared.svg");
  ASSERT_EQ(svg.doc.art.size(), 2u);
  ExpectNear(svg.doc.art[1].mesh.At(1, 1).anchor, {60, 90});
  EXPECT_NEAR(svg.doc.art[0].mesh.At(0, 1).color.c[1].value, 1, 1e-6);  // yellow
  svg.doc.art[1].mesh.At(1, 1).anchor.h += 2;
  std::string written = WriteSvg(svg.doc, svg.source.get());
  SvgDocument back = ReadSvg(written, "out.svg");
  ExpectNear(back.doc.art[0].mesh.At(1, 1).anchor, {10, 90});
  ExpectNear(back.doc.art[1].mesh.At(1, 1).anchor, {62, 90});
}

TEST(SvgMesh, RefusesFilesItCannotReadNamingWhere) {
  const std::pair<std::string, const char*> cases[] = {
      {"<svg xmlns=\"http://www.w3.org/2000/svg\">\n<rect>\n</svg>",
       "line 3, column 3: malformed XML"},
      {"<svg xmlns=\"http://www.w3.org/2000/svg\"><rect fill=\"red\"/></svg>",
       "no mesh gradient is used as a fill"},
      {"<html/>", "the root element is not <svg>"},
      {R"svg(<svg><defs><meshgradient id="m"><meshrow><meshpatch><stop path="l 1,0"/>
       </meshpatch></meshrow></meshgradient></defs><rect fill="url(#m)"/></svg>)svg",
       "line 1, column 42: <meshpatch>: a patch in row 1, column 1 needs 4 stops, not 1"},
      {R"svg(<svg><defs><meshgradient id="m"><meshrow><meshpatch><stop path="q 1,0 2,2"/>
       <stop path="l 0,1"/><stop path="l -1,0"/><stop path="l 0,-1"/>
       </meshpatch></meshrow></meshgradient></defs><rect fill="url(#m)"/></svg>)svg",
       "cannot read path \"q 1,0 2,2\""},
      {R"svg(<svg><defs><meshgradient id="m"><meshrow><meshpatch><stop path="l 1,0" stop-color="#12345"/>
       <stop path="l 0,1"/><stop path="l -1,0"/><stop path="l 0,-1"/>
       </meshpatch></meshrow></meshgradient></defs><rect fill="url(#m)"/></svg>)svg",
       "cannot read stop-color \"#12345\""},
      {R"svg(<svg><defs><meshgradient id="m" gradientUnits="objectBoundingBox"><meshrow><meshpatch>
       <stop path="l 1,0"/><stop path="l 0,1"/><stop path="l -1,0"/><stop path="l 0,-1"/>
       </meshpatch></meshrow></meshgradient></defs><path d="M0 0" fill="url(#m)"/></svg>)svg",
       "objectBoundingBox units is read only on rect"},
  };
  for (const auto& [text, problem] : cases) {
    try {
      ReadSvg(text, "bad.svg");
      ADD_FAILURE() << "accepted: " << problem;
    } catch (const ToolError& error) {
      EXPECT_EQ(error.status(), kExitBadDocument);
      EXPECT_NE(std::string(error.what()).find(problem), std::string::npos) << error.what();
    }
  }
}

TEST(SvgMesh, ObjectBoundingBoxUnitsScaleToTheShape) {
  const std::string text = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">
<defs><meshgradient id="m" gradientUnits="objectBoundingBox" x="0" y="0"><meshrow><meshpatch>
<stop path="l 1,0"/><stop path="l 0,1"/><stop path="l -1,0"/><stop path="l 0,-1"/>
</meshpatch></meshrow></meshgradient></defs>
<rect x="10" y="20" width="40" height="30" fill="url(#m)"/></svg>)svg";
  SvgDocument svg = ReadSvg(text, "bbox.svg");
  ExpectNear(svg.doc.art[0].mesh.At(0, 0).anchor, {10, 80});
  ExpectNear(svg.doc.art[0].mesh.At(1, 1).anchor, {50, 50});
}

}  // namespace
}  // namespace quibtool
