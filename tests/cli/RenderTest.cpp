// Pictures: patch geometry and corner colours, colour conversion for display, opacity
// and the blending modes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "PictureSupport.h"
#include "Render.h"

namespace quibtool {
namespace {

HostColor Rgb(float r, float g, float b) {
  HostColor color{kHostColorRGB, {}};
  color.c[0].value = r;
  color.c[1].value = g;
  color.c[2].value = b;
  return color;
}

// A flat one-patch mesh over the rectangle, every corner in `color`.
simhost::ArtObject Square(double left, double bottom, double right, double top, HostColor color) {
  simhost::ArtObject art;
  art.selected = true;
  art.mesh.ni = 1;
  art.mesh.nj = 1;
  art.mesh.vertices.resize(4);
  for (int i = 0; i <= 1; ++i)
    for (int j = 0; j <= 1; ++j) {
      simhost::MeshVertex& v = art.mesh.At(i, j);
      v.anchor = {HostReal(i ? right : left), HostReal(j ? top : bottom)};
      v.color = color;
      for (auto& t : v.tangent) t = v.anchor;
    }
  return art;
}

void ExpectPixel(const clitest::Picture& picture, int x, int y, std::array<int, 3> expected,
                 int tolerance = 1) {
  const std::array<int, 3>& actual = picture.At(x, y);
  for (int c = 0; c < 3; ++c)
    EXPECT_LE(std::abs(actual[size_t(c)] - expected[size_t(c)]), tolerance)
        << "pixel " << x << "," << y << " channel " << c << ": " << actual[0] << " " << actual[1]
        << " " << actual[2];
}

TEST(Render, PatchesFollowArtworkCoordinatesAndCornerColours) {
  simhost::Document doc;
  doc.width = 100;
  doc.height = 50;
  // Only the top half of the page (artwork y grows upward); red along i = 0, blue along
  // i = 1.
  simhost::ArtObject art = Square(0, 25, 100, 50, Rgb(1, 0, 0));
  art.mesh.At(1, 0).color = art.mesh.At(1, 1).color = Rgb(0, 0, 1);
  doc.art.push_back(art);
  clitest::Picture picture = clitest::DecodePng(RenderPng(doc, {2}));
  ASSERT_EQ(picture.width, 200);
  ASSERT_EQ(picture.height, 100);
  // cairo shades meshes in small flat steps, hence the wide tolerance near the edges.
  ExpectPixel(picture, 1, 10, {255, 0, 0}, 20);    // near i = 0: red
  ExpectPixel(picture, 198, 10, {0, 0, 255}, 20);  // near i = 1: blue
  ExpectPixel(picture, 100, 10, {128, 0, 128}, 8);
  ExpectPixel(picture, 100, 80, {255, 255, 255}, 0);  // the bottom half stays white
}

TEST(Render, ShowsEveryColourKindAsRgb) {
  simhost::Document doc;
  doc.customColors = {{"Spot", 1, 0, 0}};
  auto colour = [](int32_t kind, std::initializer_list<float> fields) {
    HostColor c{kind, {}};
    int n = 0;
    for (float f : fields) c.c[n++].value = f;
    return c;
  };
  HostColor custom = colour(kHostColorCustom, {0, 0.5f});
  custom.c[0].ref = 0;
  HostColor missing = custom;
  missing.c[0].ref = 3;
  const std::pair<HostColor, std::array<double, 3>> cases[] = {
      {colour(kHostColorGray, {0}), {1, 1, 1}},
      {colour(kHostColorGray, {1}), {0, 0, 0}},
      {colour(kHostColorGray, {0.25f}), {0.75, 0.75, 0.75}},
      {colour(kHostColorProcess, {1, 0, 0, 0}), {0, 1, 1}},
      {colour(kHostColorProcess, {0, 0.5f, 1, 0.5f}), {0.5, 0.25, 0}},
      {custom, {1, 0.5, 0.5}},
      {missing, {0.5, 0.5, 0.5}},
      {colour(kHostColorRGB, {2, -1, 0.5f}), {1, 0, 0.5}},
      {colour(kHostColorPattern, {1, 1, 1, 1}), {0.5, 0.5, 0.5}},
  };
  for (const auto& [input, expected] : cases) {
    std::array<double, 3> shown = DisplayRgb(input, doc);
    for (int c = 0; c < 3; ++c)
      EXPECT_NEAR(shown[size_t(c)], expected[size_t(c)], 1e-6) << "kind " << input.kind;
  }
}

TEST(Render, BlendsEachMeshOverWhatLiesBelow) {
  // Red over blue, where the modes give results that tell them apart.
  const std::pair<int32_t, std::array<int, 3>> cases[] = {
      {0, {255, 0, 0}},   {1, {0, 0, 0}},      {2, {255, 0, 255}},  {4, {0, 0, 0}},
      {5, {255, 0, 255}}, {10, {255, 0, 255}}, {11, {255, 0, 255}}, {99, {255, 0, 0}},
  };
  for (const auto& [mode, expected] : cases) {
    SCOPED_TRACE("blend mode " + std::to_string(mode));
    simhost::Document doc;
    doc.width = doc.height = 10;
    doc.art.push_back(Square(0, 0, 10, 10, Rgb(0, 0, 1)));
    doc.art.push_back(Square(0, 0, 10, 10, Rgb(1, 0, 0)));
    doc.art.back().blendMode = mode;
    ExpectPixel(clitest::DecodePng(RenderPng(doc, {1})), 5, 5, expected);
  }
  // Grey 0.5 under grey 0.5: overlay, hard light and soft light differ from normal.
  simhost::Document doc;
  doc.width = doc.height = 10;
  doc.art.push_back(Square(0, 0, 10, 10, Rgb(0.25f, 0.25f, 0.25f)));
  doc.art.push_back(Square(0, 0, 10, 10, Rgb(0.75f, 0.75f, 0.75f)));
  doc.art.back().blendMode = 8;  // hard light: screen(0.25, 2 * 0.75 - 1) = 0.625
  ExpectPixel(clitest::DecodePng(RenderPng(doc, {1})), 5, 5, {159, 159, 159}, 2);
  doc.art.back().blendMode = 3;  // overlay: multiply(0.75, 2 * 0.25) = 0.375
  ExpectPixel(clitest::DecodePng(RenderPng(doc, {1})), 5, 5, {96, 96, 96}, 2);
}

TEST(Render, AppliesOpacity) {
  simhost::Document doc;
  doc.width = doc.height = 10;
  doc.art.push_back(Square(0, 0, 10, 10, Rgb(1, 0, 0)));
  doc.art.back().opacity = 0.5f;
  ExpectPixel(clitest::DecodePng(RenderPng(doc, {1})), 5, 5, {255, 128, 128}, 2);
}

}  // namespace
}  // namespace quibtool
