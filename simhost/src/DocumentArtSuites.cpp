// Art-level suites of the simulated host: matching art, bounds, transform, blend style,
// and the path and gradient suites (the document holds no paths and no gradients).
#include <cmath>
#include <cstring>
#include <string>

#include "DocumentSuites.h"
#include "simhost/SimHost.h"

namespace simhost {
namespace {

constexpr const char* kMatching = kHostMatchingArtSuiteName;
constexpr const char* kArt = kHostArtSuiteName;
constexpr const char* kTransform = kHostTransformArtSuiteName;
constexpr const char* kBlend = kHostBlendStyleSuiteName;
constexpr const char* kPath = kHostPathSuiteName;
constexpr const char* kPathStyle = kHostPathStyleSuiteName;
constexpr const char* kGradient = kHostGradientSuiteName;

int32_t Attributes(const ArtObject& art) { return art.selected ? kHostArtSelected : 0; }

HostErr HOSTAPI GetMatchingArt(const HostArtMatchSpec* specs, int16_t specCount,
                               HostMemHandle* matches, int32_t* count) {
  SIM_ENTER(kMatching, "GetMatchingArt");
  if (!matches || !count || (specCount > 0 && !specs)) return NullArgument("GetMatchingArt");
  *matches = nullptr;
  *count = 0;
  DocumentHost& document = Host().document;
  std::vector<HostArtRef> found;
  for (size_t n = 0; n < document.doc.art.size(); ++n) {
    const ArtObject& art = document.doc.art[n];
    for (int16_t s = 0; s < specCount; ++s) {
      if (art.type == specs[s].type &&
          (Attributes(art) & specs[s].mask) == (specs[s].value & specs[s].mask)) {
        found.push_back(DocumentHost::ArtRef(n));
        break;
      }
    }
  }
  if (found.empty()) return kHostNoErr;  // no handle: nothing for the caller to dispose
  HostMemHandle handle = Host().memory.NewHandle(found.size() * sizeof(HostArtRef));
  if (!handle) return kHostOutOfMemoryErr;
  std::memcpy(*handle, found.data(), found.size() * sizeof(HostArtRef));
  *matches = handle;
  *count = int32_t(found.size());
  return kHostNoErr;
}

HostErr HOSTAPI GetArtBounds(HostArtRef art, HostRealRect* bounds) {
  SIM_ENTER(kArt, "GetArtBounds");
  if (!bounds) return NullArgument("GetArtBounds");
  size_t index = 0;
  if (!Host().document.FindArt(art, "GetArtBounds", &index)) return kHostBadParameterErr;
  *bounds = Host().document.Bounds(index);
  return kHostNoErr;
}

HostErr HOSTAPI GetArtType(HostArtRef art, int16_t* type) {
  SIM_ENTER(kArt, "GetArtType");
  if (!type) return NullArgument("GetArtType");
  const ArtObject* object = Host().document.FindArt(art, "GetArtType");
  if (!object) return kHostBadParameterErr;
  *type = object->type;
  return kHostNoErr;
}

bool Finite(const HostRealMatrix& m) {
  return std::isfinite(m.a) && std::isfinite(m.b) && std::isfinite(m.c) && std::isfinite(m.d) &&
         std::isfinite(m.tx) && std::isfinite(m.ty);
}

HostErr HOSTAPI TransformArt(HostArtRef art, const HostRealMatrix* matrix, HostReal lineScale,
                             int32_t flags) {
  SIM_ENTER(kTransform, "TransformArt");
  (void)lineScale;  // the document has no strokes to scale
  (void)flags;
  if (!matrix) return NullArgument("TransformArt");
  size_t index = 0;
  if (!Host().document.FindArt(art, "TransformArt", &index)) return kHostBadParameterErr;
  if (!Finite(*matrix)) return kHostBadParameterErr;
  Host().document.Transform(index, *matrix);
  return kHostNoErr;
}

HostErr HOSTAPI SetBlendingMode(HostArtRef art, int32_t mode) {
  SIM_ENTER(kBlend, "SetBlendingMode");
  size_t index = 0;
  if (!Host().document.FindArt(art, "SetBlendingMode", &index)) return kHostBadParameterErr;
  if (mode < 0 || mode >= kHostBlendModeCount) return kHostBadParameterErr;
  Host().document.ChangeBlendMode(index, mode);
  return kHostNoErr;
}

HostErr HOSTAPI SetOpacity(HostArtRef art, HostReal opacity) {
  SIM_ENTER(kBlend, "SetOpacity");
  size_t index = 0;
  if (!Host().document.FindArt(art, "SetOpacity", &index)) return kHostBadParameterErr;
  if (!(opacity >= 0 && opacity <= 1)) return kHostBadParameterErr;
  Host().document.ChangeOpacity(index, opacity);
  return kHostNoErr;
}

// The document holds meshes and other art, never a path.
HostErr HOSTAPI GetPathSegmentCount(HostArtRef art, int16_t* count) {
  SIM_ENTER(kPath, "GetPathSegmentCount");
  if (!count) return NullArgument("GetPathSegmentCount");
  if (!Host().document.FindArt(art, "GetPathSegmentCount")) return kHostBadParameterErr;
  return kHostNotFoundErr;
}

HostErr HOSTAPI GetPathPaint(HostArtRef art, int32_t* filled, int32_t* stroked) {
  SIM_ENTER(kPathStyle, "GetPathPaint");
  if (!filled || !stroked) return NullArgument("GetPathPaint");
  if (!Host().document.FindArt(art, "GetPathPaint")) return kHostBadParameterErr;
  return kHostNotFoundErr;
}

HostErr HOSTAPI CountGradients(int32_t* count) {
  SIM_ENTER(kGradient, "CountGradients");
  if (!count) return NullArgument("CountGradients");
  *count = 0;
  return kHostNoErr;
}

const HostMatchingArtSuite kMatchingSuite = {GetMatchingArt};
const HostArtSuite kArtSuite = {GetArtBounds, GetArtType};
const HostTransformArtSuite kTransformSuite = {TransformArt};
const HostBlendStyleSuite kBlendSuite = {SetBlendingMode, SetOpacity};
const HostPathSuite kPathSuite = {GetPathSegmentCount};
const HostPathStyleSuite kPathStyleSuite = {GetPathPaint};
const HostGradientSuite kGradientSuite = {CountGradients};

}  // namespace

void PublishArtSuites(SuiteRegistry& registry) {
  registry.Publish(kMatching, kHostMatchingArtSuiteVersion, &kMatchingSuite);
  registry.Publish(kArt, kHostArtSuiteVersion, &kArtSuite);
  registry.Publish(kTransform, kHostTransformArtSuiteVersion, &kTransformSuite);
  registry.Publish(kBlend, kHostBlendStyleSuiteVersion, &kBlendSuite);
  registry.Publish(kPath, kHostPathSuiteVersion, &kPathSuite);
  registry.Publish(kPathStyle, kHostPathStyleSuiteVersion, &kPathStyleSuite);
  registry.Publish(kGradient, kHostGradientSuiteVersion, &kGradientSuite);
}

}  // namespace simhost
