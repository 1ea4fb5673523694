// "AI Filter"/"AI Get Parameters": the filter's record and its modal dialog.
#include "ParameterDialog.h"

#include "MeshDialog.h"
#include "MeshEngine.h"
#include "MeshParams.h"
#include "PluginGlobals.h"
#include "SuiteTable.h"

HostErr HandleGetParameters(PluginMessage* message) {
  if (gGlobals == nullptr || message->filter != gGlobals->filterHandle) return kHostNoErr;
  return RunParameterDialog(message);
}

HostErr RunParameterDialog(PluginMessage* message) {
  if (message->parameters == nullptr) {
    if (HostErr err = sMemory->NewHandle(int32_t(sizeof(MeshParams)), &message->parameters)) {
      return err;
    }
    if (message->parameters == nullptr || *message->parameters == nullptr) {
      return kHostNoMemoryErr;
    }
    SetDefaultMeshParams(static_cast<MeshParams*>(*message->parameters));
  }
  MeshParams* record = static_cast<MeshParams*>(*message->parameters);
  const MeshParams snapshot = *record;

  int32_t closedBy = sDialog->Modal(message->plugin, kMeshDialogName, kMeshDialogResource, 0,
                                    InitMeshDialog, record);
  if (closedBy == kItemOk) return kHostNoErr;

  // Cancelled: take back every preview, the record's values and the gathered selection.
  if (HostErr err = sUndo->UndoChanges()) return err;
  *record = snapshot;
  record->previewShown = 0;
  ReleaseSelection();
  return kHostCancelErr;
}
