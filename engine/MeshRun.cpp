// The engine run: per-run values, the selection cache, the order in which objects and
// vertices are visited, the isolation filters, the random gates and mode picks, and the
// running products that the stages use.
#include <cmath>
#include <utility>

#include "EngineStages.h"
#include "MeshEngine.h"
#include "MeshParams.h"
#include "PluginGlobals.h"
#include "SuiteTable.h"

namespace {

// A coin flip opens when the draw is greater than 0.5.
bool CoinFlip() { return double(sRandom->FloatRnd()) > 0.5; }

int32_t PickMode(bool random, int32_t fixed, int32_t count) {
  int32_t mode = random ? int32_t(std::trunc(double(sRandom->FloatRnd()) * count)) : fixed;
  return mode > count - 1 ? count - 1 : mode;
}

float Percent(float value) { return Single(double(value) * kHundredth); }

RunValues PrepareRunValues(const MeshParams& r) {
  RunValues run{};
  run.kC = Percent(r.channel1);
  run.kM = Percent(r.channel2);
  run.kY = Percent(r.channel3);
  run.kK = Percent(r.channel4);
  run.kR = Single(double(r.channel1) * kOver255);
  run.kG = Single(double(r.channel2) * kOver255);
  run.kB = Single(double(r.channel3) * kOver255);
  run.kGray = run.kTint = Percent(r.channel1);
  run.brightness = Percent(r.brightness);
  run.scaleH = sRealMath->RealDiv(r.scaleX, 100.0f);
  run.scaleV = sRealMath->RealDiv(r.scaleY, 100.0f);
  run.angle = sRealMath->DegreeToRadian(r.angle);
  run.fi = Percent(r.colorNodeFactorI);
  run.fj = Percent(r.colorNodeFactorJ);
  run.gi = Percent(r.pointNodeFactorI);
  run.gj = Percent(r.pointNodeFactorJ);
  run.t = Percent(r.interpolation);
  return run;
}

// State carried across the vertices and objects of one run.
struct Run {
  const MeshParams& record;
  RunValues values;
  float carriedWeight = 1;
  WorkingChannels working;
};

// State of one mesh object.
struct Object {
  HostArtRef art;
  int32_t ni, nj;
  HostRealRect startBounds;
  HostRealPoint centre;
  HostRealPoint runningCentre;
  int32_t colorMode, pointMode, tangentMode;
  HostColorField previous[4];
  HostRealPoint target;
};

HostErr VisitVertex(Run& run, Object& obj, int32_t i, int32_t j, bool outerColor,
                    bool outerPosition, float ci, float cj, float gi, float gj) {
  const MeshParams& r = run.record;
  const bool colorGate = r.randomApplyColor2 ? CoinFlip() : true;
  const bool positionGate = r.randomApplyJitter2 ? CoinFlip() : true;

  HostMeshVertexRef vertex = nullptr;
  if (r.swapNode ? sMesh->GetVertex(obj.art, j, i, &vertex)
                 : sMesh->GetVertex(obj.art, i, j, &vertex))
    return kHostNoErr;  // no such vertex: nothing to edit
  if (!vertex) return kHostNoErr;

  HostColor color{};
  HostRealPoint anchor{0, 0};
  sMeshVertex->GetColor(vertex, &color);
  sMeshVertex->GetPoint(vertex, &anchor);

  ColorModeInput colorIn{i,
                         j,
                         obj.ni,
                         obj.nj,
                         anchor,
                         obj.startBounds.left,
                         obj.startBounds.bottom,
                         obj.centre,
                         obj.runningCentre,
                         vertex,
                         ci,
                         cj};
  const float p = ComputeColorModeValue(obj.colorMode, colorIn, &run.carriedWeight);
  ApplyColorOperation(&color, p, r, run.values, obj.previous, &run.working);
  for (int n = 0; n < 4; ++n) obj.previous[n] = color.c[n];
  if (outerColor && colorGate) sMeshVertex->SetColor(vertex, &color);

  HostRealRect bounds;
  if (HostErr err = sArt->GetArtBounds(obj.art, &bounds)) {
    sMeshVertex->Release(vertex);
    return err;
  }
  float width, height;
  const HostRealPoint centre = PointStageCentre(bounds, &width, &height);
  obj.runningCentre = centre;
  const float s = Single(double(gj) * gi);
  DisplacementInput pointIn{obj.pointMode, r.jitterX, r.jitterY, i,     j, obj.ni, obj.nj, s, p,
                            &color,        width,     height,    centre};
  const HostRealPoint d = ComputeDisplacement(pointIn);
  ComputeTarget(r.interpolationTarget, bounds, centre, run.values, &obj.target);
  TangentInput tangentIn{
      obj.art, vertex, obj.tangentMode, d, obj.target, run.values.t, outerPosition && positionGate};
  return ApplyTangentMode(tangentIn, &obj.runningCentre);
}

HostErr VisitObject(Run& run, HostArtRef art) {
  const MeshParams& r = run.record;
  Object obj{};
  obj.art = art;
  // Art that is not a mesh (the other selectable type) has no size: skipped whole.
  if (sMesh->GetSize(art, &obj.ni, &obj.nj) != kHostNoErr) return kHostNoErr;
  if (HostErr err = sArt->GetArtBounds(art, &obj.startBounds)) return err;
  obj.centre = ObjectCentre(obj.startBounds);
  obj.runningCentre = obj.centre;
  if (r.swapNode) std::swap(obj.ni, obj.nj);
  obj.colorMode = PickMode(r.randomColorCombo != 0, r.colorMode, 30);
  obj.pointMode = PickMode(r.randomJitterCombos != 0, r.pointMode, 20);
  obj.tangentMode = PickMode(r.randomJitterCombos != 0, r.tangentMode, 14);

  float ci = 1, gi = 1;
  for (int32_t i = 0; i <= obj.ni; ++i) {
    if (r.isolateNodeI == -1 || r.isolateNodeI == i) {
      const bool outerColor = r.randomApplyColor1 ? CoinFlip() : true;
      const bool outerPosition = r.randomApplyJitter1 ? CoinFlip() : true;
      float cj = 1, gj = 1;
      for (int32_t j = 0; j <= obj.nj; ++j) {
        if (r.isolateNodeJ == -1 || r.isolateNodeJ == j) {
          if (HostErr err = VisitVertex(run, obj, i, j, outerColor, outerPosition, ci, cj, gi, gj))
            return err;
        }
        cj = Single(double(run.values.fj) * cj);
        gj = Single(double(gj) * run.values.gj);
      }
    }
    ci = Single(double(run.values.fi) * ci);
    gi = Single(double(gi) * run.values.gi);
  }
  return FinishObject(art, r, run.values, &obj.runningCentre);
}

HostErr Fail(HostErr err) {
  ReleaseSelection();
  return err;
}

}  // namespace

