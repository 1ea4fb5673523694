// "AI Filter"/"AI Go": the final run of the filter.
#include "MeshEngine.h"
#include "MeshParams.h"
#include "SuiteTable.h"

HostErr HandleFilterGo(PluginMessage* message) {
  MeshParams defaults;
  MeshParams* record = nullptr;
  if (message->parameters && *message->parameters) {
    record = static_cast<MeshParams*>(*message->parameters);
  } else {
    SetDefaultMeshParams(&defaults);  // a Go before any dialog made a record
    record = &defaults;
  }
  record->fromGo = 1;
  bool documentChanged = false;
  HostErr err = RunMeshEngine(record, &documentChanged);
  if (err == kHostNoErr) return kHostNoErr;
  // A failed run must not leave a half-filtered document behind, nor pass for success.
  if (documentChanged) sUndo->UndoChanges();
  ReleaseSelection();
  return err;
}
