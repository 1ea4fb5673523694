// The parameter dialog "Quib_Mesh": its items, their binding to the record, and the
// procedures the dialog manager calls. Every procedure finds the record as the dialog's
// user data, so the controls always edit the host's record itself.
#pragma once

#include <cstdint>

#include "HostSuites.h"
#include "MeshParams.h"

#define kMeshDialogName "Quib_Mesh"
enum { kMeshDialogResource = 16100, kMeshDialogWidth = 520, kMeshDialogHeight = 210 };

// Fixed item numbers.
enum MeshItem : int32_t {
  kItemOk = 1,
  kItemCancel = 2,
  kItemPreview = 3,
  kItemZoom = 23,
  kItemColorModeList = 60,
  kItemColorOperationList = 61,
  kItemPointModeList = 62,
  kItemTangentModeList = 63,
  kItemPresetList = 64,
  kItemTargetList = 65,
  kItemShuffle = 80,
  kItemTumble = 81,
  kItemFirstPageButton = 130,  // 130..134, one per page
  kItemFirstPageLabel = 135,   // 135..139
  kItemFirstPad = 150,         // 150..155
};

enum { kPageCount = 5 };

// What an item shows of the record; null members where an item shows nothing.
struct ItemBinding {
  int32_t id;
  float MeshParams::*real;
  int32_t MeshParams::*integer;  // integer spin edits, check boxes and lists
};

// The binding of an item number; null members for an item bound to nothing.
ItemBinding BindingOf(int32_t id);

// The record behind the dialog an item belongs to.
MeshParams* RecordOf(DlgDialogRef dialog);
MeshParams* RecordOfItem(DlgItemRef item);

HostErr HOSTAPI InitMeshDialog(DlgDialogRef dialog);
// Fills a popup list with its texts; entry n gets identifier n.
void FillList(DlgItemRef item, int32_t listId);
// Selects the entry at `index` of a popup list.
void ShowListValue(DlgItemRef item, int32_t index);

void HOSTAPI MeshOkNotify(DlgItemRef item, DlgNotifierRef notifier);
void HOSTAPI ZoomNotify(DlgItemRef item, DlgNotifierRef notifier);
void HOSTAPI PageButtonNotify(DlgItemRef item, DlgNotifierRef notifier);
void HOSTAPI PresetNotify(DlgItemRef item, DlgNotifierRef notifier);
void HOSTAPI TumbleNotify(DlgItemRef item, DlgNotifierRef notifier);
void HOSTAPI ControlNotify(DlgItemRef item, DlgNotifierRef notifier);
int32_t HOSTAPI PadTracker(DlgItemRef item, DlgTrackerRef tracker);

// Copies every control into the record and, with "Preview" ticked, runs the preview.
// Returns the engine's code (0 when no preview ran).
HostErr StoreControlsAndPreview(DlgDialogRef dialog, MeshParams* record);
// Writes the record's settings into the controls (not the zoom, not the preset list).
void ShowRecord(DlgDialogRef dialog, const MeshParams* record);
// Re-notifies the page's first item (storing the controls, previewing) and its button.
void RefreshPage(DlgDialogRef dialog, const MeshParams* record);
// The reset values of the presets, then the values of preset `preset`.
void ApplyPreset(MeshParams* record, int32_t preset);
// Stores the dialog's bounds as the position to reopen at.
void StoreDialogBounds(DlgDialogRef dialog, MeshParams* record);
