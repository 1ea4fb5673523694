// The dialog's own buttons and lists: OK, zoom, the page buttons, the presets and
// "Tumble", and the steps that write the record into the controls.
#include <algorithm>
#include <iterator>

#include "MeshDialog.h"
#include "SuiteTable.h"

namespace {

// The items of each page, in the order a page change shows or hides them; the first
// one is the item RefreshPage notifies.
const int32_t kColorsGroup[] = {4, 5, 6, 7, 13, 17, 18, 60, 61, 100, 104, 107, 150, 151, 152, 153};
const int32_t kPointsGroup[] = {8, 9, 101, 62, 63, 16, 19, 20, 108, 65, 154, 155};
const int32_t kSizeGroup[] = {10, 11, 12, 14, 15, 102, 103, 105};
const int32_t kXtraGroup[] = {21, 22, 109};
const int32_t kSettingsGroup[] = {30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43};

struct PageGroup {
  const int32_t* items;
  size_t count;
};

const PageGroup kPageGroups[kPageCount] = {
    {kColorsGroup, std::size(kColorsGroup)},     {kPointsGroup, std::size(kPointsGroup)},
    {kSizeGroup, std::size(kSizeGroup)},         {kXtraGroup, std::size(kXtraGroup)},
    {kSettingsGroup, std::size(kSettingsGroup)},
};

// The order in which ShowRecord writes the controls.
const int32_t kShownCheckBoxes[] = {3, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43};
const int32_t kShownRealSpinEdits[] = {4,  5,  6,  7,  13, 8,  9,  10, 11,
                                       14, 16, 15, 12, 17, 18, 19, 20};
const int32_t kShownIntegerSpinEdits[] = {21, 22};
const int32_t kShownLists[] = {60, 63, 61, 62, 65};

// A page number outside 1 to 5 counts as page 1.
int32_t PageIndex(int32_t page) { return page >= 1 && page <= kPageCount ? page - 1 : 0; }

float Single(double value) { return static_cast<float>(value); }

// The next random real r, 0 <= r < 1, widened for the arithmetic that uses it.
double Draw() { return double(sRandom->FloatRnd()); }

}  // namespace

void StoreDialogBounds(DlgDialogRef dialog, MeshParams* record) {
  HostIntRect bounds{0, 0, 0, 0};
  sDialog->GetBoundsRect(dialog, &bounds);
  record->dialogLeft = bounds.left;
  record->dialogTop = bounds.top;
  record->dialogRight = bounds.right;
  record->dialogBottom = bounds.bottom;
  record->dialogBoundsValid = 1;
}

void HOSTAPI MeshOkNotify(DlgItemRef item, DlgNotifierRef notifier) {
  sItem->DefaultNotify(item, notifier);
  StoreDialogBounds(sItem->GetDialog(item), RecordOfItem(item));
}

void HOSTAPI ZoomNotify(DlgItemRef item, DlgNotifierRef) {
  DlgDialogRef dialog = sItem->GetDialog(item);
  MeshParams* record = RecordOf(dialog);
  HostReal value = sItem->GetFloatValue(sDialog->GetItem(dialog, kItemZoom));
  record->viewZoom = value;
  HostViewRef view = nullptr;
  sDocumentView->GetNthView(0, &view);
  sDocumentView->SetZoom(view, Single(double(value) * double(0.01f)));
}

void HOSTAPI PageButtonNotify(DlgItemRef item, DlgNotifierRef) {
  DlgDialogRef dialog = sItem->GetDialog(item);
  MeshParams* record = RecordOf(dialog);
  DlgItemRef buttons[kPageCount];
  for (int32_t n = 0; n < kPageCount; ++n) {
    buttons[n] = sDialog->GetItem(dialog, kItemFirstPageButton + n);
  }
  for (int32_t n = 0; n < kPageCount; ++n) {
    sItem->SetFont(sDialog->GetItem(dialog, kItemFirstPageLabel + n), kDlgFontDefault);
  }
  int32_t shown = -1;  // no page, when the item is none of the buttons
  for (int32_t n = 0; n < kPageCount && shown < 0; ++n) {
    if (item != buttons[n]) continue;
    shown = n;
    record->page = n + 1;
    sItem->SetFont(sDialog->GetItem(dialog, kItemFirstPageLabel + n), kDlgFontBold);
  }
  for (int32_t page = 0; page < kPageCount; ++page) {
    const PageGroup& group = kPageGroups[page];
    for (size_t k = 0; k < group.count; ++k) {
      sItem->Show(sDialog->GetItem(dialog, group.items[k]), page == shown);
    }
  }
}

