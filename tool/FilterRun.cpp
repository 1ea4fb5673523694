#include "FilterRun.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>

#include "DocumentJson.h"
#include "ToolError.h"
#include "simhost/SimHost.h"

namespace quibtool {
namespace {

using nlohmann::json;
using simhost::ActionKind;
using simhost::DialogAction;

constexpr const char* kParameterDialog = "Quib_Mesh";
constexpr const char* kErrorDialog = "Error Dialog";

// Buttons of the parameter dialog by the text a user reads on or under them.
struct NamedButton {
  const char* name;
  int32_t item;
};
const NamedButton kButtons[] = {{"OK", 1},      {"Cancel", 2},    {"Preview", 3},  {"Shuffle", 80},
                                {"Tumble", 81}, {"Colors", 130},  {"Points", 131}, {"Size", 132},
                                {"Xtra", 133},  {"Settings", 134}};

std::string HostCode(HostErr code) {
  uint32_t bits = uint32_t(code);
  char text[5] = {char(bits >> 24), char(bits >> 16), char(bits >> 8), char(bits), 0};
  for (int n = 0; n < 4; ++n)
    if (text[n] < 32 || text[n] > 126) return std::to_string(code);
  return std::string("\"") + text + "\"";
}

// Throws the error a user would have seen: the module's error dialog, when it showed one.
void CheckMessage(simhost::SimHost& host, size_t shownBefore, HostErr result, const char* what) {
  const auto& shown = host.dialogs.Shown();
  for (size_t n = shownBefore; n < shown.size(); ++n) {
    if (shown[n].name != kErrorDialog) continue;
    const simhost::ItemRecord* message = shown[n].Item(2);
    const simhost::ItemRecord* code = shown[n].Item(3);
    throw ToolError(kExitModule, std::string("the filter reported an error: ") +
                                     (message ? message->text : "?") + " (code " +
                                     (code ? code->text : "?") + ")");
  }
  if (result != 0 && result != kHostCancelErr)
    throw ToolError(kExitModule,
                    std::string("the module answered ") + what + " with " + HostCode(result));
}

// The dialog action that gives a field a value the way a user would.
DialogAction ControlAction(const RecordField& field, double value) {
  if (field.type == FieldType::kFlag) return simhost::user::Check(field.control, value != 0);
  if (ListOfField(field.name)) return simhost::user::Choose(field.control, int32_t(value));
  return simhost::user::Set(field.control, value);
}

bool Closes(const DialogAction& action) {
  return action.kind == ActionKind::kAccept || action.kind == ActionKind::kCancel ||
         action.kind == ActionKind::kClose;
}

}  // namespace

void LoadModuleOrThrow(simhost::SimHost& host, const std::string& modulePath) {
  if (host.ModuleLoaded()) return;
  std::string problem = host.LoadModule(modulePath);
  if (!problem.empty())
    throw ToolError(kExitModule, "cannot load the module " + modulePath + ": " + problem);
}

RunOutcome RunFilter(simhost::SimHost& host, const simhost::Document& doc,
                     const RunSettings& settings) {
  host.document.doc = doc;
  if (settings.seed) host.document.random.Seed(*settings.seed);
  if (settings.draws) host.document.random.Script(*settings.draws);
  host.dialogs.ClearScripts();

  size_t shown = host.dialogs.Shown().size();
  CheckMessage(host, shown, host.Startup(), "\"Startup\"");
  if (!host.ModuleFilter())
    throw ToolError(kExitModule, "the module registered no filter at start-up");

  RecordBytes record = settings.record;
  std::vector<DialogAction> actions;
  if (settings.useDialog && settings.preset)
    actions.push_back(simhost::user::Choose(PresetList().item, *settings.preset));
  // In the dialog a user types every setting into its control, turning to the control's
  // page first and back to the page they started on at the end; the dialog's own state
  // and the run state have no control and go into the record.
  const RecordField& pageField = *FindField("page");
  int32_t startPage = int32_t(GetField(record, pageField));
  if (startPage < 1 || startPage > 5) startPage = 1;  // what the dialog opens on
  int32_t shownPage = startPage;
  for (const FieldSetting& set : settings.sets) {
    if (!settings.useDialog || set.field->group != FieldGroup::kUserSetting) {
      SetField(record, *set.field, set.value);
      continue;
    }
    int32_t page = PageOfControl(set.field->control);
    if (page != 0 && page != shownPage) {
      actions.push_back(simhost::user::Press(PageButton(page)));
      shownPage = page;
    }
    actions.push_back(ControlAction(*set.field, set.value));
  }
  if (shownPage != startPage) actions.push_back(simhost::user::Press(PageButton(startPage)));
  actions.insert(actions.end(), settings.dialogActions.begin(), settings.dialogActions.end());
  host.SetParameterBytes(record);

  RunOutcome outcome;
  if (settings.useDialog) {
    if (actions.empty() || !Closes(actions.back())) actions.push_back(simhost::user::Accept());
    host.dialogs.QueueScript(kParameterDialog, actions);
    shown = host.dialogs.Shown().size();
    HostErr result = host.Send(kCallerFilter, kSelectorGetParameters);
    CheckMessage(host, shown, result, "\"AI Get Parameters\"");
    outcome.cancelled = result == kHostCancelErr;
    // An action the user could not have done (a hidden or disabled control, an item that
    // is not there) means the script does not do what its author meant.
    if (const simhost::DialogRecord* dialog = host.dialogs.LastShown(kParameterDialog)) {
      std::vector<std::string> ignored = dialog->IgnoredActions();
      if (!ignored.empty())
        throw ToolError(kExitBadSettings, "the dialog could not do this: " + ignored.front());
    }
  }
  if (!outcome.cancelled) {
    shown = host.dialogs.Shown().size();
    CheckMessage(host, shown, host.Send(kCallerFilter, kSelectorGo), "\"AI Go\"");
  }
  shown = host.dialogs.Shown().size();
  CheckMessage(host, shown, host.Shutdown(), "\"Shutdown\"");

  if (host.document.random.Exhausted())
    throw ToolError(kExitDraws, "the scripted draws ran out after " +
                                    std::to_string(host.document.random.ExhaustedAfter()) +
                                    " draws; the filter needed more");
  for (const simhost::Breach& breach : host.suites.Breaches())
    outcome.warnings.push_back("the module broke the host contract: " + breach.kind + " (" +
                               breach.detail + ")");
  outcome.doc = host.document.doc;
  outcome.record = host.HasParameters() ? host.ParameterBytes() : record;
  outcome.draws = host.document.random.Draws();
  return outcome;
}

namespace {

class ScriptReader {
 public:
  explicit ScriptReader(std::string source) : source_(std::move(source)) {}
  [[noreturn]] void Fail(size_t n, const std::string& problem) const {
    throw ToolError(kExitBadSettings,
                    source_ + ": action " + std::to_string(n + 1) + ": " + problem);
  }

