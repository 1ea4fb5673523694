// The Document, Document View and Undo suites of the simulated host, and the
// publication of every document suite.
#include "DocumentSuites.h"

#include <cmath>

#include "simhost/SimHost.h"

namespace simhost {
namespace {

constexpr const char* kDocument = kHostDocumentSuiteName;
constexpr const char* kView = kHostDocumentViewSuiteName;
constexpr const char* kUndo = kHostUndoSuiteName;

// The document has one view; its reference is the number 1.
const HostViewRef kFrontView = reinterpret_cast<HostViewRef>(uintptr_t(1));

HostErr HOSTAPI GetDocumentSetup(HostDocumentSetup* setup) {
  SIM_ENTER(kDocument, "GetDocumentSetup");
  if (!setup) return NullArgument("GetDocumentSetup");
  setup->width = Host().document.doc.width;
  setup->height = Host().document.doc.height;
  return kHostNoErr;
}

HostErr HOSTAPI RedrawDocument() {
  SIM_ENTER(kDocument, "RedrawDocument");
  ++Host().document.redraws;
  return kHostNoErr;
}

HostErr HOSTAPI GetNthView(int32_t n, HostViewRef* view) {
  SIM_ENTER(kView, "GetNthView");
  if (!view) return NullArgument("GetNthView");
  *view = n == 0 ? kFrontView : nullptr;
  return n == 0 ? kHostNoErr : kHostNotFoundErr;
}

bool KnownView(HostViewRef view, const char* operation) {
  if (view == kFrontView) return true;
  Host().suites.RecordBreach("unknown view reference", operation);
  return false;
}

HostErr HOSTAPI SetZoom(HostViewRef view, HostReal zoom) {
  SIM_ENTER(kView, "SetZoom");
  if (!KnownView(view, "SetZoom")) return kHostBadParameterErr;
  if (!(std::isfinite(zoom) && zoom > 0)) return kHostBadParameterErr;
  Host().document.doc.view.zoom = zoom;
  return kHostNoErr;
}

// View pixels grow right and down from the view's top-left artwork point; one pixel is
// 1 / zoom points.
HostErr HOSTAPI ViewPointToArtworkPoint(HostViewRef view, const HostIntPoint* viewPoint,
                                        HostRealPoint* artworkPoint) {
  SIM_ENTER(kView, "ViewPointToArtworkPoint");
  if (!viewPoint || !artworkPoint) return NullArgument("ViewPointToArtworkPoint");
  if (!KnownView(view, "ViewPointToArtworkPoint")) return kHostBadParameterErr;
  const DocumentView& v = Host().document.doc.view;
  artworkPoint->h = HostReal(double(v.topLeft.h) + double(viewPoint->h) / double(v.zoom));
  artworkPoint->v = HostReal(double(v.topLeft.v) - double(viewPoint->v) / double(v.zoom));
  return kHostNoErr;
}

HostErr HOSTAPI UndoChanges() {
  SIM_ENTER(kUndo, "UndoChanges");
  Host().document.UndoChanges();
  return kHostNoErr;
}

const HostDocumentSuite kDocumentSuite = {GetDocumentSetup, RedrawDocument};
const HostDocumentViewSuite kViewSuite = {GetNthView, SetZoom, ViewPointToArtworkPoint};
const HostUndoSuite kUndoSuite = {UndoChanges};

}  // namespace

void PublishDocumentSuites(SuiteRegistry& registry) {
  PublishArtSuites(registry);
  PublishMeshSuites(registry);
  PublishMathSuites(registry);
  registry.Publish(kDocument, kHostDocumentSuiteVersion, &kDocumentSuite);
  registry.Publish(kView, kHostDocumentViewSuiteVersion, &kViewSuite);
  registry.Publish(kUndo, kHostUndoSuiteVersion, &kUndoSuite);
}

}  // namespace simhost
