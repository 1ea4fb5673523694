// The dialog manager's live objects. The opaque references the module holds (dialog,
// item, list, entry, notifier, tracker) are the addresses of these records; every
// reference the module hands back is checked against the live sets before use.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "HostSuites.h"
#include "simhost/DialogManager.h"

namespace simhost::detail {

struct LiveDialog;
struct LiveItem;

struct LiveEntry {
  LiveItem* owner = nullptr;
  int32_t id = 0;
  std::string text;
};

// A popup list's list; its reference is the address of this member of the item.
struct LiveList {
  LiveItem* owner = nullptr;
};

struct LiveItem {
  LiveDialog* dialog = nullptr;
  int32_t id = 0;
  std::string kind;
  HostIntRect bounds{0, 0, 0, 0};
  std::string text;
  bool visible = true;
  bool enabled = true;
  int32_t font = kDlgFontDefault;
  bool ticked = false;  // check boxes
  HostReal value = 0;   // spin edits
  HostReal minimum = -3.4e38f;
  HostReal maximum = 3.4e38f;
  int32_t units = kDlgUnitsNone;
  int32_t decimals = 0;
  LiveList list;
  std::vector<std::unique_ptr<LiveEntry>> entries;
  LiveEntry* active = nullptr;
  DlgNotifyProc notify = nullptr;
  DlgTrackProc tracker = nullptr;
  int pressFeedback = 0;

  bool IsSpinEdit() const { return kind == kDlgSpinEditType; }
  bool IsCheckBox() const { return kind == kDlgTextCheckBoxType; }
  bool IsPopupList() const { return kind == kDlgPopupListType; }
  bool IsPushButton() const {
    return kind == kDlgTextPushButtonType || kind == kDlgPicturePushButtonType;
  }
};

struct LiveDialog {
  size_t recordIndex = 0;  // into DialogState::shown
  std::string name;
  int32_t resourceId = 0;
  std::string caption;
  void* userData = nullptr;
  HostIntRect bounds{0, 0, 0, 0};
  bool positionSet = false;  // the module set the bounds; otherwise the host centres it
  std::vector<std::unique_ptr<LiveItem>> items;
  bool closed = false;
  int32_t result = 0;
};

struct LiveNotifier {
  std::string type;
  bool fromUser = false;     // a user's click or edit, not a notification sent in code
  int32_t chosenEntry = -1;  // the entry a user chose in a popup list
};

struct LiveTracker {
  HostIntPoint point{0, 0};
  uint32_t modifiers = 0;
};

struct DialogState {
  std::vector<DialogScript> scripts;
  std::vector<DialogRecord> shown;
  std::vector<std::unique_ptr<LiveDialog>> open;  // innermost last
  std::unordered_set<const void*> liveItems;
  std::unordered_set<const void*> liveEntries;
  std::vector<LiveTracker*> tracking;  // events in progress, innermost last
};

// Checked conversions of the module's references; null (with a breach recorded) when
// the reference is null or no longer alive.
LiveDialog* CheckDialog(DlgDialogRef dialog, const char* suite, const char* operation);
LiveItem* CheckItem(DlgItemRef item, const char* suite, const char* operation);
LiveItem* CheckList(DlgListRef list, const char* suite, const char* operation);
LiveEntry* CheckEntry(DlgEntryRef entry, const char* suite, const char* operation);

// The dialog manager's own handling, shared by the suites and the script player.
int32_t RunModal(const char* name, int32_t resourceId, int32_t style, DlgInitProc init,
                 void* userData);
LiveItem* CreateItem(LiveDialog* dialog, int32_t id, const std::string& kind,
                     const HostIntRect& bounds);
LiveItem* FindItem(LiveDialog* dialog, int32_t id);
void Notify(LiveItem* item, LiveNotifier* notifier);
void DefaultNotify(LiveItem* item, const LiveNotifier* notifier);
int32_t DefaultTrack(LiveItem* item);
void SetValue(LiveItem* item, double value);
void SetRange(LiveItem* item, double minimum, double maximum);
void SelectEntry(LiveEntry* entry);

inline DlgDialogRef Ref(LiveDialog* dialog) { return reinterpret_cast<DlgDialogRef>(dialog); }
inline DlgItemRef Ref(LiveItem* item) { return reinterpret_cast<DlgItemRef>(item); }
inline DlgListRef Ref(LiveList* list) { return reinterpret_cast<DlgListRef>(list); }
inline DlgEntryRef Ref(LiveEntry* entry) { return reinterpret_cast<DlgEntryRef>(entry); }
inline DlgNotifierRef Ref(LiveNotifier* notifier) {
  return reinterpret_cast<DlgNotifierRef>(notifier);
}
inline DlgTrackerRef Ref(LiveTracker* tracker) { return reinterpret_cast<DlgTrackerRef>(tracker); }

}  // namespace simhost::detail
