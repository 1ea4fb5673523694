// The dialog manager's suites as the module calls them: dialogs, items, popup lists and
// their entries, tracking, notifiers and icons.
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "DialogState.h"
#include "simhost/SimHost.h"

namespace simhost {

namespace detail {

namespace {

DialogState& State() { return Host().dialogs.State(); }

void ReportBreach(const char* kind, const char* suite, const char* operation) {
  Host().suites.RecordBreach(kind, std::string(suite) + "/" + operation);
}

}  // namespace

LiveDialog* CheckDialog(DlgDialogRef dialog, const char* suite, const char* operation) {
  if (dialog == nullptr) {
    ReportBreach("null dialog", suite, operation);
    return nullptr;
  }
  for (const auto& open : State().open) {
    if (Ref(open.get()) == dialog) return open.get();
  }
  ReportBreach("dialog not open", suite, operation);
  return nullptr;
}

LiveItem* CheckItem(DlgItemRef item, const char* suite, const char* operation) {
  if (item == nullptr) {
    ReportBreach("null dialog item", suite, operation);
    return nullptr;
  }
  if (State().liveItems.count(item) == 0) {
    ReportBreach("dialog item not alive", suite, operation);
    return nullptr;
  }
  return reinterpret_cast<LiveItem*>(item);
}

LiveItem* CheckList(DlgListRef list, const char* suite, const char* operation) {
  if (list == nullptr) {
    ReportBreach("null list", suite, operation);
    return nullptr;
  }
  LiveItem* owner = reinterpret_cast<LiveList*>(list)->owner;
  if (State().liveItems.count(owner) == 0 || &owner->list != reinterpret_cast<LiveList*>(list)) {
    ReportBreach("list not alive", suite, operation);
    return nullptr;
  }
  return owner;
}

LiveEntry* CheckEntry(DlgEntryRef entry, const char* suite, const char* operation) {
  if (entry == nullptr) {
    ReportBreach("null list entry", suite, operation);
    return nullptr;
  }
  if (State().liveEntries.count(entry) == 0) {
    ReportBreach("list entry not alive", suite, operation);
    return nullptr;
  }
  return reinterpret_cast<LiveEntry*>(entry);
}

}  // namespace detail

namespace {

using namespace detail;

constexpr const char* kDialogSuite = kDlgDialogSuiteName;
constexpr const char* kItemSuite = kDlgItemSuiteName;
constexpr const char* kListSuite = kDlgListSuiteName;
constexpr const char* kEntrySuite = kDlgEntrySuiteName;
constexpr const char* kTrackerSuite = kDlgTrackerSuiteName;

// ---- ADM Dialog Suite ----

int32_t HOSTAPI Modal(HostPluginRef, const char* name, int32_t resourceId, int32_t style,
                      DlgInitProc init, void* userData) {
  // An injected fault keeps the dialog from opening; its code comes back as the result.
  if (HostErr fault = Host().suites.Enter(kDialogSuite, "Modal")) return fault;
  return RunModal(name, resourceId, style, init, userData);
}

void* HOSTAPI GetUserData(DlgDialogRef ref) {
  SIM_NOTE(kDialogSuite, "GetUserData");
  LiveDialog* dialog = CheckDialog(ref, kDialogSuite, "GetUserData");
  return dialog ? dialog->userData : nullptr;
}

void HOSTAPI SetBoundsRect(DlgDialogRef ref, const HostIntRect* bounds) {
  SIM_NOTE(kDialogSuite, "SetBoundsRect");
  LiveDialog* dialog = CheckDialog(ref, kDialogSuite, "SetBoundsRect");
  if (dialog == nullptr) return;
  if (bounds == nullptr) return ReportBreach("null argument", kDialogSuite, "SetBoundsRect");
  dialog->bounds = *bounds;
  dialog->positionSet = true;
}

void HOSTAPI GetBoundsRect(DlgDialogRef ref, HostIntRect* bounds) {
  SIM_NOTE(kDialogSuite, "GetBoundsRect");
  LiveDialog* dialog = CheckDialog(ref, kDialogSuite, "GetBoundsRect");
  if (bounds == nullptr) return ReportBreach("null argument", kDialogSuite, "GetBoundsRect");
  *bounds = dialog ? dialog->bounds : HostIntRect{0, 0, 0, 0};
}

void HOSTAPI Size(DlgDialogRef ref, int32_t width, int32_t height) {
  SIM_NOTE(kDialogSuite, "Size");
  LiveDialog* dialog = CheckDialog(ref, kDialogSuite, "Size");
  if (dialog == nullptr) return;
  dialog->bounds.right = dialog->bounds.left + width;
  dialog->bounds.bottom = dialog->bounds.top + height;
}

DlgItemRef HOSTAPI GetItem(DlgDialogRef ref, int32_t itemId) {
  SIM_NOTE(kDialogSuite, "GetItem");
  LiveDialog* dialog = CheckDialog(ref, kDialogSuite, "GetItem");
  if (dialog == nullptr) return nullptr;
  LiveItem* item = FindItem(dialog, itemId);
  if (item == nullptr) {
    Host().suites.RecordBreach("dialog item does not exist",
                               "GetItem " + std::to_string(itemId) + " in " + dialog->name);
    return nullptr;
  }
  return Ref(item);
}

DlgItemRef HOSTAPI CreateItemInDialog(DlgDialogRef ref, int32_t itemId, const char* itemType,
                                      const HostIntRect* bounds, DlgInitProc init, void*) {
  SIM_NOTE(kDialogSuite, "CreateItem");
  LiveDialog* dialog = CheckDialog(ref, kDialogSuite, "CreateItem");
  if (dialog == nullptr) return nullptr;
  if (itemType == nullptr || bounds == nullptr) {
    ReportBreach("null argument", kDialogSuite, "CreateItem");
    return nullptr;
  }
  static const char* const kKnownTypes[] = {
      kDlgSpinEditType,       kDlgPopupListType,         kDlgTextCheckBoxType,
      kDlgTextPushButtonType, kDlgPicturePushButtonType, kDlgTextStaticType,
  };
  bool known = false;
  for (const char* type : kKnownTypes) known = known || std::string(type) == itemType;
  if (!known) {
    Host().suites.RecordBreach("unknown item type", std::string("CreateItem ") + itemType);
    return nullptr;
  }
  if (FindItem(dialog, itemId) != nullptr) {
    Host().suites.RecordBreach("duplicate dialog item",
                               "CreateItem " + std::to_string(itemId) + " in " + dialog->name);
  }
  LiveItem* item = CreateItem(dialog, itemId, itemType, *bounds);
  if (init != nullptr) init(ref);
  return Ref(item);
}

// ---- ADM Item Suite ----

// Traces an item operation and finds its live item, null when the reference is bad.
LiveItem* ItemFor(DlgItemRef ref, const char* operation) {
  SIM_NOTE(kItemSuite, operation);
  return CheckItem(ref, kItemSuite, operation);
}

void HOSTAPI SetNotifyProc(DlgItemRef ref, DlgNotifyProc proc) {
  LiveItem* item = ItemFor(ref, "SetNotifyProc");
  if (item == nullptr) return;
  item->notify = proc;
}

void HOSTAPI DefaultNotifyItem(DlgItemRef ref, DlgNotifierRef notifier) {
  LiveItem* item = ItemFor(ref, "DefaultNotify");
  if (item == nullptr) return;
  DefaultNotify(item, reinterpret_cast<const LiveNotifier*>(notifier));
}

void HOSTAPI SendNotify(DlgItemRef ref, const char* notifierType) {
  LiveItem* item = ItemFor(ref, "SendNotify");
  if (item == nullptr) return;
  LiveNotifier notifier;
  notifier.type = notifierType ? notifierType : "";
  Notify(item, &notifier);
}

void HOSTAPI SetTrackProc(DlgItemRef ref, DlgTrackProc proc) {
  LiveItem* item = ItemFor(ref, "SetTrackProc");
  if (item == nullptr) return;
  item->tracker = proc;
}

int32_t HOSTAPI DefaultTrackItem(DlgItemRef ref, DlgTrackerRef) {
  LiveItem* item = ItemFor(ref, "DefaultTrack");
  if (item == nullptr) return 0;
  return DefaultTrack(item);
}

DlgDialogRef HOSTAPI GetDialog(DlgItemRef ref) {
  LiveItem* item = ItemFor(ref, "GetDialog");
  if (item == nullptr) return nullptr;
  return Ref(item->dialog);
}

DlgListRef HOSTAPI GetList(DlgItemRef ref) {
  LiveItem* item = ItemFor(ref, "GetList");
  if (item == nullptr) return nullptr;
  return item->IsPopupList() ? Ref(&item->list) : nullptr;
}

void HOSTAPI Show(DlgItemRef ref, int32_t show) {
  LiveItem* item = ItemFor(ref, "Show");
  if (item == nullptr) return;
  item->visible = show != 0;
}

void HOSTAPI Enable(DlgItemRef ref, int32_t enable) {
  LiveItem* item = ItemFor(ref, "Enable");
  if (item == nullptr) return;
  item->enabled = enable != 0;
}

void HOSTAPI SetFont(DlgItemRef ref, int32_t font) {
  LiveItem* item = ItemFor(ref, "SetFont");
  if (item == nullptr) return;
  item->font = font;
}

void HOSTAPI SetText(DlgItemRef ref, const char* text) {
  LiveItem* item = ItemFor(ref, "SetText");
  if (item == nullptr) return;
  if (text == nullptr) return ReportBreach("null argument", kItemSuite, "SetText");
  if (item->IsSpinEdit()) {
    // A spin edit shows a number: the text is read as one and limited.
    char* end = nullptr;
    double value = std::strtod(text, &end);
    if (end != text) SetValue(item, value);
    return;
  }
  item->text = text;
}

void HOSTAPI SetUnits(DlgItemRef ref, int32_t units) {
  LiveItem* item = ItemFor(ref, "SetUnits");
  if (item == nullptr) return;
  item->units = units;
}

void HOSTAPI SetPrecision(DlgItemRef ref, int32_t decimals) {
  LiveItem* item = ItemFor(ref, "SetPrecision");
  if (item == nullptr) return;
  item->decimals = decimals;
}

void HOSTAPI SetBooleanValue(DlgItemRef ref, int32_t value) {
  LiveItem* item = ItemFor(ref, "SetBooleanValue");
  if (item == nullptr) return;
  item->ticked = value != 0;
}

int32_t HOSTAPI GetBooleanValue(DlgItemRef ref) {
  LiveItem* item = ItemFor(ref, "GetBooleanValue");
  if (item == nullptr) return 0;
  return item->ticked ? 1 : 0;
}

void HOSTAPI SetIntValue(DlgItemRef ref, int32_t value) {
  LiveItem* item = ItemFor(ref, "SetIntValue");
  if (item == nullptr) return;
  if (item->IsCheckBox()) {
    item->ticked = value != 0;
  } else {
    SetValue(item, value);
  }
}

int32_t HOSTAPI GetIntValue(DlgItemRef ref) {
  LiveItem* item = ItemFor(ref, "GetIntValue");
  if (item == nullptr) return 0;
  if (item->IsCheckBox()) return item->ticked ? 1 : 0;
  return int32_t(std::lround(item->value));
}

void HOSTAPI SetFloatValue(DlgItemRef ref, HostReal value) {
  LiveItem* item = ItemFor(ref, "SetFloatValue");
  if (item == nullptr) return;
  SetValue(item, value);
}

HostReal HOSTAPI GetFloatValue(DlgItemRef ref) {
  LiveItem* item = ItemFor(ref, "GetFloatValue");
  if (item == nullptr) return 0;
  return item->value;
}

void HOSTAPI SetMinIntValue(DlgItemRef ref, int32_t value) {
  LiveItem* item = ItemFor(ref, "SetMinIntValue");
  if (item == nullptr) return;
  SetRange(item, value, item->maximum);
}

void HOSTAPI SetMaxIntValue(DlgItemRef ref, int32_t value) {
  LiveItem* item = ItemFor(ref, "SetMaxIntValue");
  if (item == nullptr) return;
  SetRange(item, item->minimum, value);
}

void HOSTAPI SetMinFloatValue(DlgItemRef ref, HostReal value) {
  LiveItem* item = ItemFor(ref, "SetMinFloatValue");
  if (item == nullptr) return;
  SetRange(item, value, item->maximum);
}

void HOSTAPI SetMaxFloatValue(DlgItemRef ref, HostReal value) {
  LiveItem* item = ItemFor(ref, "SetMaxFloatValue");
  if (item == nullptr) return;
  SetRange(item, item->minimum, value);
}

// ---- ADM List Suite ----

DlgEntryRef HOSTAPI InsertEntry(DlgListRef list, int32_t index) {
  SIM_NOTE(kListSuite, "InsertEntry");
  LiveItem* item = CheckList(list, kListSuite, "InsertEntry");
  if (item == nullptr) return nullptr;
  if (index < 0 || size_t(index) > item->entries.size()) {
    Host().suites.RecordBreach(
        "list index out of range",
        "InsertEntry " + std::to_string(index) + " in item " + std::to_string(item->id));
    return nullptr;
  }
  auto entry = std::make_unique<LiveEntry>();
  entry->owner = item;
  LiveEntry* inserted = entry.get();
  item->entries.insert(item->entries.begin() + index, std::move(entry));
  State().liveEntries.insert(inserted);
  return Ref(inserted);
}

DlgEntryRef HOSTAPI IndexEntry(DlgListRef list, int32_t index) {
  SIM_NOTE(kListSuite, "IndexEntry");
  LiveItem* item = CheckList(list, kListSuite, "IndexEntry");
  if (item == nullptr || index < 0 || size_t(index) >= item->entries.size()) return nullptr;
  return Ref(item->entries[size_t(index)].get());
}

DlgEntryRef HOSTAPI GetActiveEntry(DlgListRef list) {
  SIM_NOTE(kListSuite, "GetActiveEntry");
  LiveItem* item = CheckList(list, kListSuite, "GetActiveEntry");
  return item && item->active ? Ref(item->active) : nullptr;
}

// ---- ADM Entry Suite ----

void HOSTAPI SetEntryID(DlgEntryRef ref, int32_t id) {
  SIM_NOTE(kEntrySuite, "SetID");
  if (LiveEntry* entry = CheckEntry(ref, kEntrySuite, "SetID")) entry->id = id;
}

int32_t HOSTAPI GetEntryID(DlgEntryRef ref) {
  SIM_NOTE(kEntrySuite, "GetID");
  LiveEntry* entry = CheckEntry(ref, kEntrySuite, "GetID");
  return entry ? entry->id : 0;
}

void HOSTAPI SelectEntryOf(DlgEntryRef ref, int32_t select) {
  SIM_NOTE(kEntrySuite, "Select");
  LiveEntry* entry = CheckEntry(ref, kEntrySuite, "Select");
  if (entry == nullptr) return;
  if (select != 0) {
    SelectEntry(entry);
  } else if (entry->owner->active == entry) {
    entry->owner->active = nullptr;
  }
}

void HOSTAPI SetEntryText(DlgEntryRef ref, const char* text) {
  SIM_NOTE(kEntrySuite, "SetText");
  LiveEntry* entry = CheckEntry(ref, kEntrySuite, "SetText");
  if (entry == nullptr) return;
  if (text == nullptr) return ReportBreach("null argument", kEntrySuite, "SetText");
  entry->text = text;
}

// ---- ADM Tracker Suite ----

// The tracker asked for, or with a null reference the event in progress.
LiveTracker* TrackerOf(DlgTrackerRef ref, const char* suite, const char* operation) {
  const auto& tracking = State().tracking;
  if (ref == nullptr) {
    if (!tracking.empty()) return tracking.back();
    ReportBreach("no tracking in progress", suite, operation);
    return nullptr;
  }
  for (LiveTracker* tracker : tracking) {
    if (Ref(tracker) == ref) return tracker;
  }
  ReportBreach("tracker not alive", suite, operation);
  return nullptr;
}

void HOSTAPI GetPoint(DlgTrackerRef ref, HostIntPoint* point) {
  SIM_NOTE(kTrackerSuite, "GetPoint");
  LiveTracker* tracker = TrackerOf(ref, kTrackerSuite, "GetPoint");
  if (point == nullptr) return ReportBreach("null argument", kTrackerSuite, "GetPoint");
  *point = tracker ? tracker->point : HostIntPoint{0, 0};
}

uint32_t HOSTAPI GetModifiers(DlgTrackerRef ref) {
  SIM_NOTE(kTrackerSuite, "GetModifiers");
  LiveTracker* tracker = TrackerOf(ref, kTrackerSuite, "GetModifiers");
  return tracker ? tracker->modifiers : 0;
}

// ---- ADM Notifier Suite and ADM Icon Suite ----

int32_t HOSTAPI IsNotifierType(DlgNotifierRef ref, const char* type) {
  SIM_NOTE(kDlgNotifierSuiteName, "IsNotifierType");
  if (ref == nullptr || type == nullptr) {
    ReportBreach("null argument", kDlgNotifierSuiteName, "IsNotifierType");
    return 0;
  }
  return reinterpret_cast<const LiveNotifier*>(ref)->type == type ? 1 : 0;
}

void HOSTAPI GetIconSize(DlgIconRef, int32_t* width, int32_t* height) {
  SIM_NOTE(kDlgIconSuiteName, "GetSize");
  // The host has no icons of its own; every icon is empty.
  if (width) *width = 0;
  if (height) *height = 0;
}

const DlgDialogSuite kDialogTable = {Modal, GetUserData, SetBoundsRect,     GetBoundsRect,
                                     Size,  GetItem,     CreateItemInDialog};
const DlgItemSuite kItemTable = {
    SetNotifyProc,    DefaultNotifyItem, SendNotify,      SetTrackProc,
    DefaultTrackItem, GetDialog,         GetList,         Show,
    Enable,           SetFont,           SetText,         SetUnits,
    SetPrecision,     SetBooleanValue,   GetBooleanValue, SetIntValue,
    GetIntValue,      SetFloatValue,     GetFloatValue,   SetMinIntValue,
    SetMaxIntValue,   SetMinFloatValue,  SetMaxFloatValue};
const DlgListSuite kListTable = {InsertEntry, IndexEntry, GetActiveEntry};
const DlgEntrySuite kEntryTable = {SetEntryID, GetEntryID, SelectEntryOf, SetEntryText};
const DlgTrackerSuite kTrackerTable = {GetPoint, GetModifiers};
const DlgNotifierSuite kNotifierTable = {IsNotifierType};
const DlgIconSuite kIconTable = {GetIconSize};

}  // namespace

void PublishDialogSuites(SuiteRegistry& registry) {
  registry.Publish(kDlgDialogSuiteName, kDlgDialogSuiteVersion, &kDialogTable);
  registry.Publish(kDlgItemSuiteName, kDlgItemSuiteVersion, &kItemTable);
  registry.Publish(kDlgListSuiteName, kDlgListSuiteVersion, &kListTable);
  registry.Publish(kDlgEntrySuiteName, kDlgEntrySuiteVersion, &kEntryTable);
  registry.Publish(kDlgTrackerSuiteName, kDlgTrackerSuiteVersion, &kTrackerTable);
  registry.Publish(kDlgNotifierSuiteName, kDlgNotifierSuiteVersion, &kNotifierTable);
  registry.Publish(kDlgIconSuiteName, kDlgIconSuiteVersion, &kIconTable);
}

}  // namespace simhost