void RefreshPage(DlgDialogRef dialog, const MeshParams* record) {
  int32_t page = PageIndex(record->page);
  DlgItemRef first = sDialog->GetItem(dialog, kPageGroups[page].items[0]);
  DlgItemRef button = sDialog->GetItem(dialog, kItemFirstPageButton + page);
  sItem->SendNotify(first, kDlgUserChangedNotifier);
  sItem->SendNotify(button, kDlgUserChangedNotifier);
}

void ShowRecord(DlgDialogRef dialog, const MeshParams* record) {
  for (int32_t id : kShownCheckBoxes) {
    sItem->SetBooleanValue(sDialog->GetItem(dialog, id), record->*BindingOf(id).integer != 0);
  }
  for (int32_t id : kShownRealSpinEdits) {
    sItem->SetFloatValue(sDialog->GetItem(dialog, id), record->*BindingOf(id).real);
  }
  for (int32_t id : kShownIntegerSpinEdits) {
    sItem->SetIntValue(sDialog->GetItem(dialog, id), record->*BindingOf(id).integer);
  }
  for (int32_t id : kShownLists) {
    ShowListValue(sDialog->GetItem(dialog, id), record->*BindingOf(id).integer);
  }
}

void ApplyPreset(MeshParams* record, int32_t preset) {
  MeshParams& r = *record;
  r.preview = 1;
  r.channel1 = 45;
  r.channel2 = r.channel3 = r.channel4 = r.jitterX = r.jitterY = 0;
  r.colorMode = 1;
  r.colorOperation = r.pointMode = r.tangentMode = r.interpolationTarget = 0;
  r.interpolation = r.scaleX = r.scaleY = r.brightness = 100;
  r.angle = r.moveX = r.moveY = 0;
  r.colorNodeFactorI = r.colorNodeFactorJ = r.pointNodeFactorI = r.pointNodeFactorJ = 100;
  r.isolateNodeI = r.isolateNodeJ = -1;
  r.swapNode = r.wrap = r.randomColors = r.randomAngle = r.randomScale = 0;
  r.randomOpacity = r.randomBlend = r.randomShift = 0;
  r.randomApplyColor1 = r.randomApplyColor2 = r.randomApplyJitter1 = r.randomApplyJitter2 = 0;
  r.randomColorCombo = r.randomJitterCombos = 0;

  switch (preset) {
    case 1:  // Horizontal lines
      r.channel1 = 60;
      r.channel2 = 60;
      break;
    case 2:  // Vertical lines
      r.colorMode = 2;
      r.channel1 = 60;
      r.channel2 = 60;
      break;
    case 3:  // Minor jitter to center
      r.interpolation = 50;
      r.jitterX = 10;
      r.jitterY = 10;
      break;
    case 4:  // Straight interpolation to center
      r.interpolation = 50;
      break;
    case 5:  // Wave jitter
      r.tangentMode = 11;
      r.jitterY = 100;
      break;
    case 6:  // Randomized color
      r.colorMode = 0;
      r.colorOperation = 3;
      break;
    case 7:  // Color grid
      r.colorMode = 19;
      r.colorOperation = 3;
      break;
    case 8:  // Pulsed
      r.randomApplyColor1 = 1;
      r.channel1 = 50;
      r.channel2 = 50;
      r.channel3 = 50;
      break;
    case 9:  // Rotated
      r.angle = 45;
      r.interpolation = 50;
      break;
    case 10:  // Invert
      r.colorMode = 0;
      r.colorOperation = 1;
      r.channel1 = 255;
      r.channel2 = 255, r.channel3 = 255;
      break;
    case 11:  // Zoom
      r.pointMode = 16;
      r.tangentMode = 12;
      r.jitterX = 10;
      break;
    case 12:  // Seawaves
      r.pointMode = 15;
      r.jitterX = 10;
      r.jitterY = 10;
      break;
    case 13:  // Starfighter
      r.pointMode = 7;
      r.tangentMode = 13;
      r.jitterX = 10;
      r.jitterY = 10;
      break;
    case 14:  // Gradient1
      r.colorMode = 23;
      r.channel1 = 100;
      r.channel2 = 100;
      break;
    case 15:  // Pieces
      r.colorMode = 13;
      r.channel1 = 100;
      r.channel2 = 100;
      break;
    case 16:  // Block1
      r.colorOperation = 5;
      r.channel1 = 10;
      r.channel2 = 10;
      r.wrap = 1;
      r.randomColors = 1;
      break;
    case 17:  // Block2
      r.colorOperation = 5;
      r.channel1 = 23;
      r.channel2 = 10;
      r.wrap = 1;
      r.randomColors = 1;
      break;
    case 19:  // Random color mode: Beams with a random colour mode per object
      r.randomColorCombo = 1;
      [[fallthrough]];
    case 18:  // Beams
      r.colorOperation = 6;
      r.channel1 = 100;
      r.channel2 = 70;
      r.channel3 = 20, r.colorNodeFactorI = 120;
      break;
    case 21:  // Random jitter mode 1: Random jitter mode, half-way to the target
      r.interpolation = 50;
      [[fallthrough]];
    case 20:  // Random jitter mode
      r.randomJitterCombos = 1;
      r.jitterX = 20;
      r.jitterY = 20;
      break;
    case 22:  // Jitter reduce
      r.pointNodeFactorI = 80;
      r.jitterX = 20;
      r.jitterY = 20;
      break;
    default:  // Reset, and values past the list: the reset values only
      break;
  }
}

