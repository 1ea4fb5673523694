// The dialog's 70 items, built in code when it opens, and its init procedure.
#include <cstring>
#include <iterator>

#include "MeshDialog.h"
#include "MeshEngine.h"
#include "PluginGlobals.h"
#include "SuiteTable.h"

namespace {

enum Proc { kNoProc, kControl, kOk, kZoom, kPage, kPreset, kTumble, kPad };

struct ItemSpec {
  int32_t id;
  const char* type;
  HostIntRect bounds;
  const char* text;
  float MeshParams::*real;
  int32_t MeshParams::*integer;
  float minimum, maximum;
  Proc proc;
  int32_t page;  // 0: all pages
};

constexpr int32_t kAllPages = 0;
constexpr int32_t kColors = 1, kPoints = 2, kSize = 3, kXtra = 4, kSettings = 5;

#define SPIN kDlgSpinEditType
#define STATIC kDlgTextStaticType
#define POPUP kDlgPopupListType
#define BUTTON kDlgTextPushButtonType
#define CHECK kDlgTextCheckBoxType
#define PICTURE kDlgPicturePushButtonType
#define R(field) &MeshParams::field, nullptr
#define I(field) nullptr, &MeshParams::field
#define NONE nullptr, nullptr
#define UNRANGED 0, 0

// In creation order.
// clang-format off
const ItemSpec kItems[] = {
    {4, SPIN, {10, 85, 70, 105}, "", R(channel1), -400, 400, kControl, kColors},
    {5, SPIN, {110, 85, 170, 105}, "", R(channel2), -400, 400, kControl, kColors},
    {6, SPIN, {210, 85, 270, 105}, "", R(channel3), -400, 400, kControl, kColors},
    {7, SPIN, {310, 85, 370, 105}, "", R(channel4), -400, 400, kControl, kColors},
    {13, SPIN, {150, 140, 210, 160}, "", R(brightness), -600, 600, kControl, kColors},
    {17, SPIN, {150, 162, 210, 182}, "", R(colorNodeFactorI), -600, 600, kControl, kColors},
    {18, SPIN, {220, 162, 280, 182}, "", R(colorNodeFactorJ), -600, 600, kControl, kColors},
    {23, SPIN, {440, 180, 500, 200}, "", R(viewZoom), 1, 500, kZoom, kAllPages},
    {8, SPIN, {150, 60, 210, 80}, "", R(jitterX), -600, 600, kControl, kPoints},
    {9, SPIN, {250, 60, 310, 80}, "", R(jitterY), -600, 600, kControl, kPoints},
    {16, SPIN, {150, 140, 210, 160}, "", R(interpolation), -100, 200, kControl, kPoints},
    {19, SPIN, {150, 162, 210, 182}, "", R(pointNodeFactorI), -600, 600, kControl, kPoints},
    {20, SPIN, {220, 162, 280, 182}, "", R(pointNodeFactorJ), -600, 600, kControl, kPoints},
    {10, SPIN, {150, 60, 210, 80}, "", R(scaleX), -600, 600, kControl, kSize},
    {11, SPIN, {220, 60, 280, 80}, "", R(scaleY), -600, 600, kControl, kSize},
    {12, SPIN, {150, 82, 210, 102}, "", R(angle), -360, 360, kControl, kSize},
    {14, SPIN, {150, 104, 210, 124}, "", R(moveX), -1600, 1600, kControl, kSize},
    {15, SPIN, {220, 104, 280, 124}, "", R(moveY), -1600, 1600, kControl, kSize},
    {21, SPIN, {150, 60, 210, 80}, "", I(isolateNodeI), -1, 500, kControl, kXtra},
    {22, SPIN, {220, 60, 280, 80}, "", I(isolateNodeJ), -1, 500, kControl, kXtra},
    {100, STATIC, {100, 60, 190, 80}, "Channels", NONE, UNRANGED, kNoProc, kColors},
    {104, STATIC, {10, 140, 148, 160}, "Brightness", NONE, UNRANGED, kNoProc, kColors},
    {107, STATIC, {10, 162, 148, 182}, "NodeFactor", NONE, UNRANGED, kNoProc, kColors},
    {101, STATIC, {10, 60, 148, 80}, "Jitter(p)", NONE, UNRANGED, kNoProc, kPoints},
    {108, STATIC, {10, 162, 148, 182}, "NodeFactor", NONE, UNRANGED, kNoProc, kPoints},
    {102, STATIC, {10, 60, 148, 80}, "Scale(%)", NONE, UNRANGED, kNoProc, kSize},
    {103, STATIC, {10, 82, 148, 102}, "Angle(o)", NONE, UNRANGED, kNoProc, kSize},
    {105, STATIC, {10, 104, 148, 124}, "MoveMesh(p)", NONE, UNRANGED, kNoProc, kSize},
    {109, STATIC, {10, 60, 148, 80}, "IsolateNode", NONE, UNRANGED, kNoProc, kXtra},
    {64, POPUP, {420, 150, 500, 170}, "", I(preset), UNRANGED, kPreset, kAllPages},
    {60, POPUP, {10, 110, 140, 130}, "", I(colorMode), UNRANGED, kControl, kColors},
    {61, POPUP, {150, 110, 280, 130}, "", I(colorOperation), UNRANGED, kControl, kColors},
    {62, POPUP, {10, 85, 140, 105}, "", I(pointMode), UNRANGED, kControl, kPoints},
    {63, POPUP, {150, 85, 280, 105}, "", I(tangentMode), UNRANGED, kControl, kPoints},
    {65, POPUP, {10, 140, 140, 160}, "", I(interpolationTarget), UNRANGED, kControl, kPoints},
    {1, BUTTON, {420, 10, 500, 30}, "OK", NONE, UNRANGED, kOk, kAllPages},
    {2, BUTTON, {420, 40, 500, 60}, "Cancel", NONE, UNRANGED, kNoProc, kAllPages},
    {80, BUTTON, {420, 70, 500, 90}, "Shuffle", NONE, UNRANGED, kControl, kAllPages},
    {81, BUTTON, {420, 100, 500, 120}, "Tumble", NONE, UNRANGED, kTumble, kAllPages},
    {3, CHECK, {420, 130, 500, 144}, "Preview", I(preview), UNRANGED, kControl, kAllPages},
    {30, CHECK, {10, 60, 139, 74}, "Wrap[R]", I(wrap), UNRANGED, kControl, kSettings},
    {31, CHECK, {10, 77, 139, 91}, "Colors[R]", I(randomColors), UNRANGED, kControl, kSettings},
    {32, CHECK, {10, 94, 139, 108}, "Opacity[R]", I(randomOpacity), UNRANGED, kControl, kSettings},
    {33, CHECK, {10, 111, 139, 125}, "Blend[R]", I(randomBlend), UNRANGED, kControl, kSettings},
    {37, CHECK, {10, 128, 139, 142}, "ApplyColor1[R]", I(randomApplyColor1),
     UNRANGED, kControl, kSettings},
    {38, CHECK, {10, 145, 139, 159}, "ApplyColor2[R]", I(randomApplyColor2),
     UNRANGED, kControl, kSettings},
    {42, CHECK, {10, 162, 139, 176}, "ColorCombo[R]", I(randomColorCombo),
     UNRANGED, kControl, kSettings},
    {34, CHECK, {140, 60, 280, 74}, "Angle[R]", I(randomAngle), UNRANGED, kControl, kSettings},
    {35, CHECK, {140, 77, 280, 91}, "Scale[R]", I(randomScale), UNRANGED, kControl, kSettings},
    {36, CHECK, {140, 94, 280, 108}, "Shift[R]", I(randomShift), UNRANGED, kControl, kSettings},
    {39, CHECK, {140, 111, 280, 125}, "ApplyJitter1[R]", I(randomApplyJitter1),
     UNRANGED, kControl, kSettings},
    {40, CHECK, {140, 128, 280, 142}, "ApplyJitter2[R]", I(randomApplyJitter2),
     UNRANGED, kControl, kSettings},
    {43, CHECK, {140, 145, 280, 159}, "JitterCombos[R]", I(randomJitterCombos),
     UNRANGED, kControl, kSettings},
    {41, CHECK, {140, 162, 280, 176}, "SwapNode", I(swapNode), UNRANGED, kControl, kSettings},
    {130, PICTURE, {10, 5, 60, 35}, "", NONE, UNRANGED, kPage, kAllPages},
    {131, PICTURE, {70, 5, 120, 35}, "", NONE, UNRANGED, kPage, kAllPages},
    {132, PICTURE, {130, 5, 180, 35}, "", NONE, UNRANGED, kPage, kAllPages},
    {133, PICTURE, {190, 5, 240, 35}, "", NONE, UNRANGED, kPage, kAllPages},
    {134, PICTURE, {250, 5, 300, 35}, "", NONE, UNRANGED, kPage, kAllPages},
    {135, STATIC, {16, 40, 66, 55}, "Colors", NONE, UNRANGED, kNoProc, kAllPages},
    {136, STATIC, {76, 40, 126, 55}, "Points", NONE, UNRANGED, kNoProc, kAllPages},
    {137, STATIC, {142, 40, 190, 55}, "Size", NONE, UNRANGED, kNoProc, kAllPages},
    {138, STATIC, {200, 40, 240, 55}, "Xtra", NONE, UNRANGED, kNoProc, kAllPages},
    {139, STATIC, {251, 40, 310, 55}, "Settings", NONE, UNRANGED, kNoProc, kAllPages},
    {150, PICTURE, {80, 85, 100, 105}, "", NONE, UNRANGED, kPad, kColors},
    {151, PICTURE, {180, 85, 200, 105}, "", NONE, UNRANGED, kPad, kColors},
    {152, PICTURE, {280, 85, 300, 105}, "", NONE, UNRANGED, kPad, kColors},
    {153, PICTURE, {380, 85, 400, 105}, "", NONE, UNRANGED, kPad, kColors},
    {154, PICTURE, {320, 60, 340, 80}, "", NONE, UNRANGED, kPad, kPoints},
    {155, PICTURE, {220, 140, 240, 160}, "", NONE, UNRANGED, kPad, kPoints},
};
// clang-format on

#undef SPIN
#undef STATIC
#undef POPUP
#undef BUTTON
#undef CHECK
#undef PICTURE
#undef R
#undef I
#undef NONE
#undef UNRANGED

static_assert(std::size(kItems) == 70, "the dialog has 70 items");

// Popup lists in the order they are filled.
const int32_t kListFillOrder[] = {kItemPresetList, kItemColorModeList,   kItemColorOperationList,
                                  kItemTargetList, kItemTangentModeList, kItemPointModeList};

DlgNotifyProc NotifyProcOf(Proc proc) {
  switch (proc) {
    case kControl:
      return ControlNotify;
    case kOk:
      return MeshOkNotify;
    case kZoom:
      return ZoomNotify;
    case kPage:
      return PageButtonNotify;
    case kPreset:
      return PresetNotify;
    case kTumble:
      return TumbleNotify;
    default:
      return nullptr;
  }
}

bool Is(const ItemSpec& row, const char* type) { return std::strcmp(row.type, type) == 0; }

void ConfigureItem(DlgItemRef item, const ItemSpec& row, const MeshParams& record) {
  DlgNotifyProc notify = NotifyProcOf(row.proc);
  if (Is(row, kDlgSpinEditType) && row.real != nullptr) {
    if (row.id == kItemZoom) {
      // The zoom's range is in place before its value, so the value is never limited by
      // a range that is not its own.
      sItem->SetUnits(item, kDlgUnitsNone);
      sItem->SetMinFloatValue(item, row.minimum);
      sItem->SetMaxFloatValue(item, row.maximum);
      sItem->SetPrecision(item, 2);
      sItem->SetFloatValue(item, record.*row.real);
    } else {
      sItem->SetFloatValue(item, record.*row.real);
      sItem->SetMinFloatValue(item, row.minimum);
      sItem->SetMaxFloatValue(item, row.maximum);
      sItem->SetUnits(item, kDlgUnitsNone);
      sItem->SetPrecision(item, 2);
    }
    sItem->SetNotifyProc(item, notify);
  } else if (Is(row, kDlgSpinEditType)) {
    sItem->SetIntValue(item, record.*row.integer);
    sItem->SetMinIntValue(item, int32_t(row.minimum));
    sItem->SetMaxIntValue(item, int32_t(row.maximum));
    sItem->SetUnits(item, kDlgUnitsNone);
    sItem->SetNotifyProc(item, notify);
  } else if (Is(row, kDlgTextCheckBoxType)) {
    sItem->SetBooleanValue(item, record.*row.integer != 0);
    sItem->SetNotifyProc(item, notify);
    sItem->SetText(item, row.text);
  } else if (Is(row, kDlgTextPushButtonType)) {
    sItem->SetText(item, row.text);
    if (notify != nullptr) sItem->SetNotifyProc(item, notify);
  } else if (Is(row, kDlgTextStaticType)) {
    sItem->SetText(item, row.text);
  } else if (row.proc == kPad) {
    sItem->SetTrackProc(item, PadTracker);
  } else if (row.proc == kPage || row.id == kItemPresetList) {
    // The preset list gets its procedure now, the other lists when they are filled.
    sItem->SetNotifyProc(item, notify);
  }
  if (row.page != kAllPages && row.page != kColors) sItem->Show(item, 0);
}

}  // namespace

