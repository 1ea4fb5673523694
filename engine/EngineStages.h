// The stages of one engine run and the values they share. Each stage is a plain
// procedure over these records; the run (MeshRun.cpp) calls them in a fixed order for
// every visited vertex. Reals are stored as 32-bit values; every intermediate is formed
// in double precision.
#pragma once

#include "HostSuites.h"

struct MeshParams;

// The single-precision constants of the engine, applied by multiplication.
constexpr float kHundredth = 0.01f;         // 0x3C23D70A
constexpr float kOver255 = 0.00392156886f;  // 0x3B808081, nearest to 1/255
constexpr float kThird = 0.333333343f;      // 0x3EAAAAAB, nearest to 1/3

inline float Single(double x) { return static_cast<float>(x); }

// Values prepared once per run from the record and the document.
struct RunValues {
  float kC, kM, kY, kK;  // process colour amounts
  float kR, kG, kB;      // RGB amounts
  float kGray, kTint;
  float brightness;
  float scaleH, scaleV;  // per-object scale factors
  float angle;           // per-object rotation, radians
  float fi, fj;          // colour progression factors
  float gi, gj;          // position progression factors
  float t;               // interpolation fraction
  float docWidth, docHeight;
  HostRealPoint randomPoint;  // R, drawn once per run
};

// The nine working channel values, kept from one visited vertex to the next for the
// whole run.
enum WorkingChannel { kCyan, kMagenta, kYellow, kBlack, kRed, kGreen, kBlue, kGrey, kTint };
struct WorkingChannels {
  float value[9] = {};
};

// What the colour mode of one vertex looks at.
struct ColorModeInput {
  int32_t i, j;    // the vertex's outer and inner index
  int32_t ni, nj;  // the object's patch counts, after swapNode
  HostRealPoint anchor;
  float left, bottom;           // the object's bounds at its start
  HostRealPoint centre;         // the object centre, fixed for the object
  HostRealPoint runningCentre;  // the centre of the bounds as last read
  HostMeshVertexRef vertex;     // for the boundary query
  float ci, cj;                 // colour i- and j-products
};

// The mode value of the vertex turned into its pattern weight p = (Cj x Ci) x e; the
// carried weight (the previous vertex's p, across objects) becomes p. Draws only in
// mode 13. A zero divisor in modes 5, 6, 14 and 21 to 25 gives e = 0.
float ComputeColorModeValue(int32_t mode, const ColorModeInput& in, float* carriedWeight);

// The new colour of a vertex from its present colour and the weight p: the operation,
// brightness, wrap and clamp, written into `color` for the channels of its kind.
// `previous` holds the fields of the object's previously visited vertex.
void ApplyColorOperation(HostColor* color, float p, const MeshParams& record, const RunValues& run,
                         const HostColorField previous[4], WorkingChannels* working);

// Whole-number wrap of a channel value back toward 0 to 1, and the final clamp (NaN
// becomes 0).
float WrapChannel(float x);
float ClampChannel(float x);

// What the point mode of one vertex looks at.
struct DisplacementInput {
  int32_t mode;
  float jitterX, jitterY;  // A and B
  int32_t i, j, ni, nj;
  float s;  // position scale Gj x Gi
  float p;  // pattern weight
  const HostColor* color;
  float width, height;  // of the bounds just read
  HostRealPoint centre;
};
HostRealPoint ComputeDisplacement(const DisplacementInput& in);

// Updates the object's target T by the target mode.
void ComputeTarget(int32_t mode, const HostRealRect& bounds, HostRealPoint centre,
                   const RunValues& run, HostRealPoint* target);

// The centre of a rectangle as the point stage forms it: W and H rounded to 32 bits,
// then left - (-0.5 x W) and bottom - (-0.5 x H).
HostRealPoint PointStageCentre(const HostRealRect& bounds, float* width, float* height);
// The centre as the object start and the finishing form it: left - (right - left) x -0.5.
HostRealPoint ObjectCentre(const HostRealRect& bounds);

struct TangentInput {
  HostArtRef art;
  HostMeshVertexRef vertex;
  int32_t mode;
  HostRealPoint d;
  HostRealPoint target;
  float t;
  bool store;  // both position gates open
};
// Moves the vertex's anchor or tangents by the tangent mode and releases the vertex,
// also on failure. Returns 0, or the bounds query's code in mode 13, where
// `runningCentre` takes the centre of the new bounds.
HostErr ApplyTangentMode(const TangentInput& in, HostRealPoint* runningCentre);

// Opacity, blending mode and the transform of one object after its vertices; the
// running centre takes the centre of the bounds it reads.
HostErr FinishObject(HostArtRef art, const MeshParams& record, const RunValues& run,
                     HostRealPoint* runningCentre);
