// The Real Math and Random suites of the simulated host. Arithmetic is done in double
// precision and each result rounded once to the host's 32-bit reals.
#include <cmath>

#include "DocumentSuites.h"
#include "simhost/SimHost.h"

namespace simhost {
namespace {

constexpr const char* kMath = kHostRealMathSuiteName;
constexpr const char* kRandom = kHostRandomSuiteName;
constexpr double kPi = 3.14159265358979323846;

// IEEE division: a zero divisor gives an infinity or NaN, as the host's arithmetic does.
HostReal HOSTAPI RealDiv(HostReal a, HostReal b) {
  SIM_NOTE(kMath, "RealDiv");
  return HostReal(double(a) / double(b));
}

HostReal HOSTAPI DegreeToRadian(HostReal degrees) {
  SIM_NOTE(kMath, "DegreeToRadian");
  return HostReal(double(degrees) * kPi / 180.0);
}

HostReal HOSTAPI RealSqrt(HostReal a) {
  SIM_NOTE(kMath, "RealSqrt");
  return HostReal(std::sqrt(double(a)));
}

HostReal HOSTAPI RealInterpolate(HostReal a, HostReal b, HostReal t) {
  SIM_NOTE(kMath, "RealInterpolate");
  return HostReal(double(b) + double(t) * (double(a) - double(b)));
}

void HOSTAPI PointInterpolate(const HostRealPoint* a, const HostRealPoint* b, HostReal t,
                              HostRealPoint* result) {
  SIM_NOTE(kMath, "PointInterpolate");
  if (!a || !b || !result) {
    Host().suites.RecordBreach("null argument", "PointInterpolate");
    return;
  }
  HostRealPoint out{HostReal(double(b->h) + double(t) * (double(a->h) - double(b->h))),
                    HostReal(double(b->v) + double(t) * (double(a->v) - double(b->v)))};
  *result = out;
}

HostReal HOSTAPI PointDistance(const HostRealPoint* a, const HostRealPoint* b) {
  SIM_NOTE(kMath, "PointDistance");
  if (!a || !b) {
    Host().suites.RecordBreach("null argument", "PointDistance");
    return 0;
  }
  return HostReal(std::hypot(double(a->h) - double(b->h), double(a->v) - double(b->v)));
}

// m followed by n: a point goes through m first, then through n.
void ConcatAfter(HostRealMatrix* m, double na, double nb, double nc, double nd, double ntx,
                 double nty) {
  HostRealMatrix out{
      HostReal(na * m->a + nc * m->b),         HostReal(nb * m->a + nd * m->b),
      HostReal(na * m->c + nc * m->d),         HostReal(nb * m->c + nd * m->d),
      HostReal(na * m->tx + nc * m->ty + ntx), HostReal(nb * m->tx + nd * m->ty + nty)};
  *m = out;
}

bool CheckMatrix(HostRealMatrix* m, const char* operation) {
  if (m) return true;
  Host().suites.RecordBreach("null argument", operation);
  return false;
}

void HOSTAPI MatrixSetTranslate(HostRealMatrix* m, HostReal tx, HostReal ty) {
  SIM_NOTE(kMath, "MatrixSetTranslate");
  if (!CheckMatrix(m, "MatrixSetTranslate")) return;
  *m = HostRealMatrix{1, 0, 0, 1, tx, ty};
}

void HOSTAPI MatrixConcatTranslate(HostRealMatrix* m, HostReal tx, HostReal ty) {
  SIM_NOTE(kMath, "MatrixConcatTranslate");
  if (!CheckMatrix(m, "MatrixConcatTranslate")) return;
  ConcatAfter(m, 1, 0, 0, 1, tx, ty);
}

// A positive angle turns counterclockwise in artwork coordinates (y up).
void HOSTAPI MatrixConcatRotate(HostRealMatrix* m, HostReal radians) {
  SIM_NOTE(kMath, "MatrixConcatRotate");
  if (!CheckMatrix(m, "MatrixConcatRotate")) return;
  double c = std::cos(double(radians)), s = std::sin(double(radians));
  ConcatAfter(m, c, s, -s, c, 0, 0);
}

void HOSTAPI MatrixConcatScale(HostRealMatrix* m, HostReal h, HostReal v) {
  SIM_NOTE(kMath, "MatrixConcatScale");
  if (!CheckMatrix(m, "MatrixConcatScale")) return;
  ConcatAfter(m, h, 0, 0, v, 0, 0);
}

HostReal HOSTAPI FloatRnd() {
  SIM_NOTE(kRandom, "FloatRnd");
  return Host().document.random.Next();
}

const HostRealMathSuite kMathSuite = {RealDiv,
                                      DegreeToRadian,
                                      RealSqrt,
                                      RealInterpolate,
                                      PointInterpolate,
                                      PointDistance,
                                      MatrixSetTranslate,
                                      MatrixConcatTranslate,
                                      MatrixConcatRotate,
                                      MatrixConcatScale};
const HostRandomSuite kRandomSuite = {FloatRnd};

}  // namespace

void PublishMathSuites(SuiteRegistry& registry) {
  registry.Publish(kMath, kHostRealMathSuiteVersion, &kMathSuite);
  registry.Publish(kRandom, kHostRandomSuiteVersion, &kRandomSuite);
}

}  // namespace simhost
