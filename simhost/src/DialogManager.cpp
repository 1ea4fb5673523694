// The dialog manager's modal loop: template loading, the user's scripted actions and the
// record of what each dialog showed.
#include "simhost/DialogManager.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <utility>

#include "DialogState.h"
#include "simhost/SimHost.h"

namespace simhost {

using detail::DialogState;
using detail::LiveDialog;
using detail::LiveEntry;
using detail::LiveItem;
using detail::LiveNotifier;
using detail::LiveTracker;

namespace user {
DialogAction Set(int32_t item, double value) {
  return DialogAction{ActionKind::kSet, item, value, {0, 0}, 0};
}
DialogAction Check(int32_t item, bool ticked) {
  return DialogAction{ActionKind::kCheck, item, ticked ? 1.0 : 0.0, {0, 0}, 0};
}
DialogAction Choose(int32_t item, int32_t index) {
  return DialogAction{ActionKind::kChoose, item, double(index), {0, 0}, 0};
}
DialogAction Press(int32_t item) { return DialogAction{ActionKind::kPress, item, 0, {0, 0}, 0}; }
DialogAction Track(int32_t item, HostIntPoint point, uint32_t modifiers) {
  return DialogAction{ActionKind::kTrack, item, 0, point, modifiers};
}
std::vector<DialogAction> Drag(int32_t item, const std::vector<HostIntPoint>& points,
                               uint32_t modifiers) {
  std::vector<DialogAction> actions;
  for (const HostIntPoint& point : points) actions.push_back(Track(item, point, modifiers));
  return actions;
}
DialogAction Move(HostIntPoint topLeft) {
  return DialogAction{ActionKind::kMove, 0, 0, topLeft, 0};
}
DialogAction Accept() { return DialogAction{ActionKind::kAccept, 1, 0, {0, 0}, 0}; }
DialogAction Cancel() { return DialogAction{ActionKind::kCancel, 2, 0, {0, 0}, 0}; }
DialogAction Close() { return DialogAction{ActionKind::kClose, 0, 0, {0, 0}, 0}; }
}  // namespace user

namespace {

const std::pair<ActionKind, const char*> kActionNames[] = {
    {ActionKind::kSet, "set"},       {ActionKind::kCheck, "check"},
    {ActionKind::kChoose, "choose"}, {ActionKind::kPress, "press"},
    {ActionKind::kTrack, "track"},   {ActionKind::kMove, "move"},
    {ActionKind::kAccept, "accept"}, {ActionKind::kCancel, "cancel"},
    {ActionKind::kClose, "close"},
};

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Template controls become the dialog manager's item types.
std::string ItemKindOf(const DialogItemTemplate& control) {
  std::string kind = Lower(control.kind);
  if (kind == "button") {
    switch (control.style & 0xF) {
      case 2:  // check box
      case 3:  // automatic check box
      case 5:  // three-state
      case 6:  // automatic three-state
        return kDlgTextCheckBoxType;
      case 7:  // group box
        return kDlgTextStaticType;
      default:
        return kDlgTextPushButtonType;
    }
  }
  if (kind == "static") return kDlgTextStaticType;
  if (kind == "edit") return "ADM Text Edit Type";
  return control.kind;
}

// Dialog units of an 8-point template font: 4 horizontal units are 6 pixels and
// 8 vertical units 13 pixels.
int32_t HorizontalPixels(int32_t units) { return units * 6 / 4; }
int32_t VerticalPixels(int32_t units) { return units * 13 / 8; }

std::string FormatValue(HostReal value, int32_t decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 10), double(value));
  return text;
}

ItemRecord RecordOf(const LiveItem& item) {
  ItemRecord record;
  record.id = item.id;
  record.kind = item.kind;
  record.text = item.text;
  record.visible = item.visible;
  record.enabled = item.enabled;
  record.font = item.font;
  record.bounds = item.bounds;
  record.units = item.units;
  record.decimals = item.decimals;
  record.pressFeedback = item.pressFeedback;
  if (item.IsSpinEdit()) {
    record.value = item.value;
    record.text = FormatValue(item.value, item.decimals);
    record.minimum = item.minimum;
    record.maximum = item.maximum;
  } else if (item.IsCheckBox()) {
    record.value = item.ticked ? 1 : 0;
  } else if (item.IsPopupList()) {
    record.value = -1;
    record.text.clear();
    for (size_t n = 0; n < item.entries.size(); ++n) {
      record.entries.push_back(EntryRecord{item.entries[n]->id, item.entries[n]->text});
      if (item.entries[n].get() == item.active) {
        record.value = double(n);
        record.text = item.active->text;
      }
    }
  }
  return record;
}

