// The 30 colour modes: how strongly each vertex is recoloured.
#include "EngineStages.h"
#include "SuiteTable.h"

namespace {

bool Even(int32_t n) { return n % 2 == 0; }
bool Odd(int32_t n) { return n % 2 == 1; }

// A quotient whose divisor is zero gives no weight instead of an infinite one.
double Ratio(double numerator, double divisor) { return divisor == 0 ? 0 : numerator / divisor; }

// Mode 11: the vertex's distance from the running centre over the object centre's
// distance from the document origin (0.01 when that is 0).
double InnerValue(const ColorModeInput& in) {
  double cx = in.centre.h, cy = in.centre.v;
  float w = sRealMath->RealSqrt(Single(cy * cy + cx * cx));
  if (w == 0) w = 0.01f;
  double dx = double(in.anchor.h) - in.runningCentre.h;
  double dy = double(in.anchor.v) - in.runningCentre.v;
  return double(sRealMath->RealSqrt(Single(dx * dx + dy * dy))) / w;
}

double ModeValue(int32_t mode, const ColorModeInput& in, float carried) {
  const int32_t i = in.i, j = in.j, ni = in.ni, nj = in.nj;
  const double x = in.anchor.h, y = in.anchor.v;
  const double cx = in.centre.h, cy = in.centre.v;
  switch (mode) {
    case 0:  // All points modified
      return 1;
    case 1:  // Horizontal lines
      return Even(j) ? 1 : 0;
    case 2:  // Vertical lines
      return Even(i) ? 1 : 0;
    case 3:  // Dotty
      return Even(i) && Even(j) ? 1 : 0;
    case 4:  // Grid
      return Odd(i) && Odd(j) ? 1 : 0;
    case 5:  // Horizontal influenced
      return Ratio(x - in.left, cx);
    case 6:  // Vertical influenced
      return Ratio(y - in.bottom, cy);
    case 7:  // On boundary
      return sMeshVertex->IsOnBoundary(in.vertex) ? 1 : 0;
    case 8:  // Not on boundary
      return sMeshVertex->IsOnBoundary(in.vertex) ? 0 : 1;
    case 9:  // Line
      return i == j ? 1 : 0;
    case 10:  // Diagonals
      return i == j || ni - i == j ? 1 : 0;
    case 11:  // Inner
      return InnerValue(in);
    case 12:  // Flow
      return j % 3 == 0 ? 1 : j % 3 == 1 ? 0.5 : double(carried);
    case 13: {  // Random jitter: from 0.5 to 1.5
      double r1 = sRandom->FloatRnd();
      double r2 = sRandom->FloatRnd();
      double sigma = r1 > 0.5 ? -0.5 : 0.5;
      return r2 * sigma + 1;
    }
    case 14: {  // Cylinder
      double d = x - in.left;
      if (d > cx * 0.5) return Ratio(d, cx);
      return Ratio((cx - x) + in.left, cx);
    }
    case 15:  // Vertical 2
      return i % 3 == 0 ? 1 : 0;
    case 16:  // Combo
      return (int64_t(i) * j) % 2 == 0 ? 1 : 0;
    case 17:  // Line 2
      return i == j ? 0 : 1;
    case 18:  // Line 3
      return j == i || j == i + 1 || j == i - 1 ? 0 : 1;
    case 19:  // Grid 2
      return i % 3 != 0 && Odd(j) ? 1 : 0;
    case 20:  // Grid 3: bands two columns wide, every third row
      return (i % 4 == 2 || i % 4 == 3) && j % 3 == 1 ? 1 : 0;
    case 21:  // Grad 1
      return Ratio(j, ni);
    case 22:  // Grad 2
      return Ratio(i, nj);
    case 23:  // Grad 3
      return Ratio(double(j + i), double(nj + ni));
    case 24:  // Grad 4
      return Ratio(double(int64_t(j) * i), double(int64_t(nj) * ni));
    case 25: {  // Grad 5
      double area = double(int64_t(nj) * ni);
      return Ratio(double(int64_t(ni - i) * (nj - j)), area) + Ratio(double(int64_t(j) * i), area);
    }
    case 26:  // Grad 6
      return i / 3 + 1;
    case 27:  // Grad 7
      return (i / 3 + j / 3 + 2) / 2;
    case 28:  // Double patch
      return Even(i / 3 + 1) && Even(j / 3 + 1) ? 1 : 0;
    case 29:  // Cross
      return i == ni / 2 || j == nj / 2 ? 1 : 0;
    default:  // outside the list: the carried weight again
      return carried;
  }
}

}  // namespace

float ComputeColorModeValue(int32_t mode, const ColorModeInput& in, float* carriedWeight) {
  double e = ModeValue(mode, in, *carriedWeight);
  float p = Single((double(in.cj) * double(in.ci)) * e);
  *carriedWeight = p;
  return p;
}