HostErr RunMeshEngine(MeshParams* record, bool* documentChanged) {
  if (documentChanged) *documentChanged = false;
  Run run{*record, PrepareRunValues(*record), 1.0f, WorkingChannels{}};

  HostDocumentSetup setup{};
  if (HostErr err = sDocument->GetDocumentSetup(&setup)) return Fail(err);
  run.values.docWidth = setup.width;
  run.values.docHeight = setup.height;

  if (record->fromGo && record->previewShown) {
    record->previewShown = 0;  // the preview in the document is the result
    ReleaseSelection();
    return kHostNoErr;
  }
  if (HostErr err = sUndo->UndoChanges()) return Fail(err);
  if (documentChanged) *documentChanged = true;
  if (gGlobals->selectionCount == -1) GatherSelection();

  const double r1 = sRandom->FloatRnd();
  const double r2 = sRandom->FloatRnd();
  run.values.randomPoint = {Single(r1 * setup.height), Single(r2 * setup.width)};

  for (int32_t k = gGlobals->selectionCount - 1; k >= 0; --k) {
    HostArtRef art = static_cast<HostArtRef*>(*gGlobals->selectionHandle)[k];
    if (!art) continue;
    if (HostErr err = VisitObject(run, art)) return Fail(err);
  }

  if (record->fromGo) {
    ReleaseSelection();
  } else {
    sDocument->RedrawDocument();
  }
  return kHostNoErr;
}

HostErr GatherSelection() {
  gGlobals->selectionHandle = nullptr;
  const HostArtMatchSpec specs[2] = {{kHostArtTypeMesh, kHostArtSelected, kHostArtSelected},
                                     {kHostArtTypeOther, kHostArtSelected, kHostArtSelected}};
  if (HostErr err = sMatchingArt->GetMatchingArt(specs, 2, &gGlobals->selectionHandle,
                                                 &gGlobals->selectionCount)) {
    return err;
  }
  if (gGlobals->selectionCount != 0) return kHostNoErr;
  ReleaseSelection();  // nothing matched: not gathered
  return kHostNoErr;
}

void ReleaseSelection() {
  if (gGlobals->selectionHandle) {
    sMemory->DisposeHandle(gGlobals->selectionHandle);
    gGlobals->selectionHandle = nullptr;
  }
  gGlobals->selectionCount = -1;
}
