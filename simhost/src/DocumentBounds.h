// The exact bounds of a gradient mesh, kept current while its vertices move.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "simhost/Document.h"

namespace simhost {

// A tree over the mesh's Bezier edges: each leaf holds one edge's exact extent, each
// inner node the union of its children, so the root is the object's bounds. Moving an
// anchor touches at most four edges, moving a tangent one: O(log n) each.
class MeshBoundsIndex {
 public:
  explicit MeshBoundsIndex(const Mesh& mesh) { Rebuild(mesh); }
  // Describes the mesh afresh, reusing the memory the index already holds.
  void Rebuild(const Mesh& mesh);

  // Whether the index still describes a mesh of this shape.
  bool Fits(const Mesh& mesh) const;
  HostRealRect Bounds() const;

  void AnchorMoved(const Mesh& mesh, int32_t i, int32_t j);
  void TangentMoved(const Mesh& mesh, int32_t i, int32_t j, int32_t slot);

 private:
  struct Box {
    float left, bottom, right, top;
  };
  // Edges along i: (i, j)-(i + 1, j), numbered i * (nj + 1) + j; then edges along j:
  // (i, j)-(i, j + 1), numbered iEdges_ + i * nj + j.
  void UpdateIEdge(const Mesh& mesh, int32_t i, int32_t j);
  void UpdateJEdge(const Mesh& mesh, int32_t i, int32_t j);
  void SetLeaf(size_t edge, const HostRealRect& rect);
  Box Merge(size_t node) const;  // the union of the node's two children

  int32_t ni_ = 0, nj_ = 0;
  size_t iEdges_ = 0;
  size_t leaves_ = 1;              // a power of two, at least the number of edges
  std::vector<Box> tree_;          // tree_[1] is the root; leaves start at tree_[leaves_]
  bool building_ = false;          // leaves are filled first, inner nodes after
  HostRealPoint lonePoint_{0, 0};  // a mesh without edges (one vertex) is that point
};

}  // namespace simhost
