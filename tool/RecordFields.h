// The filter's 196-byte parameter record as the tool sees it: a table of its 49 fields
// (name, offset, type, default, the range its control enforces, the control) and the
// texts of the dialog's popup lists. The tool is a client of the simulated host and
// reads and writes the record only through this table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quibtool {

constexpr size_t kRecordSize = 196;

enum class FieldType { kFloat, kInt32, kFlag };

// Who edits a field: the user through a control, the dialog itself, or the run.
enum class FieldGroup { kUserSetting, kDialogState, kRunState };

struct RecordField {
  const char* name;
  uint32_t offset;
  FieldType type;
  FieldGroup group;
  bool hasDefault;
  double defaultValue;
  double minimum;  // the range the field's control enforces
  double maximum;
  int32_t control;  // the dialog item that edits the field, or 0
  const char* unit;
};

const std::vector<RecordField>& RecordFields();
// The dialog page (1 Colors ... 5 Settings) a control sits on, 0 for the controls shown
// on every page.
int32_t PageOfControl(int32_t item);
// The button that shows a page.
constexpr int32_t PageButton(int32_t page) { return 129 + page; }
const RecordField* FindField(const std::string& name);
const char* FieldTypeName(FieldType type);

// A popup list of the dialog: its item, the field it sets and its entries in order.
struct PopupList {
  int32_t item;
  const char* field;
  std::vector<const char*> entries;  // each text begins with one blank, as shown
};

const std::vector<PopupList>& PopupLists();
const PopupList& PresetList();
// The list of a list-valued field, or null.
const PopupList* ListOfField(const std::string& field);

// A preset by its number or by its text without the leading blank (case-sensitive
// first, then ignoring case). Empty when there is no such preset.
std::optional<int32_t> FindPreset(const std::string& nameOrNumber);

using RecordBytes = std::vector<uint8_t>;

// A record holding the first-use defaults; fields without a default are 0.
RecordBytes DefaultRecord();
double GetField(const RecordBytes& record, const RecordField& field);
// Stores the value in the field's type (floats rounded to single precision, integers
// cut toward zero). The caller checks the range.
void SetField(RecordBytes& record, const RecordField& field, double value);

// Parses a value for the field: a number, for flags also on/off/true/false, for list
// fields also an entry text. Checks the control's range. Throws ToolError naming the
// field and the range.
double ParseFieldValue(const RecordField& field, const std::string& text);

// Formats a field value as the table shows it: floats with the shortest exact text.
std::string FormatFieldValue(const RecordField& field, double value);

}  // namespace quibtool
