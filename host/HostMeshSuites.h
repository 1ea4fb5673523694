/* Gradient meshes and their vertices. */
#ifndef QUIB_HOST_MESH_SUITES_H
#define QUIB_HOST_MESH_SUITES_H

#include "HostBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Colour kinds of a vertex colour record. Kinds other than grey, process, custom and
 * RGB are carried through unchanged by the module. */
enum {
  kHostColorGray = 0,    /* c[0] grey */
  kHostColorProcess = 1, /* c[0..3] cyan, magenta, yellow, black */
  kHostColorPattern = 2,
  kHostColorCustom = 3, /* c[0].ref custom colour of the document, c[1] tint */
  kHostColorGradient = 4,
  kHostColorRGB = 5, /* c[0..2] red, green, blue */
  kHostColorNone = 6
};

/* One 32-bit field of a colour record: a real, or a reference for custom colours. */
typedef union HostColorField {
  HostReal value;
  int32_t ref;
} HostColorField;

typedef struct HostColor {
  int32_t kind;
  HostColorField c[4];
} HostColor;

#define kHostMeshSuiteName "AI Mesh Suite"
#define kHostMeshSuiteVersion 3
typedef struct HostMeshSuite {
  /* Patch counts along i and j; an error for art that is not a gradient mesh. */
  HostErr(HOSTAPI* GetSize)(HostArtRef mesh, int32_t* i, int32_t* j);
  /* A reference to vertex (i, j), 0 <= i <= size i, 0 <= j <= size j; the caller
   * releases it through the Mesh Vertex suite. */
  HostErr(HOSTAPI* GetVertex)(HostArtRef mesh, int32_t i, int32_t j, HostMeshVertexRef* vertex);
} HostMeshSuite;

#define kHostMeshVertexSuiteName "AI Mesh Vertex Suite"
#define kHostMeshVertexSuiteVersion 1
/* Segments: one towards each neighbour. Axis 0 runs along i, axis 1 along j; sense 0
 * points towards the lower index, sense 1 towards the higher. */
typedef struct HostMeshVertexSuite {
  /* Gives back a reference from GetVertex. */
  HostErr(HOSTAPI* Release)(HostMeshVertexRef vertex);
  HostErr(HOSTAPI* GetColor)(HostMeshVertexRef vertex, HostColor* color);
  HostErr(HOSTAPI* SetColor)(HostMeshVertexRef vertex, const HostColor* color);
  /* The anchor point. */
  HostErr(HOSTAPI* GetPoint)(HostMeshVertexRef vertex, HostRealPoint* point);
  HostErr(HOSTAPI* SetPoint)(HostMeshVertexRef vertex, const HostRealPoint* point);
  /* The index of the segment leaving the vertex along `axis` in `sense`. */
  int32_t(HOSTAPI* GetSegmentIndex)(HostMeshVertexRef vertex, int32_t axis, int32_t sense);
  /* The index of the segment that continues `segment` through the vertex. */
  int32_t(HOSTAPI* GetSegmentOpposite)(HostMeshVertexRef vertex, int32_t segment);
  /* A segment's control point next to the vertex, in artwork coordinates. */
  HostErr(HOSTAPI* GetTangent)(HostMeshVertexRef vertex, int32_t segment, HostRealPoint* point);
  HostErr(HOSTAPI* SetTangent)(HostMeshVertexRef vertex, int32_t segment,
                               const HostRealPoint* point);
  /* Marks the segment's tangent smooth (non-zero) or corner (0). */
  HostErr(HOSTAPI* SetSmooth)(HostMeshVertexRef vertex, int32_t segment, int32_t smooth);
  /* Non-zero when the vertex lies on the mesh's outer edge. */
  int32_t(HOSTAPI* IsOnBoundary)(HostMeshVertexRef vertex);
} HostMeshVertexSuite;

#ifdef __cplusplus
}
#endif

#endif
