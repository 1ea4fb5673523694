#include "Sample.h"

#include <cmath>

namespace quibtool {
namespace {

constexpr int kPatchesI = 12;
constexpr int kPatchesJ = 9;
constexpr double kPi = 3.14159265358979323846;

// A hue in [0, 1) as fully saturated RGB, lightened by `white`.
HostColor Rainbow(double hue, double white) {
  double h = hue * 6;
  int sector = int(h) % 6;
  double f = h - std::floor(h);
  double rgb[3];
  switch (sector) {
    case 0:
      rgb[0] = 1, rgb[1] = f, rgb[2] = 0;
      break;
    case 1:
      rgb[0] = 1 - f, rgb[1] = 1, rgb[2] = 0;
      break;
    case 2:
      rgb[0] = 0, rgb[1] = 1, rgb[2] = f;
      break;
    case 3:
      rgb[0] = 0, rgb[1] = 1 - f, rgb[2] = 1;
      break;
    case 4:
      rgb[0] = f, rgb[1] = 0, rgb[2] = 1;
      break;
    default:
      rgb[0] = 1, rgb[1] = 0, rgb[2] = 1 - f;
      break;
  }
  HostColor color{kHostColorRGB, {}};
  for (int n = 0; n < 3; ++n) color.c[n].value = HostReal(rgb[n] + (1 - rgb[n]) * white);
  return color;
}

}  // namespace

simhost::Document SampleDocument() {
  simhost::Document doc;
  doc.width = 480;
  doc.height = 360;
  doc.view.topLeft = {0, 360};

  simhost::ArtObject art;
  art.type = kHostArtTypeMesh;
  art.selected = true;
  art.id = "sample-mesh";
  simhost::Mesh& mesh = art.mesh;
  mesh.ni = kPatchesI;
  mesh.nj = kPatchesJ;
  mesh.vertices.resize(size_t(kPatchesI + 1) * size_t(kPatchesJ + 1));

  const double left = 40, bottom = 40, width = 400, height = 280;
  for (int i = 0; i <= kPatchesI; ++i) {
    for (int j = 0; j <= kPatchesJ; ++j) {
      double u = double(i) / kPatchesI, v = double(j) / kPatchesJ;
      // A soft wave inside, straight on the border so the outline stays a rectangle.
      bool inside = i > 0 && i < kPatchesI && j > 0 && j < kPatchesJ;
      double wave = inside ? 6 * std::sin(2 * kPi * (u * 1.5 + v)) : 0;
      simhost::MeshVertex& vertex = mesh.At(i, j);
      vertex.anchor = {HostReal(left + u * width + wave), HostReal(bottom + v * height - wave)};
      vertex.color = Rainbow(std::fmod(u * 0.85 + v * 0.15, 1.0), 0.45 * v * v);
    }
  }
  // Tangents a third of the way towards each neighbour; slots with no neighbour rest on
  // the anchor.
  const int step[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (int i = 0; i <= kPatchesI; ++i) {
    for (int j = 0; j <= kPatchesJ; ++j) {
      simhost::MeshVertex& vertex = mesh.At(i, j);
      for (int slot = 0; slot < 4; ++slot) {
        int ni = i + step[slot][0], nj = j + step[slot][1];
        bool exists = ni >= 0 && ni <= kPatchesI && nj >= 0 && nj <= kPatchesJ;
        HostRealPoint to = exists ? mesh.At(ni, nj).anchor : vertex.anchor;
        vertex.tangent[slot] = {HostReal(vertex.anchor.h + (to.h - vertex.anchor.h) / 3),
                                HostReal(vertex.anchor.v + (to.v - vertex.anchor.v) / 3)};
        vertex.smooth[slot] = exists;
      }
    }
  }
  doc.art.push_back(art);
  return doc;
}

}  // namespace quibtool
