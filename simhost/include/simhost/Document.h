// The simulated host's document: plain records of everything the host models.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "HostSuites.h"

namespace simhost {

// Segment slots of a vertex, by the host's segment index: axis * 2 + sense.
enum SegmentSlot : int32_t { kSegIMinus = 0, kSegIPlus = 1, kSegJMinus = 2, kSegJPlus = 3 };

struct MeshVertex {
  HostRealPoint anchor{0, 0};
  HostColor color{kHostColorGray, {}};
  // Control point of each segment next to this vertex, in artwork coordinates. A slot
  // whose neighbour does not exist (on the boundary) is kept but is not geometry.
  std::array<HostRealPoint, 4> tangent{};
  std::array<bool, 4> smooth{};
};

struct Mesh {
  int32_t ni = 0;                    // patches along i; vertices run i = 0..ni
  int32_t nj = 0;                    // patches along j
  std::vector<MeshVertex> vertices;  // (ni+1) x (nj+1), i-major: index i * (nj + 1) + j

  MeshVertex& At(int32_t i, int32_t j) { return vertices[size_t(i) * size_t(nj + 1) + size_t(j)]; }
  const MeshVertex& At(int32_t i, int32_t j) const {
    return vertices[size_t(i) * size_t(nj + 1) + size_t(j)];
  }
};

struct ArtObject {
  int16_t type = kHostArtTypeMesh;  // 11 mesh; 8 selectable art that is not a mesh
  bool selected = false;
  HostReal opacity = 1;
  int32_t blendMode = 0;                 // 0..15
  Mesh mesh;                             // used when type is 11
  HostRealRect otherBounds{0, 0, 0, 0};  // bounds of art that is not a mesh
  std::string id;  // where the art came from (an SVG element id, say); not host state
};

struct CustomColor {
  std::string name;
  HostReal red = 0, green = 0, blue = 0;  // 0..1
};

struct DocumentView {
  HostReal zoom = 1;            // 1 = 100 percent
  HostRealPoint topLeft{0, 0};  // artwork point at the view's top-left pixel
};

struct Document {
  HostReal width = 612;
  HostReal height = 792;
  std::vector<CustomColor> customColors;
  DocumentView view;
  std::vector<ArtObject> art;  // in document order
};

}  // namespace simhost
