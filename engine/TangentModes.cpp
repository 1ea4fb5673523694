// The 14 tangent modes: which of a vertex's points take the displacement, each scaled
// about the target and stored while both position gates are open.
#include <cmath>

#include "EngineStages.h"
#include "SuiteTable.h"

namespace {

struct Mover {
  const TangentInput& in;

  // T + t x ((X +/- d) - T), through the host's interpolation.
  HostRealPoint Move(HostRealPoint x, double sign) const {
    HostRealPoint sum{Single(x.h + sign * in.d.h), Single(x.v + sign * in.d.v)};
    sRealMath->PointInterpolate(&sum, &in.target, in.t, &sum);
    return sum;
  }
  HostRealPoint Place(HostRealPoint y) const {
    sRealMath->PointInterpolate(&y, &in.target, in.t, &y);
    return y;
  }
  // A point that overflowed to an infinity or NaN is never written into the mesh.
  bool Storable(const HostRealPoint& p) const {
    return in.store && std::isfinite(p.h) && std::isfinite(p.v);
  }

  void MoveAnchor() const {
    HostRealPoint anchor{0, 0};
    sMeshVertex->GetPoint(in.vertex, &anchor);
    HostRealPoint moved = Move(anchor, +1);
    if (Storable(moved)) sMeshVertex->SetPoint(in.vertex, &moved);
  }
  // Returns whether the tangent was stored.
  bool MoveTangent(int32_t segment, double sign) const {
    HostRealPoint tangent{0, 0};
    sMeshVertex->GetTangent(in.vertex, segment, &tangent);
    HostRealPoint moved = Move(tangent, sign);
    if (!Storable(moved)) return false;
    sMeshVertex->SetTangent(in.vertex, segment, &moved);
    return true;
  }
  void PlaceTangent(int32_t segment, HostRealPoint at) const {
    HostRealPoint placed = Place(at);
    if (Storable(placed)) sMeshVertex->SetTangent(in.vertex, segment, &placed);
  }
  int32_t Seg(int32_t axis, int32_t sense) const {
    return sMeshVertex->GetSegmentIndex(in.vertex, axis, sense);
  }
  int32_t Opp(int32_t segment) const { return sMeshVertex->GetSegmentOpposite(in.vertex, segment); }
};

// Segment modes 1 and 3 to 11: one or two tangents, the second asked for only after the
// first was handled.
struct SegmentStep {
  int32_t axis, sense;  // axis -1: the opposite of the first segment
  double sign;
};
struct SegmentMode {
  SegmentStep first, second;
  bool twoSegments;
};

bool FindSegmentMode(int32_t mode, SegmentMode* out) {
  static const SegmentMode kModes[] = {
      /* 0 */ {},
      /* 1 */ {{1, 0, +1}, {}, false},
      /* 2 */ {{1, 0, +1}, {}, false},
      /* 3 */ {{0, 0, +1}, {}, false},
      /* 4 */ {{1, 1, +1}, {}, false},
      /* 5 */ {{0, 1, +1}, {}, false},
      /* 6 */ {{1, 0, +1}, {0, 0, +1}, true},
      /* 7 */ {{1, 1, +1}, {0, 1, +1}, true},
      /* 8 */ {{1, 0, +1}, {-1, 0, -1}, true},
      /* 9 */ {{1, 0, +1}, {0, 0, -1}, true},
      /* 10 */ {{0, 0, +1}, {-1, 0, -1}, true},
      /* 11 */ {{0, 1, +1}, {-1, 0, -1}, true},
  };
  if (mode < 1 || mode > 11) return false;
  *out = kModes[mode];
  return true;
}

HostErr PatternWithCentre(const Mover& m, const TangentInput& in, HostRealPoint* runningCentre) {
  m.MoveAnchor();
  HostRealRect bounds;
  if (HostErr err = sArt->GetArtBounds(in.art, &bounds)) return err;
  float width, height;
  HostRealPoint centre = PointStageCentre(bounds, &width, &height);
  *runningCentre = centre;
  int32_t k1 = m.Seg(0, 1);
  m.PlaceTangent(k1, centre);
  int32_t k2 = m.Opp(k1);
  m.PlaceTangent(k2, centre);
  return kHostNoErr;
}

}  // namespace

HostErr ApplyTangentMode(const TangentInput& in, HostRealPoint* runningCentre) {
  const Mover m{in};
  HostErr result = kHostNoErr;
  SegmentMode segments;
  if (in.mode == 0) {  // Shift/jitter pattern: the anchor
    m.MoveAnchor();
  } else if (FindSegmentMode(in.mode, &segments)) {
    int32_t k1 = m.Seg(segments.first.axis, segments.first.sense);
    bool stored = m.MoveTangent(k1, segments.first.sign);
    if (in.mode == 2 && stored) sMeshVertex->SetSmooth(in.vertex, k1, 1);
    if (segments.twoSegments) {
      const SegmentStep& second = segments.second;
      int32_t k2 = second.axis < 0 ? m.Opp(k1) : m.Seg(second.axis, second.sense);
      m.MoveTangent(k2, second.sign);
    }
  } else if (in.mode == 12) {  // anchor, then both tangents of one direction from (0, 0)
    m.MoveAnchor();
    int32_t k1 = m.Seg(0, 1);
    m.PlaceTangent(k1, HostRealPoint{0, 0});
    int32_t k2 = m.Opp(k1);
    m.PlaceTangent(k2, HostRealPoint{0, 0});
  } else if (in.mode == 13) {  // anchor, then both tangents from the new centre
    result = PatternWithCentre(m, in, runningCentre);
  }
  sMeshVertex->Release(in.vertex);
  return result;
}