std::vector<ItemRecord> RecordsOf(const LiveDialog& dialog) {
  std::vector<ItemRecord> records;
  for (const auto& item : dialog.items) records.push_back(RecordOf(*item));
  return records;
}

DialogState& State() { return Host().dialogs.State(); }

void Close(LiveDialog* dialog, int32_t result) {
  if (dialog->closed) return;
  dialog->closed = true;
  dialog->result = result;
}

// A user can act only on an item that is there, shown and enabled.
std::string Unreachable(const LiveItem* item, int32_t id) {
  if (item == nullptr) return "no item " + std::to_string(id);
  if (!item->visible) return "item " + std::to_string(id) + " is hidden";
  if (!item->enabled) return "item " + std::to_string(id) + " is disabled";
  return "";
}

LiveNotifier UserNotifier() {
  LiveNotifier notifier;
  notifier.type = kDlgUserChangedNotifier;
  notifier.fromUser = true;
  return notifier;
}

// Plays one action; returns why it could not be done, or "".
std::string Play(LiveDialog* dialog, const DialogAction& action) {
  switch (action.kind) {
    case ActionKind::kMove: {
      int32_t width = dialog->bounds.right - dialog->bounds.left;
      int32_t height = dialog->bounds.bottom - dialog->bounds.top;
      dialog->bounds = HostIntRect{action.point.h, action.point.v, action.point.h + width,
                                   action.point.v + height};
      return "";
    }
    case ActionKind::kClose:
      Close(dialog, kClosedByWindow);
      return "";
    default:
      break;
  }
  int32_t id = action.kind == ActionKind::kAccept   ? 1
               : action.kind == ActionKind::kCancel ? 2
                                                    : action.item;
  LiveItem* item = detail::FindItem(dialog, id);
  if (std::string why = Unreachable(item, id); !why.empty()) return why;
  LiveNotifier notifier = UserNotifier();
  switch (action.kind) {
    case ActionKind::kSet:
      if (!item->IsSpinEdit()) return "item " + std::to_string(id) + " is not a spin edit";
      detail::SetValue(item, action.value);
      detail::Notify(item, &notifier);
      return "";
    case ActionKind::kCheck:
      if (!item->IsCheckBox()) return "item " + std::to_string(id) + " is not a check box";
      if (item->ticked == (action.value != 0)) {
        return "item " + std::to_string(id) +
               (item->ticked ? " is already ticked" : " is already clear");
      }
      detail::Notify(item, &notifier);
      return "";
    case ActionKind::kChoose: {
      if (!item->IsPopupList()) return "item " + std::to_string(id) + " is not a popup list";
      if (action.value < 0 || action.value >= double(item->entries.size())) {
        return "item " + std::to_string(id) + " has no entry " + std::to_string(action.value);
      }
      notifier.chosenEntry = int32_t(action.value);
      detail::Notify(item, &notifier);
      return "";
    }
    case ActionKind::kTrack: {
      LiveTracker tracker{action.point, action.modifiers};
      State().tracking.push_back(&tracker);
      if (item->tracker != nullptr) {
        item->tracker(detail::Ref(item), detail::Ref(&tracker));
      } else {
        detail::DefaultTrack(item);
      }
      State().tracking.pop_back();
      return "";
    }
    default:  // press, accept, cancel
      detail::Notify(item, &notifier);
      return "";
  }
}

void Snapshot(const LiveDialog& dialog, StepRecord* step) {
  step->items = RecordsOf(dialog);
  step->bounds = dialog.bounds;
  if (Host().dialogs.snapshotDocuments) {
    step->hasDocument = true;
    step->document = Host().document.doc;
  }
}

