// The Mesh and Mesh Vertex suites of the simulated host.
//
// Segment indices are the slots of Document.h: axis * 2 + sense, so the opposite of a
// segment is its index with the sense bit flipped. A boundary vertex keeps all four
// slots: a slot with no neighbour holds a point that is read and written like any other
// tangent but belongs to no edge, so it never moves the mesh's bounds.
#include <cmath>
#include <string>

#include "DocumentSuites.h"
#include "simhost/SimHost.h"

namespace simhost {
namespace {

constexpr const char* kMesh = kHostMeshSuiteName;
constexpr const char* kVertex = kHostMeshVertexSuiteName;

bool Finite(const HostRealPoint& p) { return std::isfinite(p.h) && std::isfinite(p.v); }

bool ValidSlot(int32_t segment) { return segment >= kSegIMinus && segment <= kSegJPlus; }

HostErr HOSTAPI GetSize(HostArtRef mesh, int32_t* i, int32_t* j) {
  SIM_ENTER(kMesh, "GetSize");
  if (!i || !j) return NullArgument("GetSize");
  const ArtObject* art = Host().document.FindArt(mesh, "GetSize");
  if (!art) return kHostBadParameterErr;
  if (art->type != kHostArtTypeMesh) return kHostNotMeshErr;
  *i = art->mesh.ni;
  *j = art->mesh.nj;
  return kHostNoErr;
}

HostErr HOSTAPI GetVertex(HostArtRef mesh, int32_t i, int32_t j, HostMeshVertexRef* vertex) {
  SIM_ENTER(kMesh, "GetVertex");
  if (!vertex) return NullArgument("GetVertex");
  *vertex = nullptr;
  size_t index = 0;
  const ArtObject* art = Host().document.FindArt(mesh, "GetVertex", &index);
  if (!art) return kHostBadParameterErr;
  if (art->type != kHostArtTypeMesh) return kHostNotMeshErr;
  if (i < 0 || i > art->mesh.ni || j < 0 || j > art->mesh.nj) return kHostBadParameterErr;
  *vertex = Host().document.NewVertexRef(index, i, j);
  return kHostNoErr;
}

HostErr HOSTAPI Release(HostMeshVertexRef vertex) {
  SIM_ENTER(kVertex, "Release");
  VertexHandle* handle = Host().document.FindVertex(vertex, "Release");
  if (!handle) return kHostBadParameterErr;
  handle->released = true;
  return kHostNoErr;
}

HostErr HOSTAPI GetColor(HostMeshVertexRef vertex, HostColor* color) {
  SIM_ENTER(kVertex, "GetColor");
  if (!color) return NullArgument("GetColor");
  VertexHandle* handle = Host().document.FindVertex(vertex, "GetColor");
  if (!handle) return kHostBadParameterErr;
  *color = Host().document.VertexAt(*handle).color;
  return kHostNoErr;
}

// A colour the document can hold: a known kind, components from 0 to 1, and a custom
// colour that exists. Other kinds (pattern, gradient, none) are stored as they come.
bool ValidColor(const HostColor& color, size_t customColors) {
  auto inRange = [](HostReal x) { return x >= 0 && x <= 1; };
  switch (color.kind) {
    case kHostColorGray:
      return inRange(color.c[0].value);
    case kHostColorProcess:
      return inRange(color.c[0].value) && inRange(color.c[1].value) && inRange(color.c[2].value) &&
             inRange(color.c[3].value);
    case kHostColorCustom:
      return color.c[0].ref >= 0 && size_t(color.c[0].ref) < customColors &&
             inRange(color.c[1].value);
    case kHostColorRGB:
      return inRange(color.c[0].value) && inRange(color.c[1].value) && inRange(color.c[2].value);
    case kHostColorPattern:
    case kHostColorGradient:
    case kHostColorNone:
      return true;
    default:
      return false;
  }
}

HostErr HOSTAPI SetColor(HostMeshVertexRef vertex, const HostColor* color) {
  SIM_ENTER(kVertex, "SetColor");
  if (!color) return NullArgument("SetColor");
  DocumentHost& document = Host().document;
  VertexHandle* handle = document.FindVertex(vertex, "SetColor");
  if (!handle) return kHostBadParameterErr;
  if (!ValidColor(*color, document.doc.customColors.size())) {
    Host().suites.RecordBreach("colour out of range", "SetColor of kind " +
                                                          std::to_string(color->kind) + " at (" +
                                                          std::to_string(handle->i) + ", " +
                                                          std::to_string(handle->j) + ")");
    return kHostBadParameterErr;
  }
  document.ChangeColor(*handle, *color);
  return kHostNoErr;
}

HostErr HOSTAPI GetPoint(HostMeshVertexRef vertex, HostRealPoint* point) {
  SIM_ENTER(kVertex, "GetPoint");
  if (!point) return NullArgument("GetPoint");
  VertexHandle* handle = Host().document.FindVertex(vertex, "GetPoint");
  if (!handle) return kHostBadParameterErr;
  *point = Host().document.VertexAt(*handle).anchor;
  return kHostNoErr;
}

HostErr HOSTAPI SetPoint(HostMeshVertexRef vertex, const HostRealPoint* point) {
  SIM_ENTER(kVertex, "SetPoint");
  if (!point) return NullArgument("SetPoint");
  VertexHandle* handle = Host().document.FindVertex(vertex, "SetPoint");
  if (!handle) return kHostBadParameterErr;
  if (!Finite(*point)) {
    Host().suites.RecordBreach("point not finite", "SetPoint");
    return kHostBadParameterErr;
  }
  Host().document.ChangeAnchor(*handle, *point);
  return kHostNoErr;
}

int32_t HOSTAPI GetSegmentIndex(HostMeshVertexRef vertex, int32_t axis, int32_t sense) {
  SIM_NOTE(kVertex, "GetSegmentIndex");
  if (!Host().document.FindVertex(vertex, "GetSegmentIndex")) return -1;
  if ((axis != 0 && axis != 1) || (sense != 0 && sense != 1)) {
    Host().suites.RecordBreach("bad segment direction", "GetSegmentIndex");
    return -1;
  }
  return axis * 2 + sense;
}

int32_t HOSTAPI GetSegmentOpposite(HostMeshVertexRef vertex, int32_t segment) {
  SIM_NOTE(kVertex, "GetSegmentOpposite");
  if (!Host().document.FindVertex(vertex, "GetSegmentOpposite")) return -1;
  if (!ValidSlot(segment)) {
    Host().suites.RecordBreach("bad segment index", "GetSegmentOpposite");
    return -1;
  }
  return segment ^ 1;
}

HostErr HOSTAPI GetTangent(HostMeshVertexRef vertex, int32_t segment, HostRealPoint* point) {
  SIM_ENTER(kVertex, "GetTangent");
  if (!point) return NullArgument("GetTangent");
  VertexHandle* handle = Host().document.FindVertex(vertex, "GetTangent");
  if (!handle) return kHostBadParameterErr;
  if (!ValidSlot(segment)) return kHostBadParameterErr;
  *point = Host().document.VertexAt(*handle).tangent[size_t(segment)];
  return kHostNoErr;
}

HostErr HOSTAPI SetTangent(HostMeshVertexRef vertex, int32_t segment, const HostRealPoint* point) {
  SIM_ENTER(kVertex, "SetTangent");
  if (!point) return NullArgument("SetTangent");
  VertexHandle* handle = Host().document.FindVertex(vertex, "SetTangent");
  if (!handle) return kHostBadParameterErr;
  if (!ValidSlot(segment)) return kHostBadParameterErr;
  if (!Finite(*point)) {
    Host().suites.RecordBreach("point not finite", "SetTangent");
    return kHostBadParameterErr;
  }
  Host().document.ChangeTangent(*handle, segment, *point);
  return kHostNoErr;
}

HostErr HOSTAPI SetSmooth(HostMeshVertexRef vertex, int32_t segment, int32_t smooth) {
  SIM_ENTER(kVertex, "SetSmooth");
  VertexHandle* handle = Host().document.FindVertex(vertex, "SetSmooth");
  if (!handle) return kHostBadParameterErr;
  if (!ValidSlot(segment)) return kHostBadParameterErr;
  Host().document.ChangeSmooth(*handle, segment, smooth != 0);
  return kHostNoErr;
}

int32_t HOSTAPI IsOnBoundary(HostMeshVertexRef vertex) {
  SIM_NOTE(kVertex, "IsOnBoundary");
  DocumentHost& document = Host().document;
  VertexHandle* handle = document.FindVertex(vertex, "IsOnBoundary");
  if (!handle) return 0;
  const Mesh& mesh = document.doc.art[handle->art].mesh;
  return handle->i == 0 || handle->i == mesh.ni || handle->j == 0 || handle->j == mesh.nj;
}

const HostMeshSuite kMeshSuite = {GetSize, GetVertex};
const HostMeshVertexSuite kVertexSuite = {
    Release,    GetColor,   SetColor,  GetPoint,    SetPoint, GetSegmentIndex, GetSegmentOpposite,
    GetTangent, SetTangent, SetSmooth, IsOnBoundary};

}  // namespace

void PublishMeshSuites(SuiteRegistry& registry) {
  registry.Publish(kMesh, kHostMeshSuiteVersion, &kMeshSuite);
  registry.Publish(kVertex, kHostMeshVertexSuiteVersion, &kVertexSuite);
}

}  // namespace simhost
