// After its vertices: a mesh object's random opacity and blending mode, then its turn,
// scale and move about the centre of its present bounds.
#include <cmath>

#include "EngineStages.h"
#include "MeshParams.h"
#include "SuiteTable.h"

namespace {

double Draw() { return sRandom->FloatRnd(); }

// One part of the object's move: with randomShift, a sign draw and a factor draw.
float Shift(float amount, bool random) {
  if (!random) return amount;
  double sign = Draw() > 0.5 ? 1 : -1;
  return Single(Draw() * amount * sign);
}

}  // namespace

HostErr FinishObject(HostArtRef art, const MeshParams& record, const RunValues& run,
                     HostRealPoint* runningCentre) {
  if (record.randomOpacity) sBlendStyle->SetOpacity(art, Single(Draw()));
  if (record.randomBlend) {
    int16_t mode = int16_t(std::trunc(Draw() * 20));
    if (mode > 15) mode = 0;
    sBlendStyle->SetBlendingMode(art, mode);
  }

  HostRealRect bounds;
  if (HostErr err = sArt->GetArtBounds(art, &bounds)) return err;
  const HostRealPoint c = ObjectCentre(bounds);
  *runningCentre = c;

  HostRealMatrix m;
  sRealMath->MatrixSetTranslate(&m, -c.h, -c.v);
  sRealMath->MatrixConcatRotate(&m, record.randomAngle ? Single(Draw() * run.angle) : run.angle);
  if (record.randomScale) {
    double r1 = Draw();
    double r2 = Draw();
    sRealMath->MatrixConcatScale(&m, Single(r2 * run.scaleH), Single(r1 * run.scaleV));
  } else {
    sRealMath->MatrixConcatScale(&m, run.scaleH, run.scaleV);
  }
  sRealMath->MatrixConcatTranslate(&m, c.h, c.v);
  const float dy = Shift(record.moveY, record.randomShift != 0);  // the vertical part first
  const float dx = Shift(record.moveX, record.randomShift != 0);
  sRealMath->MatrixConcatTranslate(&m, dx, dy);
  return sTransformArt->TransformArt(art, &m, 1.0f, 1);
}