// The first queued script for this dialog, taken off the queue.
bool TakeScript(const std::string& name, DialogScript* script) {
  auto& scripts = State().scripts;
  auto found = std::find_if(scripts.begin(), scripts.end(), [&](const DialogScript& queued) {
    return queued.dialog.empty() || queued.dialog == name;
  });
  if (found == scripts.end()) return false;
  *script = std::move(*found);
  scripts.erase(found);
  return true;
}

void PlayScript(LiveDialog* dialog) {
  DialogScript script;
  bool scripted = TakeScript(dialog->name, &script);
  // Nobody scripted this dialog: the user presses the default button.
  if (!scripted) script.actions.push_back(user::Accept());
  State().shown[dialog->recordIndex].scripted = scripted;
  for (size_t n = 0; n < script.actions.size() && !dialog->closed; ++n) {
    StepRecord step;
    step.action = n;
    step.ignored = Play(dialog, script.actions[n]);
    Snapshot(*dialog, &step);
    // A dialog opened by the step may have grown the record list: index it afresh.
    DialogRecord& record = State().shown[dialog->recordIndex];
    record.steps.push_back(std::move(step));
    auto& hook = Host().dialogs.onStep;
    if (hook) hook(record, record.steps.back());
  }
  if (!dialog->closed) {
    State().shown[dialog->recordIndex].scriptEndedOpen = scripted;
    Close(dialog, kClosedByWindow);
  }
}

}  // namespace

const char* ActionKindName(ActionKind kind) {
  for (const auto& [value, name] : kActionNames) {
    if (value == kind) return name;
  }
  return "";
}

bool ParseActionKind(const std::string& name, ActionKind* kind) {
  for (const auto& [value, text] : kActionNames) {
    if (name == text) {
      *kind = value;
      return true;
    }
  }
  return false;
}