void HOSTAPI PresetNotify(DlgItemRef item, DlgNotifierRef notifier) {
  sItem->DefaultNotify(item, notifier);
  DlgDialogRef dialog = sItem->GetDialog(item);
  MeshParams* record = RecordOf(dialog);
  DlgEntryRef active = sList->GetActiveEntry(sItem->GetList(item));
  if (active != nullptr) record->preset = sEntry->GetID(active);
  ApplyPreset(record, record->preset);
  ShowRecord(dialog, record);
  RefreshPage(dialog, record);
}

void HOSTAPI TumbleNotify(DlgItemRef item, DlgNotifierRef notifier) {
  sItem->DefaultNotify(item, notifier);
  DlgDialogRef dialog = sItem->GetDialog(item);
  MeshParams& r = *RecordOf(dialog);

  r.channel1 = 45;
  r.channel2 = r.channel3 = r.channel4 = r.jitterX = r.jitterY = 0;
  r.colorMode = 1;
  r.interpolationTarget = r.tangentMode = r.colorOperation = r.pointMode = 0;
  r.interpolation = 100;

  r.channel1 = Single(-200 + 400 * Draw());
  r.channel2 = Single(-200 + 400 * Draw());
  r.channel3 = Single(-200 + 400 * Draw());
  r.channel4 = Single(-200 + 400 * Draw());

  r.colorMode = int32_t(30 * Draw());
  r.colorOperation = int32_t(7 * Draw());
  r.colorMode = std::min(r.colorMode, 29);
  r.colorOperation = std::min(r.colorOperation, 6);

  if (100 * Draw() > 95) {
    r.interpolationTarget = std::min(int32_t(15 * Draw()), 14);
    r.interpolation = Single(-30 + 150 * Draw());
  }
  if (100 * Draw() > 50) {
    r.tangentMode = int32_t(14 * Draw());
    r.pointMode = int32_t(20 * Draw());
    r.tangentMode = std::min(r.tangentMode, 13);
    r.pointMode = std::min(r.pointMode, 19);
  }
  if (100 * Draw() > 30) {
    r.jitterX = Single(-40 + 80 * Draw());
    r.jitterY = Single(-40 + 80 * Draw());
  }
  if (100 * Draw() > 85) {
    r.jitterX = Single(-80 + 100 * Draw());
    r.jitterY = Single(-80 + 100 * Draw());
  }

  ShowRecord(dialog, &r);
  RefreshPage(dialog, &r);
}
