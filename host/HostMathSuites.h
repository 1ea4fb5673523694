/* Real arithmetic, matrices and random numbers of the drawing host. */
#ifndef QUIB_HOST_MATH_SUITES_H
#define QUIB_HOST_MATH_SUITES_H

#include "HostBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostRealMathSuiteName "AI Real Math Suite"
#define kHostRealMathSuiteVersion 1
typedef struct HostRealMathSuite {
  HostReal(HOSTAPI* RealDiv)(HostReal a, HostReal b);
  HostReal(HOSTAPI* DegreeToRadian)(HostReal degrees);
  HostReal(HOSTAPI* RealSqrt)(HostReal a);
  /* b + t * (a - b): t = 1 gives a, t = 0 gives b. */
  HostReal(HOSTAPI* RealInterpolate)(HostReal a, HostReal b, HostReal t);
  /* *result = b + t * (a - b) for each coordinate; result may be a. */
  void(HOSTAPI* PointInterpolate)(const HostRealPoint* a, const HostRealPoint* b, HostReal t,
                                  HostRealPoint* result);
  HostReal(HOSTAPI* PointDistance)(const HostRealPoint* a, const HostRealPoint* b);
  /* Sets the matrix to a translation. */
  void(HOSTAPI* MatrixSetTranslate)(HostRealMatrix* m, HostReal tx, HostReal ty);
  /* Each concatenation applies after what the matrix already holds. */
  void(HOSTAPI* MatrixConcatTranslate)(HostRealMatrix* m, HostReal tx, HostReal ty);
  void(HOSTAPI* MatrixConcatRotate)(HostRealMatrix* m, HostReal radians);
  void(HOSTAPI* MatrixConcatScale)(HostRealMatrix* m, HostReal h, HostReal v);
} HostRealMathSuite;

#define kHostRandomSuiteName "AI Random Suite"
#define kHostRandomSuiteVersion 3
typedef struct HostRandomSuite {
  /* The next random real r, 0 <= r < 1. */
  HostReal(HOSTAPI* FloatRnd)(void);
} HostRandomSuite;

#ifdef __cplusplus
}
#endif

#endif
