// The 20 point modes (how far a vertex moves) and the 15 interpolation targets (the
// point its moved points are scaled about).
#include "EngineStages.h"
#include "SuiteTable.h"

namespace {

double Draw() { return sRandom->FloatRnd(); }
// +1 when the draw is greater than 0.5, -1 otherwise (0.5 included).
double Sign(double r) { return r > 0.5 ? 1 : -1; }
bool Odd(int32_t n) { return n % 2 == 1; }
// Modes 17 and 18 divide by a patch count; a mesh without patches does not move.
double Ratio(double index, double count) { return count == 0 ? 0 : index / count; }

// Colour value of modes 7 and 8. Pattern, gradient and none give 0: no shift.
double ColorValue(const HostColor& color) {
  switch (color.kind) {
    case kHostColorGray:
      return color.c[0].value;
    case kHostColorProcess:
      return (double(color.c[0].value) + color.c[1].value + color.c[3].value + color.c[2].value) *
             0.25;
    case kHostColorCustom:
      return color.c[1].value;
    case kHostColorRGB:
      return (double(color.c[0].value) + color.c[1].value + color.c[2].value) * 0.33333334f;
    default:
      return 0;
  }
}

// Modes 15 and 16 measure from the displacement being built, not from the vertex.
HostRealPoint RadialShift(const DisplacementInput& in, bool zoom) {
  float hw = Single(double(in.width) * 0.5);
  if (hw == 0) hw = 0.01f;
  float hh = Single(double(in.height) * 0.5);
  if (hh == 0) hh = 0.01f;
  HostRealPoint d{0, 0};
  double g = sRealMath->PointDistance(&d, &in.centre);
  double sx = !zoom || d.h > in.centre.h ? 1 : -1;
  d.h = Single(sx * g * in.jitterX * in.s / hw);
  g = sRealMath->PointDistance(&d, &in.centre);
  double sy = !zoom || d.v > in.centre.v ? 1 : -1;
  d.v = Single(sy * g * in.jitterY * in.s / hh);
  return d;
}

}  // namespace

HostRealPoint ComputeDisplacement(const DisplacementInput& in) {
  const double a = in.jitterX, b = in.jitterY, s = in.s;
  double dx = 0, dy = 0;
  auto basicJitter = [&] {
    double r1 = Draw(), r2 = Draw();
    dx = Single(Sign(r1) * r2 * a * s);
    double r3 = Draw(), r4 = Draw();
    dy = Single(Sign(r3) * r4 * b * s);
  };
  auto oneWayJitter = [&](double factor) {
    double r1 = Draw();
    dx = Single(r1 * a * s * factor);
    double r2 = Draw();
    dy = Single(r2 * b * s * factor);
  };
  auto shift = [&](double factor) {
    dx = Single(a * s * factor);
    dy = Single(b * s * factor);
  };
  switch (in.mode) {
    case 0:  // Basic jitter
      basicJitter();
      break;
    case 1:  // Jitter in one direction
      oneWayJitter(1);
      break;
    case 2:  // Jitter / alternate column
      if (Odd(in.i)) basicJitter();
      break;
    case 3:  // Alternate column jitter
      if (Odd(in.i)) oneWayJitter(1);
      break;
    case 4:  // Alternate row jitter
      if (Odd(in.j)) oneWayJitter(1);
      break;
    case 5:  // Alternate column shift
      if (Odd(in.i)) shift(1);
      break;
    case 6:  // Alternate row shift
      if (Odd(in.j)) shift(1);
      break;
    case 7:  // Shift based on color
      shift(ColorValue(*in.color));
      break;
    case 8:  // Jitter based on color
      oneWayJitter(ColorValue(*in.color));
      break;
    case 9:  // Shift based on nodes
      shift(in.p);
      break;
    case 10:  // Jitter based on nodes
      oneWayJitter(in.p);
      break;
    case 11:  // Shift
      shift(1);
      break;
    case 12:  // Shift grid
      if (Odd(in.i) && Odd(in.j)) shift(1);
      break;
    case 13:  // Shift separate column
      shift(Odd(in.j) ? 1 : -1);
      break;
    case 14:  // Shift separate row
      shift(Odd(in.i) ? 1 : -1);
      break;
    case 15:  // Radial shift
      return RadialShift(in, false);
    case 16:  // Zoom shift
      return RadialShift(in, true);
    case 17:  // Increasing
      dx = Single(a * s * Ratio(in.j, in.nj));
      dy = Single(b * s * Ratio(in.i, in.ni));
      break;
    case 18:  // Burst
      dx = Single(a * s * Ratio(in.i, in.ni));
      dy = Single(b * s * Ratio(in.j, in.nj));
      break;
    case 19:  // Accumulate
      dx = Single(a * s * in.j);
      dy = Single(b * s * in.i);
      break;
    default:  // no such mode: no move
      break;
  }
  return HostRealPoint{Single(dx), Single(dy)};
}

void ComputeTarget(int32_t mode, const HostRealRect& bounds, HostRealPoint centre,
                   const RunValues& run, HostRealPoint* target) {
  HostRealPoint& t = *target;
  switch (mode) {
    case 0:  // Interpolation: Mesh center
      t = centre;
      break;
    case 1:
      t = {100, 100};
      break;
    case 2:
      t = {0, 0};
      break;
    case 3:  // Document center
      t = {Single(double(run.docWidth) * 0.5), Single(double(run.docHeight) * 0.5)};
      break;
    case 4:  // Random horizontal
      t = {Single(Draw() * run.docWidth), centre.v};
      break;
    case 5:  // Random vertical
      t = {centre.h, Single(Draw() * run.docHeight)};
      break;
    case 6:  // Single random for all
      t = run.randomPoint;
      break;
    case 7: {  // All mesh points random
      double r1 = Draw();
      double r2 = Draw();
      t = {Single(r1 * run.docWidth), Single(r2 * run.docHeight)};
      break;
    }
    case 8:  // Mesh bottom
      t = {centre.h, bounds.bottom};
      break;
    case 9:  // Mesh top
      t = {centre.h, bounds.top};
      break;
    case 10:  // Mesh left
      t = {bounds.left, centre.v};
      break;
    case 11:  // Mesh right
      t = {bounds.right, centre.v};
      break;
    case 12:  // Accumulate 1
      t = {Single(double(t.h) + 3), Single(double(t.v) + 3)};
      break;
    case 13:  // Accumulate 2
      t = {0, Single(double(t.v) + 4)};
      break;
    case 14:  // Accumulate 3
      t = {0, Single(double(t.v) + 4 * Draw())};
      break;
    default:  // no such target: T stays
      break;
  }
}

HostRealPoint PointStageCentre(const HostRealRect& bounds, float* width, float* height) {
  *width = Single(double(bounds.right) - bounds.left);
  *height = Single(double(bounds.top) - bounds.bottom);
  return HostRealPoint{Single(double(bounds.left) - (-0.5 * *width)),
                       Single(double(bounds.bottom) - (-0.5 * *height))};
}

HostRealPoint ObjectCentre(const HostRealRect& bounds) {
  return HostRealPoint{Single(double(bounds.left) - (double(bounds.right) - bounds.left) * -0.5),
                       Single(double(bounds.bottom) - (double(bounds.top) - bounds.bottom) * -0.5)};
}
