// Running the filter through the simulated host exactly as the drawing host would:
// "Startup", optionally "AI Get Parameters" with a scripted dialog, "AI Go", "Shutdown".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "RecordFields.h"
#include "simhost/DialogManager.h"
#include "simhost/Document.h"

namespace simhost {
class SimHost;
}

namespace quibtool {

struct FieldSetting {
  const RecordField* field;
  double value;
};

struct RunSettings {
  RecordBytes record = DefaultRecord();  // the record the host keeps for the filter
  std::optional<int32_t> preset;         // chosen in the dialog
  std::vector<FieldSetting> sets;        // written into the record, or typed in the dialog
  std::vector<simhost::DialogAction> dialogActions;  // the user's own dialog script
  bool useDialog = false;                            // run "AI Get Parameters" with the dialog
  std::optional<uint64_t> seed;
  std::optional<std::vector<float>> draws;
};

struct RunOutcome {
  simhost::Document doc;
  RecordBytes record;
  bool cancelled = false;  // the dialog was cancelled: no Go, the document unchanged
  uint64_t draws = 0;
  std::vector<std::string> warnings;  // contract breaches, ignored dialog actions
};

// Loads the module into `host` (once) and throws ToolError when it cannot.
void LoadModuleOrThrow(simhost::SimHost& host, const std::string& modulePath);

// One use of the filter on `doc`. Throws ToolError when the module reports an error
// through its error dialog (with the dialog's message and code) or the draws run out.
RunOutcome RunFilter(simhost::SimHost& host, const simhost::Document& doc,
                     const RunSettings& settings);

// The dialog actions of a script file: an array of actions, or an object with
// "actions". Items by number or by the record field their control edits; list entries
// by index or text. Throws ToolError naming the line and column or the action.
std::vector<simhost::DialogAction> ReadDialogScript(const std::string& text,
                                                    const std::string& source);

// Scripted random draws: one number in [0, 1) per line; blank lines and # comments
// are skipped.
std::vector<float> ReadDraws(const std::string& text, const std::string& source);

// A record from a file: the raw 196 bytes, or JSON {"field": value, ...} (missing
// fields keep their defaults).
RecordBytes ReadRecord(const std::string& bytes, const std::string& source);
std::string RecordJson(const RecordBytes& record);

}  // namespace quibtool