ItemBinding BindingOf(int32_t id) {
  for (const ItemSpec& row : kItems) {
    if (row.id == id) return ItemBinding{id, row.real, row.integer};
  }
  return ItemBinding{id, nullptr, nullptr};
}

MeshParams* RecordOf(DlgDialogRef dialog) {
  return static_cast<MeshParams*>(sDialog->GetUserData(dialog));
}

MeshParams* RecordOfItem(DlgItemRef item) { return RecordOf(sItem->GetDialog(item)); }

HostErr HOSTAPI InitMeshDialog(DlgDialogRef dialog) {
  MeshParams* record = RecordOf(dialog);
  if (record->dialogBoundsValid) {
    HostIntRect bounds{record->dialogLeft, record->dialogTop, record->dialogRight,
                       record->dialogBottom};
    sDialog->SetBoundsRect(dialog, &bounds);
  }
  sDialog->Size(dialog, kMeshDialogWidth, kMeshDialogHeight);

  for (const ItemSpec& row : kItems) {
    DlgItemRef item = sDialog->CreateItem(dialog, row.id, row.type, &row.bounds, nullptr, nullptr);
    ConfigureItem(item, row, *record);
  }

  for (int32_t id : kListFillOrder) {
    DlgItemRef item = sDialog->GetItem(dialog, id);
    if (id != kItemPresetList) sItem->SetNotifyProc(item, ControlNotify);
    FillList(item, id);
    ShowListValue(item, record->*BindingOf(id).integer);
  }

  // "OK" stays enabled: a dialog whose accept button is dead to the mouse can only be
  // left through the keyboard or by cancelling.

  // A selection still held from an earlier use is given back before gathering afresh,
  // so that no list of the host's is left behind.
  ReleaseSelection();
  GatherSelection();

  RefreshPage(dialog, record);
  return kHostNoErr;
}
