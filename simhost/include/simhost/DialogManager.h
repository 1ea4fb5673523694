// The host's dialog manager: modal dialogs from the module's templates, items created in
// code, scripts of user actions, and a record of what the user was shown.
//
// A test (or the command-line tool) queues a DialogScript before it sends the message
// that opens a dialog. When the module runs a modal dialog, the manager loads the
// template, creates its items, calls the module's init procedure, then plays the script
// as a user would act: each action goes through the dialog manager (limits, default
// notification, tracking) and reaches the module's notify and tracker procedures. What
// the user saw is kept in a DialogRecord per dialog shown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "HostSuites.h"
#include "simhost/Document.h"

namespace simhost {

// What a user does in a dialog. The names in ActionKindName are the stable spelling
// used by script files.
enum class ActionKind {
  kSet,     // type `value` into spin edit `item`
  kCheck,   // tick (`value` != 0) or clear check box `item`; no click if it already is
  kChoose,  // choose the entry at index `value` of popup list `item`
  kPress,   // click button `item`
  kTrack,   // one mouse event on `item` at `point` with `modifiers`; a drag is several
  kMove,    // move the dialog so that its top-left corner is at `point`
  kAccept,  // press item 1
  kCancel,  // press item 2
  kClose,   // close the window without an item: the dialog returns kClosedByWindow
};

// The result of a modal dialog closed other than through an item.
constexpr int32_t kClosedByWindow = -1;

struct DialogAction {
  ActionKind kind = ActionKind::kAccept;
  int32_t item = 0;
  double value = 0;
  HostIntPoint point{0, 0};
  uint32_t modifiers = 0;
};

struct DialogScript {
  std::string dialog;  // name of the dialog it is for; empty: whichever dialog opens next
  std::vector<DialogAction> actions;
};

// Builders that read like the user's steps.
namespace user {
DialogAction Set(int32_t item, double value);
DialogAction Check(int32_t item, bool ticked);
DialogAction Choose(int32_t item, int32_t index);
DialogAction Press(int32_t item);
DialogAction Track(int32_t item, HostIntPoint point, uint32_t modifiers);
// One tracking event per point, in order.
std::vector<DialogAction> Drag(int32_t item, const std::vector<HostIntPoint>& points,
                               uint32_t modifiers);
DialogAction Move(HostIntPoint topLeft);
DialogAction Accept();
DialogAction Cancel();
DialogAction Close();
}  // namespace user

const char* ActionKindName(ActionKind kind);
// False when the name is not one of ActionKindName's.
bool ParseActionKind(const std::string& name, ActionKind* kind);

struct EntryRecord {
  int32_t id = 0;
  std::string text;
};

// One item as the user sees it.
struct ItemRecord {
  int32_t id = 0;
  std::string kind;  // the item type name, e.g. "ADM Spin Edit Type"
  // Spin edits: the value formatted with the item's decimals; popup lists: the active
  // entry's text; other items: their text.
  std::string text;
  // Spin edits: the value; check boxes: 0 or 1; popup lists: the active entry's index
  // (-1 when none is active); other items: 0.
  double value = 0;
  bool visible = true;
  bool enabled = true;
  int32_t font = kDlgFontDefault;
  HostIntRect bounds{0, 0, 0, 0};
  double minimum = 0, maximum = 0;  // spin edits
  int32_t units = kDlgUnitsNone;
  int32_t decimals = 0;
  std::vector<EntryRecord> entries;  // popup lists
  int pressFeedback = 0;             // how often default tracking showed the button pressed
};

// The state of the dialog after one scripted action.
struct StepRecord {
  size_t action = 0;    // index into the script's actions
  std::string ignored;  // why the action could not be done ("" when it was done)
  std::vector<ItemRecord> items;
  HostIntRect bounds{0, 0, 0, 0};
  bool hasDocument = false;
  Document document;  // the document after the step, when snapshots are on
};

struct DialogRecord {
  std::string name;
  int32_t resourceId = 0;
  std::string caption;
  int32_t style = 0;
  HostIntRect bounds{0, 0, 0, 0};  // at close
  int32_t result = 0;              // the id of the item that closed it, or kClosedByWindow
  bool open = true;
  bool scripted = false;
  bool scriptEndedOpen = false;   // the script ran out before the dialog closed
  std::vector<ItemRecord> items;  // in creation order, at close
  std::vector<StepRecord> steps;

  // The item with that id, null when there is none (the first one for repeated ids).
  const ItemRecord* Item(int32_t id) const;
  // Ids of the visible items, in creation order.
  std::vector<int32_t> VisibleItems() const;
  // Actions of the script that could not be done, with the reason.
  std::vector<std::string> IgnoredActions() const;
};

namespace detail {
struct DialogState;
}  // namespace detail

class DialogManager {
 public:
  DialogManager();
  ~DialogManager();
  DialogManager(const DialogManager&) = delete;
  DialogManager& operator=(const DialogManager&) = delete;

  // Scripts are taken in order: a dialog plays the first queued script whose `dialog` is
  // its name or empty. A dialog with no script gets item 1 pressed at once.
  void QueueScript(DialogScript script);
  void QueueScript(std::string dialog, std::vector<DialogAction> actions);
  size_t QueuedScripts() const;
  void ClearScripts();

  // Every modal dialog shown, in the order they opened.
  const std::vector<DialogRecord>& Shown() const;
  // The last dialog shown with that name, null when there was none.
  const DialogRecord* LastShown(const std::string& name) const;
  void ClearShown();

  // Called after every scripted action with the dialog as the user sees it then.
  std::function<void(const DialogRecord& dialog, const StepRecord& step)> onStep;
  // Copy the document into each step's record.
  bool snapshotDocuments = false;

  // Where a dialog opens when the module sets no bounds: centred on this screen.
  HostIntRect screen{0, 0, 1280, 800};

  detail::DialogState& State() { return *state_; }

 private:
  std::unique_ptr<detail::DialogState> state_;
};

}  // namespace simhost
