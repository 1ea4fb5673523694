#include "MeshParams.h"

#include <cstring>

void SetDefaultMeshParams(MeshParams* record) {
  // Fields without a first-use value (fromGo, the dialog rectangle) start at 0.
  std::memset(record, 0, sizeof *record);
  record->interpolation = 100.0f;
  record->channel1 = 45.0f;
  record->scaleX = 100.0f;
  record->scaleY = 100.0f;
  record->brightness = 100.0f;
  record->colorNodeFactorI = 100.0f;
  record->colorNodeFactorJ = 100.0f;
  record->pointNodeFactorI = 100.0f;
  record->pointNodeFactorJ = 100.0f;
  record->page = 1;
  record->colorMode = 1;
  record->isolateNodeI = -1;
  record->isolateNodeJ = -1;
  record->viewZoom = 100.0f;
  record->preview = 1;
}