const ItemRecord* DialogRecord::Item(int32_t id) const {
  for (const ItemRecord& item : items) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

std::vector<int32_t> DialogRecord::VisibleItems() const {
  std::vector<int32_t> ids;
  for (const ItemRecord& item : items) {
    if (item.visible) ids.push_back(item.id);
  }
  return ids;
}

std::vector<std::string> DialogRecord::IgnoredActions() const {
  std::vector<std::string> ignored;
  for (const StepRecord& step : steps) {
    if (!step.ignored.empty()) ignored.push_back(step.ignored);
  }
  return ignored;
}

DialogManager::DialogManager() : state_(std::make_unique<DialogState>()) {}
DialogManager::~DialogManager() = default;

void DialogManager::QueueScript(DialogScript script) {
  state_->scripts.push_back(std::move(script));
}

void DialogManager::QueueScript(std::string dialog, std::vector<DialogAction> actions) {
  QueueScript(DialogScript{std::move(dialog), std::move(actions)});
}

size_t DialogManager::QueuedScripts() const { return state_->scripts.size(); }
void DialogManager::ClearScripts() { state_->scripts.clear(); }
const std::vector<DialogRecord>& DialogManager::Shown() const { return state_->shown; }

const DialogRecord* DialogManager::LastShown(const std::string& name) const {
  for (auto it = state_->shown.rbegin(); it != state_->shown.rend(); ++it) {
    if (it->name == name) return &*it;
  }
  return nullptr;
}

void DialogManager::ClearShown() { state_->shown.clear(); }

namespace detail {

LiveItem* FindItem(LiveDialog* dialog, int32_t id) {
  for (const auto& item : dialog->items) {
    if (item->id == id) return item.get();
  }
  return nullptr;
}

LiveItem* CreateItem(LiveDialog* dialog, int32_t id, const std::string& kind,
                     const HostIntRect& bounds) {
  auto item = std::make_unique<LiveItem>();
  item->dialog = dialog;
  item->id = id;
  item->kind = kind;
  item->bounds = bounds;
  item->list.owner = item.get();
  LiveItem* created = item.get();
  dialog->items.push_back(std::move(item));
  State().liveItems.insert(created);
  return created;
}

void SetRange(LiveItem* item, double minimum, double maximum) {
  item->minimum = HostReal(minimum);
  item->maximum = HostReal(maximum);
  // A control keeps its value inside its range.
  if (item->minimum <= item->maximum) {
    item->value = std::clamp(item->value, item->minimum, item->maximum);
  }
}

void SetValue(LiveItem* item, double value) {
  HostReal limited = HostReal(value);
  if (std::isnan(limited)) return;
  if (item->minimum <= item->maximum) {
    limited = std::clamp(limited, item->minimum, item->maximum);
  }
  item->value = limited;
}

void SelectEntry(LiveEntry* entry) { entry->owner->active = entry; }

void Notify(LiveItem* item, LiveNotifier* notifier) {
  if (item->notify != nullptr) {
    item->notify(Ref(item), Ref(notifier));
  } else {
    DefaultNotify(item, notifier);
  }
}

void DefaultNotify(LiveItem* item, const LiveNotifier* notifier) {
  bool userAction = notifier != nullptr && notifier->fromUser;
  if (item->IsCheckBox() && userAction) {
    item->ticked = !item->ticked;
  } else if (item->IsPopupList() && notifier != nullptr && notifier->chosenEntry >= 0 &&
             size_t(notifier->chosenEntry) < item->entries.size()) {
    item->active = item->entries[size_t(notifier->chosenEntry)].get();
  } else if (item->kind == kDlgTextPushButtonType && (item->id == 1 || item->id == 2)) {
    // The default and the cancel button end a modal dialog with their id.
    Close(item->dialog, item->id);
  }
}

int32_t DefaultTrack(LiveItem* item) {
  if (item->IsPushButton()) ++item->pressFeedback;
  return 1;
}

int32_t RunModal(const char* name, int32_t resourceId, int32_t style, DlgInitProc init,
                 void* userData) {
  DialogState& state = State();
  const auto& templates = Host().module.resources.dialogs;
  auto found = templates.find(resourceId);
  if (found == templates.end()) {
    Host().suites.RecordBreach(
        "dialog template missing",
        "no dialog template " + std::to_string(resourceId) + " for " + (name ? name : "(unnamed)"));
    return kClosedByWindow;
  }
  const DialogTemplate& source = found->second;

  auto owned = std::make_unique<LiveDialog>();
  LiveDialog* dialog = owned.get();
  dialog->name = name ? name : "";
  dialog->resourceId = resourceId;
  dialog->caption = source.caption;
  dialog->userData = userData;
  dialog->bounds = HostIntRect{0, 0, HorizontalPixels(source.width), VerticalPixels(source.height)};
  dialog->recordIndex = state.shown.size();
  state.open.push_back(std::move(owned));

  DialogRecord opened;
  opened.name = dialog->name;
  opened.resourceId = resourceId;
  opened.caption = dialog->caption;
  opened.style = style;
  state.shown.push_back(std::move(opened));

  for (const DialogItemTemplate& control : source.items) {
    HostIntRect bounds{HorizontalPixels(control.x), VerticalPixels(control.y),
                       HorizontalPixels(control.x + control.width),
                       VerticalPixels(control.y + control.height)};
    LiveItem* item =
        CreateItem(dialog, control.id == 65535 ? -1 : control.id, ItemKindOf(control), bounds);
    item->text = control.text;
  }

  HostErr initResult = init != nullptr ? init(Ref(dialog)) : kHostNoErr;
  if (!dialog->positionSet) {
    // Nobody placed the dialog: centre it on the screen at its present size.
    const HostIntRect& screen = Host().dialogs.screen;
    int32_t width = dialog->bounds.right - dialog->bounds.left;
    int32_t height = dialog->bounds.bottom - dialog->bounds.top;
    int32_t left = screen.left + (screen.right - screen.left - width) / 2;
    int32_t top = screen.top + (screen.bottom - screen.top - height) / 2;
    dialog->bounds = HostIntRect{left, top, left + width, top + height};
  }
  if (initResult != kHostNoErr) {
    Close(dialog, kClosedByWindow);  // an init procedure that fails keeps the dialog shut
  } else if (!dialog->closed) {
    PlayScript(dialog);
  }

  DialogRecord& record = state.shown[dialog->recordIndex];
  record.bounds = dialog->bounds;
  record.result = dialog->result;
  record.items = RecordsOf(*dialog);
  record.open = false;

  for (const auto& item : dialog->items) {
    state.liveItems.erase(item.get());
    for (const auto& entry : item->entries) state.liveEntries.erase(entry.get());
  }
  int32_t result = dialog->result;
  state.open.pop_back();
  return result;
}

}  // namespace detail

}  // namespace simhost
