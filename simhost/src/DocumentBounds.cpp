#include "DocumentBounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "simhost/DocumentHost.h"

namespace simhost {
namespace {

// Extent of one coordinate of a cubic Bezier curve: the end points and every interior
// point where the derivative a t^2 + b t + c vanishes.
void CubicExtent(double p0, double p1, double p2, double p3, double* lo, double* hi) {
  *lo = std::min(p0, p3);
  *hi = std::max(p0, p3);
  double a = -p0 + 3 * p1 - 3 * p2 + p3;
  double b = 2 * (p0 - 2 * p1 + p2);
  double c = p1 - p0;
  auto consider = [&](double t) {
    if (!(t > 0 && t < 1)) return;
    double u = 1 - t;
    double x = u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
    *lo = std::min(*lo, x);
    *hi = std::max(*hi, x);
  };
  const double scale = std::max({std::fabs(a), std::fabs(b), std::fabs(c)});
  if (scale == 0) return;
  if (std::fabs(a) <= 1e-12 * scale) {
    if (b != 0) consider(-c / b);
    return;
  }
  double disc = b * b - 4 * a * c;
  if (disc < 0) return;
  double root = std::sqrt(disc);
  consider((-b + root) / (2 * a));
  consider((-b - root) / (2 * a));
}

constexpr float kInf = std::numeric_limits<float>::infinity();

}  // namespace

HostRealRect BezierBounds(HostRealPoint p0, HostRealPoint p1, HostRealPoint p2, HostRealPoint p3) {
  double left, right, bottom, top;
  CubicExtent(p0.h, p1.h, p2.h, p3.h, &left, &right);
  CubicExtent(p0.v, p1.v, p2.v, p3.v, &bottom, &top);
  return HostRealRect{float(left), float(top), float(right), float(bottom)};
}

HostRealRect ComputeArtBounds(const ArtObject& art) {
  if (art.type != kHostArtTypeMesh) return art.otherBounds;
  return MeshBoundsIndex(art.mesh).Bounds();
}

void MeshBoundsIndex::Rebuild(const Mesh& mesh) {
  ni_ = mesh.ni;
  nj_ = mesh.nj;
  iEdges_ = size_t(mesh.ni) * size_t(mesh.nj + 1);
  size_t edges = iEdges_ + size_t(mesh.ni + 1) * size_t(mesh.nj);
  leaves_ = 1;
  while (leaves_ < edges) leaves_ *= 2;
  tree_.assign(2 * leaves_, Box{kInf, kInf, -kInf, -kInf});
  if (!mesh.vertices.empty()) lonePoint_ = mesh.vertices.front().anchor;
  // Fill the leaves, then every inner node once, bottom up: O(n).
  building_ = true;
  for (int32_t i = 0; i < ni_; ++i)
    for (int32_t j = 0; j <= nj_; ++j) UpdateIEdge(mesh, i, j);
  for (int32_t i = 0; i <= ni_; ++i)
    for (int32_t j = 0; j < nj_; ++j) UpdateJEdge(mesh, i, j);
  building_ = false;
  for (size_t node = leaves_ - 1; node >= 1; --node) tree_[node] = Merge(node);
}

bool MeshBoundsIndex::Fits(const Mesh& mesh) const {
  return mesh.ni == ni_ && mesh.nj == nj_ &&
         mesh.vertices.size() == size_t(ni_ + 1) * size_t(nj_ + 1);
}

HostRealRect MeshBoundsIndex::Bounds() const {
  const Box& root = tree_[1];
  if (root.left > root.right) {  // no edges at all: a single vertex
    return HostRealRect{lonePoint_.h, lonePoint_.v, lonePoint_.h, lonePoint_.v};
  }
  return HostRealRect{root.left, root.top, root.right, root.bottom};
}

void MeshBoundsIndex::AnchorMoved(const Mesh& mesh, int32_t i, int32_t j) {
  if (i > 0) UpdateIEdge(mesh, i - 1, j);
  if (i < ni_) UpdateIEdge(mesh, i, j);
  if (j > 0) UpdateJEdge(mesh, i, j - 1);
  if (j < nj_) UpdateJEdge(mesh, i, j);
  if (ni_ == 0 && nj_ == 0) lonePoint_ = mesh.At(0, 0).anchor;
}

void MeshBoundsIndex::TangentMoved(const Mesh& mesh, int32_t i, int32_t j, int32_t slot) {
  switch (slot) {
    case kSegIMinus:
      if (i > 0) UpdateIEdge(mesh, i - 1, j);
      break;
    case kSegIPlus:
      if (i < ni_) UpdateIEdge(mesh, i, j);
      break;
    case kSegJMinus:
      if (j > 0) UpdateJEdge(mesh, i, j - 1);
      break;
    case kSegJPlus:
      if (j < nj_) UpdateJEdge(mesh, i, j);
      break;
    default:
      break;
  }
}

void MeshBoundsIndex::UpdateIEdge(const Mesh& mesh, int32_t i, int32_t j) {
  const MeshVertex& from = mesh.At(i, j);
  const MeshVertex& to = mesh.At(i + 1, j);
  SetLeaf(size_t(i) * size_t(nj_ + 1) + size_t(j),
          BezierBounds(from.anchor, from.tangent[kSegIPlus], to.tangent[kSegIMinus], to.anchor));
}

void MeshBoundsIndex::UpdateJEdge(const Mesh& mesh, int32_t i, int32_t j) {
  const MeshVertex& from = mesh.At(i, j);
  const MeshVertex& to = mesh.At(i, j + 1);
  SetLeaf(iEdges_ + size_t(i) * size_t(nj_) + size_t(j),
          BezierBounds(from.anchor, from.tangent[kSegJPlus], to.tangent[kSegJMinus], to.anchor));
}

MeshBoundsIndex::Box MeshBoundsIndex::Merge(size_t node) const {
  const Box& a = tree_[2 * node];
  const Box& b = tree_[2 * node + 1];
  return Box{std::min(a.left, b.left), std::min(a.bottom, b.bottom), std::max(a.right, b.right),
             std::max(a.top, b.top)};
}

void MeshBoundsIndex::SetLeaf(size_t edge, const HostRealRect& rect) {
  size_t node = leaves_ + edge;
  tree_[node] = Box{rect.left, rect.bottom, rect.right, rect.top};
  if (building_) return;
  for (node /= 2; node >= 1; node /= 2) {
    const Box merged = Merge(node);
    Box& here = tree_[node];
    if (here.left == merged.left && here.bottom == merged.bottom && here.right == merged.right &&
        here.top == merged.top) {
      break;  // nothing above changes either
    }
    here = merged;
  }
}

}  // namespace simhost