  int32_t Item(const json& action, size_t n) const {
    if (action.contains("item")) {
      const json& item = action["item"];
      if (item.is_number_integer()) return item.get<int32_t>();
      if (item.is_string()) {
        for (const NamedButton& button : kButtons)
          if (item.get<std::string>() == button.name) return button.item;
        Fail(n, "no button is named \"" + item.get<std::string>() + "\"");
      }
      Fail(n, "\"item\" is a number or a button's name");
    }
    if (action.contains("field")) {
      const RecordField* field =
          FindField(action["field"].is_string() ? action["field"].get<std::string>() : "");
      if (!field || field->control == 0)
        Fail(n, "\"field\" names no record field that a control edits");
      return field->control;
    }
    Fail(n, "needs \"item\" or \"field\"");
  }

  double Number(const json& value, size_t n, const char* key) const {
    if (!value.is_number() || !std::isfinite(value.get<double>()))
      Fail(n, std::string("\"") + key + "\" must be a finite number");
    return value.get<double>();
  }

  HostIntPoint Point(const json& value, size_t n) const {
    if (!value.is_array() || value.size() != 2 || !value[0].is_number_integer() ||
        !value[1].is_number_integer())
      Fail(n, "a point is [h, v] in whole dialog coordinates");
    return {value[0].get<int32_t>(), value[1].get<int32_t>()};
  }

