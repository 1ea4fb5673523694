// A small builder for documents in tests, benchmarks and tools: a mesh of ni x nj
// patches laid out over a rectangle, with colours, selection and other art in a line or
// two. i runs from the left edge to the right, j from the bottom edge to the top; the
// tangents lie a third of the way along each straight edge, so the bounds are exactly
// the rectangle. A tangent slot without a neighbour holds the anchor itself.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "simhost/Document.h"

namespace simhost {

inline HostColor Gray(float gray) {
  HostColor color{kHostColorGray, {}};
  color.c[0].value = gray;
  return color;
}
inline HostColor Process(float cyan, float magenta, float yellow, float black) {
  HostColor color{kHostColorProcess, {}};
  color.c[0].value = cyan;
  color.c[1].value = magenta;
  color.c[2].value = yellow;
  color.c[3].value = black;
  return color;
}
inline HostColor Rgb(float red, float green, float blue) {
  HostColor color{kHostColorRGB, {}};
  color.c[0].value = red;
  color.c[1].value = green;
  color.c[2].value = blue;
  return color;
}
inline HostColor Custom(int32_t reference, float tint) {
  HostColor color{kHostColorCustom, {}};
  color.c[0].ref = reference;
  color.c[1].value = tint;
  return color;
}
// A colour kind the filter passes through untouched.
inline HostColor Pattern(int32_t reference) {
  HostColor color{kHostColorPattern, {}};
  color.c[0].ref = reference;
  return color;
}

// Places every anchor on the grid over `bounds` and every tangent a third of the way
// towards its neighbour.
inline void LayOutMesh(Mesh& mesh, HostRealRect bounds) {
  auto anchor = [&](int32_t i, int32_t j) {
    float x = mesh.ni == 0 ? bounds.left
                           : bounds.left + (bounds.right - bounds.left) * float(i) / float(mesh.ni);
    float y = mesh.nj == 0
                  ? bounds.bottom
                  : bounds.bottom + (bounds.top - bounds.bottom) * float(j) / float(mesh.nj);
    return HostRealPoint{x, y};
  };
  auto third = [](HostRealPoint from, HostRealPoint to) {
    return HostRealPoint{from.h + (to.h - from.h) / 3, from.v + (to.v - from.v) / 3};
  };
  for (int32_t i = 0; i <= mesh.ni; ++i) {
    for (int32_t j = 0; j <= mesh.nj; ++j) {
      MeshVertex& v = mesh.At(i, j);
      v.anchor = anchor(i, j);
      v.tangent[kSegIMinus] = i > 0 ? third(v.anchor, anchor(i - 1, j)) : v.anchor;
      v.tangent[kSegIPlus] = i < mesh.ni ? third(v.anchor, anchor(i + 1, j)) : v.anchor;
      v.tangent[kSegJMinus] = j > 0 ? third(v.anchor, anchor(i, j - 1)) : v.anchor;
      v.tangent[kSegJPlus] = j < mesh.nj ? third(v.anchor, anchor(i, j + 1)) : v.anchor;
    }
  }
}

// MeshSpec(3, 3).Over({0, 300, 300, 0}).Grays({...}).Add(doc) adds a selected mesh.
class MeshSpec {
 public:
  MeshSpec(int32_t ni, int32_t nj) : ni_(ni), nj_(nj) {
    bounds_ = HostRealRect{0, 100.0f * float(nj), 100.0f * float(ni), 0};
  }
  MeshSpec& Over(HostRealRect bounds) {
    bounds_ = bounds;
    return *this;
  }
  // Every vertex gets this colour.
  MeshSpec& Color(HostColor color) {
    colors_.assign(1, color);
    return *this;
  }
  // One colour per vertex, i-major: (0, 0), (0, 1), ... (0, nj), (1, 0), ...
  MeshSpec& Colors(std::vector<HostColor> colors) {
    colors_ = std::move(colors);
    return *this;
  }
  MeshSpec& Grays(const std::vector<float>& grays) {
    colors_.clear();
    for (float g : grays) colors_.push_back(Gray(g));
    return *this;
  }
  MeshSpec& Selected(bool selected) {
    selected_ = selected;
    return *this;
  }

  ArtObject Build() const {
    ArtObject art;
    art.type = kHostArtTypeMesh;
    art.selected = selected_;
    art.mesh.ni = ni_;
    art.mesh.nj = nj_;
    art.mesh.vertices.resize(size_t(ni_ + 1) * size_t(nj_ + 1));
    LayOutMesh(art.mesh, bounds_);
    for (size_t n = 0; n < art.mesh.vertices.size(); ++n) {
      art.mesh.vertices[n].color =
          colors_.empty() ? Gray(0.5f) : colors_[colors_.size() == 1 ? 0 : n % colors_.size()];
    }
    return art;
  }
  // Appends the mesh to the document; returns its index.
  size_t Add(Document& doc) const {
    doc.art.push_back(Build());
    return doc.art.size() - 1;
  }

 private:
  int32_t ni_, nj_;
  HostRealRect bounds_;
  std::vector<HostColor> colors_;
  bool selected_ = true;
};

// Selectable art that is not a mesh (the host's type 8), standing in its bounds.
inline size_t AddOtherArt(Document& doc, HostRealRect bounds, bool selected = true) {
  ArtObject art;
  art.type = kHostArtTypeOther;
  art.selected = selected;
  art.otherBounds = bounds;
  doc.art.push_back(art);
  return doc.art.size() - 1;
}

}  // namespace simhost
