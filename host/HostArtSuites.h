/* Drawing-host suites about art objects: matching, bounds, transform, blending, and
 * the path and gradient suites the module holds without calling. */
#ifndef QUIB_HOST_ART_SUITES_H
#define QUIB_HOST_ART_SUITES_H

#include "HostBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Art types the module asks for. */
enum { kHostArtTypeOther = 8, kHostArtTypeMesh = 11 };
/* Attribute bit of selected art. */
enum { kHostArtSelected = 1 };

/* One match record: art of `type` whose attributes under `mask` equal `value`. */
typedef struct HostArtMatchSpec {
  int16_t type;
  int32_t mask;
  int32_t value;
} HostArtMatchSpec;

#define kHostMatchingArtSuiteName "AI Matching Art Suite"
#define kHostMatchingArtSuiteVersion 4
typedef struct HostMatchingArtSuite {
  /* Finds the art matching any of the records, in document order. On success *matches
   * is a memory handle whose block is an array of *count HostArtRef (the caller
   * disposes it through the MdMemory suite); with no match it may be null and *count 0. */
  HostErr(HOSTAPI* GetMatchingArt)(const HostArtMatchSpec* specs, int16_t specCount,
                                   HostMemHandle* matches, int32_t* count);
} HostMatchingArtSuite;

#define kHostArtSuiteName "AI Art Suite"
#define kHostArtSuiteVersion 9
typedef struct HostArtSuite {
  /* The exact bounds of the art's geometry. */
  HostErr(HOSTAPI* GetArtBounds)(HostArtRef art, HostRealRect* bounds);
  /* The art's type (8, 11, ...). */
  HostErr(HOSTAPI* GetArtType)(HostArtRef art, int16_t* type);
} HostArtSuite;

#define kHostTransformArtSuiteName "AI Transform Art Suite"
#define kHostTransformArtSuiteVersion 1
typedef struct HostTransformArtSuite {
  /* Moves every point of the art through the matrix. */
  HostErr(HOSTAPI* TransformArt)(HostArtRef art, const HostRealMatrix* matrix, HostReal lineScale,
                                 int32_t flags);
} HostTransformArtSuite;

#define kHostBlendStyleSuiteName "AI Blend Style Suite"
#define kHostBlendStyleSuiteVersion 2
enum { kHostBlendModeCount = 16 };
typedef struct HostBlendStyleSuite {
  /* Blending mode 0 (normal) to 15. */
  HostErr(HOSTAPI* SetBlendingMode)(HostArtRef art, int32_t mode);
  /* Opacity from 0 to 1. */
  HostErr(HOSTAPI* SetOpacity)(HostArtRef art, HostReal opacity);
} HostBlendStyleSuite;

#define kHostPathSuiteName "AI Path Suite"
#define kHostPathSuiteVersion 4
typedef struct HostPathSuite {
  /* Number of segments of a path; an error for art that is not a path. */
  HostErr(HOSTAPI* GetPathSegmentCount)(HostArtRef art, int16_t* count);
} HostPathSuite;

#define kHostPathStyleSuiteName "AI Path Style Suite"
#define kHostPathStyleSuiteVersion 5
typedef struct HostPathStyleSuite {
  /* Whether a path is filled and stroked; an error for art that is not a path. */
  HostErr(HOSTAPI* GetPathPaint)(HostArtRef art, int32_t* filled, int32_t* stroked);
} HostPathStyleSuite;

#define kHostGradientSuiteName "AI Gradient Suite"
#define kHostGradientSuiteVersion 4
typedef struct HostGradientSuite {
  /* Number of gradient swatches in the document. */
  HostErr(HOSTAPI* CountGradients)(int32_t* count);
} HostGradientSuite;

#ifdef __cplusplus
}
#endif

#endif
