// The common notifier that mirrors every control into the record and runs the live
// preview, and the tracker pads that set values from the mouse.
#include "MeshDialog.h"
#include "MeshEngine.h"
#include "SuiteTable.h"

namespace {

// The order in which ControlNotify reads the controls.
const int32_t kReadCheckBoxes[] = {3, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43};
const int32_t kReadRealSpinEdits[] = {4, 5, 6, 7, 13, 8, 9, 16, 10, 11, 14, 15, 12, 17, 18, 19, 20};
const int32_t kReadIntegerSpinEdits[] = {21, 22};
const int32_t kReadLists[] = {60, 63, 62, 61, 65};

// A pad sets its field to b + t * (a - b), t being the mouse's place across the document.
struct PadSpec {
  int32_t pad;
  float MeshParams::*field;
  int32_t spinEdit;
  float first, second;  // a at t = 1, b at t = 0
};

const PadSpec kPads[] = {
    {150, &MeshParams::channel1, 4, 400, -400}, {151, &MeshParams::channel2, 5, 400, -400},
    {152, &MeshParams::channel3, 6, 400, -400}, {153, &MeshParams::channel4, 7, 400, -400},
    {154, &MeshParams::jitterX, 8, 100, -100},  {155, &MeshParams::interpolation, 16, 100, -100},
};
// Pad 154 drives jitterY too, from the mouse's height.
const PadSpec kPadJitterY{154, &MeshParams::jitterY, 9, 100, -100};

HostReal Ratio(HostReal position, HostReal extent) {
  return extent == 0 ? 0 : HostReal(double(position) / double(extent));
}

void SetFromPad(DlgDialogRef dialog, MeshParams* record, const PadSpec& pad, HostReal ratio) {
  HostReal value = sRealMath->RealInterpolate(pad.first, pad.second, ratio);
  record->*pad.field = value;
  sItem->SetFloatValue(sDialog->GetItem(dialog, pad.spinEdit), value);
}

}  // namespace

HostErr StoreControlsAndPreview(DlgDialogRef dialog, MeshParams* record) {
  record->fromGo = 0;
  for (int32_t id : kReadCheckBoxes) {
    record->*BindingOf(id).integer = sItem->GetBooleanValue(sDialog->GetItem(dialog, id)) ? 1 : 0;
  }
  for (int32_t id : kReadRealSpinEdits) {
    record->*BindingOf(id).real = sItem->GetFloatValue(sDialog->GetItem(dialog, id));
  }
  for (int32_t id : kReadIntegerSpinEdits) {
    record->*BindingOf(id).integer = sItem->GetIntValue(sDialog->GetItem(dialog, id));
  }
  for (int32_t id : kReadLists) {
    DlgEntryRef active = sList->GetActiveEntry(sItem->GetList(sDialog->GetItem(dialog, id)));
    // A list with no entry chosen (a kept value outside it) leaves its field alone.
    if (active != nullptr) record->*BindingOf(id).integer = sEntry->GetID(active);
  }
  StoreDialogBounds(dialog, record);

  if (!record->preview) {
    record->previewShown = 0;
    return kHostNoErr;
  }
  record->previewShown = 1;
  bool documentChanged = false;
  HostErr err = RunMeshEngine(record, &documentChanged);
  if (err != kHostNoErr) {
    // A half-applied preview must not stand as the result that "OK" keeps: take it back
    // and let the Go that follows compute afresh.
    if (documentChanged) sUndo->UndoChanges();
    record->previewShown = 0;
  }
  return err;
}

void HOSTAPI ControlNotify(DlgItemRef item, DlgNotifierRef notifier) {
  sItem->DefaultNotify(item, notifier);
  DlgDialogRef dialog = sItem->GetDialog(item);
  // The dialog manager has no use for the code: a failed preview shows nothing.
  StoreControlsAndPreview(dialog, RecordOf(dialog));
}

int32_t HOSTAPI PadTracker(DlgItemRef item, DlgTrackerRef tracker) {
  DlgDialogRef dialog = sItem->GetDialog(item);
  MeshParams* record = RecordOf(dialog);
  HostDocumentSetup setup{0, 0};
  sDocument->GetDocumentSetup(&setup);

  // The flags and the point are those of the event in progress.
  if ((sTracker->GetModifiers(nullptr) & kDlgModifierButtonDown) == 0) return 1;
  sItem->DefaultTrack(item, tracker);
  HostIntPoint point{0, 0};
  sTracker->GetPoint(nullptr, &point);
  HostViewRef view = nullptr;
  sDocumentView->GetNthView(0, &view);
  HostRealPoint artwork{0, 0};
  sDocumentView->ViewPointToArtworkPoint(view, &point, &artwork);
  HostReal rx = Ratio(artwork.h, setup.width);
  HostReal ry = Ratio(artwork.v, setup.height);

  for (const PadSpec& pad : kPads) {
    if (item != sDialog->GetItem(dialog, pad.pad)) continue;
    SetFromPad(dialog, record, pad, rx);
    if (pad.pad == kPadJitterY.pad) SetFromPad(dialog, record, kPadJitterY, ry);
    RefreshPage(dialog, record);
    return 1;
  }
  return 1;
}