  void Read(const json& action, size_t n, std::vector<DialogAction>* out) const {
    if (!action.is_object() || !action.contains("action") || !action["action"].is_string())
      Fail(n, "expected an object with \"action\"");
    ActionKind kind;
    std::string name = action["action"].get<std::string>();
    if (!simhost::ParseActionKind(name, &kind)) Fail(n, "unknown action \"" + name + "\"");
    DialogAction result;
    result.kind = kind;
    switch (kind) {
      case ActionKind::kSet:
      case ActionKind::kCheck: {
        result.item = Item(action, n);
        if (!action.contains("value")) Fail(n, "needs \"value\"");
        const json& value = action["value"];
        result.value = value.is_boolean() ? double(value.get<bool>()) : Number(value, n, "value");
        break;
      }
      case ActionKind::kChoose: {
        result.item = Item(action, n);
        if (action.contains("entry")) {
          const PopupList* list = nullptr;
          for (const PopupList& candidate : PopupLists())
            if (candidate.item == result.item) list = &candidate;
          if (!list || !action["entry"].is_string()) Fail(n, "\"entry\" names an entry of a list");
          const RecordField* field = FindField(list->field);
          result.value = ParseFieldValue(*field, action["entry"].get<std::string>());
        } else if (action.contains("index")) {
          result.value = Number(action["index"], n, "index");
        } else {
          Fail(n, "needs \"index\" or \"entry\"");
        }
        break;
      }
      case ActionKind::kPress:
        result.item = Item(action, n);
        break;
      case ActionKind::kTrack: {
        result.item = Item(action, n);
        if (action.contains("modifiers"))
          result.modifiers = uint32_t(Number(action["modifiers"], n, "modifiers"));
        if (action.contains("points")) {
          const json& points = action["points"];
          if (!points.is_array() || points.empty()) Fail(n, "\"points\" is a list of [h, v]");
          std::vector<HostIntPoint> path;
          for (const json& point : points) path.push_back(Point(point, n));
          for (DialogAction& step : simhost::user::Drag(result.item, path, result.modifiers))
            out->push_back(step);
          return;
        }
        if (!action.contains("point")) Fail(n, "needs \"point\" or \"points\"");
        result.point = Point(action["point"], n);
        break;
      }
      case ActionKind::kMove:
        if (!action.contains("point")) Fail(n, "needs \"point\"");
        result.point = Point(action["point"], n);
        break;
      case ActionKind::kAccept:
      case ActionKind::kCancel:
      case ActionKind::kClose:
        break;
    }
    out->push_back(result);
  }

 private:
  std::string source_;
};

}  // namespace

std::vector<DialogAction> ReadDialogScript(const std::string& text, const std::string& source) {
  json root = ParseJson(text, source, kExitBadSettings);
  const json& actions = root.is_object() && root.contains("actions") ? root["actions"] : root;
  if (!actions.is_array())
    throw ToolError(kExitBadSettings, source + ": expected a list of dialog actions");
  std::vector<DialogAction> result;
  ScriptReader reader(source);
  for (size_t n = 0; n < actions.size(); ++n) reader.Read(actions[n], n, &result);
  return result;
}

std::vector<float> ReadDraws(const std::string& text, const std::string& source) {
  std::vector<float> draws;
  size_t line = 0, start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string entry = text.substr(start, end - start);
    ++line;
    start = end + 1;
    if (size_t hash = entry.find('#'); hash != std::string::npos) entry.erase(hash);
    size_t first = entry.find_first_not_of(" \t\r"), last = entry.find_last_not_of(" \t\r");
    if (first == std::string::npos) continue;
    entry = entry.substr(first, last - first + 1);
    double value = 0;
    auto [ptr, ec] = std::from_chars(entry.data(), entry.data() + entry.size(), value);
    if (ec != std::errc() || ptr != entry.data() + entry.size())
      throw ToolError(kExitBadSettings, source + ": line " + std::to_string(line) + ": \"" + entry +
                                            "\" is not a number");
    float draw = float(value);
    if (!(draw >= 0 && draw < 1))
      throw ToolError(kExitBadSettings, source + ": line " + std::to_string(line) + ": " + entry +
                                            " is not a draw from 0 up to (not including) 1");
    draws.push_back(draw);
  }
  return draws;
}

RecordBytes ReadRecord(const std::string& bytes, const std::string& source) {
  size_t first = bytes.find_first_not_of(" \t\r\n");
  bool looksJson = first != std::string::npos && bytes[first] == '{';
  if (!looksJson) {
    if (bytes.size() != kRecordSize)
      throw ToolError(kExitBadSettings, source + ": a raw record is " +
                                            std::to_string(kRecordSize) + " bytes, this file has " +
                                            std::to_string(bytes.size()));
    return RecordBytes(bytes.begin(), bytes.end());
  }
  json root = ParseJson(bytes, source, kExitBadSettings);
  if (!root.is_object()) throw ToolError(kExitBadSettings, source + ": expected a JSON object");
  RecordBytes record = DefaultRecord();
  for (auto it = root.begin(); it != root.end(); ++it) {
    const RecordField* field = FindField(it.key());
    if (!field) throw ToolError(kExitBadSettings, source + ": unknown field \"" + it.key() + "\"");
    std::string text = it->is_string() ? it->get<std::string>() : it->dump();
    try {
      SetField(record, *field, ParseFieldValue(*field, text));
    } catch (const ToolError& error) {
      throw ToolError(error.status(), source + ": " + error.what());
    }
  }
  return record;
}

std::string RecordJson(const RecordBytes& record) {
  nlohmann::ordered_json root = nlohmann::ordered_json::object();
  for (const RecordField& field : RecordFields()) {
    double value = GetField(record, field);
    if (field.type == FieldType::kFloat)
      root[field.name] = ShortestDouble(float(value));
    else
      root[field.name] = int64_t(value);
  }
  return root.dump(2) + "\n";
}

}  // namespace quibtool
