#include "RecordFields.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

#include "ToolError.h"

namespace quibtool {
namespace {

using FT = FieldType;
using FG = FieldGroup;
constexpr double kNone = 0;

// In record order; offsets are checked against the module's own layout by a test.
const std::vector<RecordField> kFields = {
    {"interpolation", 0, FT::kFloat, FG::kUserSetting, true, 100, -100, 200, 16, "percent"},
    {"channel1", 4, FT::kFloat, FG::kUserSetting, true, 45, -400, 400, 4, ""},
    {"channel2", 8, FT::kFloat, FG::kUserSetting, true, 0, -400, 400, 5, ""},
    {"channel3", 12, FT::kFloat, FG::kUserSetting, true, 0, -400, 400, 6, ""},
    {"channel4", 16, FT::kFloat, FG::kUserSetting, true, 0, -400, 400, 7, ""},
    {"jitterX", 20, FT::kFloat, FG::kUserSetting, true, 0, -600, 600, 8, "points"},
    {"jitterY", 24, FT::kFloat, FG::kUserSetting, true, 0, -600, 600, 9, "points"},
    {"scaleX", 28, FT::kFloat, FG::kUserSetting, true, 100, -600, 600, 10, "percent"},
    {"scaleY", 32, FT::kFloat, FG::kUserSetting, true, 100, -600, 600, 11, "percent"},
    {"angle", 36, FT::kFloat, FG::kUserSetting, true, 0, -360, 360, 12, "degrees"},
    {"brightness", 40, FT::kFloat, FG::kUserSetting, true, 100, -600, 600, 13, "percent"},
    {"moveX", 44, FT::kFloat, FG::kUserSetting, true, 0, -1600, 1600, 14, "points"},
    {"moveY", 48, FT::kFloat, FG::kUserSetting, true, 0, -1600, 1600, 15, "points"},
    {"colorNodeFactorI", 52, FT::kFloat, FG::kUserSetting, true, 100, -600, 600, 17, "percent"},
    {"colorNodeFactorJ", 56, FT::kFloat, FG::kUserSetting, true, 100, -600, 600, 18, "percent"},
    {"pointNodeFactorI", 60, FT::kFloat, FG::kUserSetting, true, 100, -600, 600, 19, "percent"},
    {"pointNodeFactorJ", 64, FT::kFloat, FG::kUserSetting, true, 100, -600, 600, 20, "percent"},
    {"swapNode", 68, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 41, ""},
    {"wrap", 72, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 30, ""},
    {"randomColors", 76, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 31, ""},
    {"randomAngle", 80, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 34, ""},
    {"randomScale", 84, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 35, ""},
    {"interpolationTarget", 88, FT::kInt32, FG::kUserSetting, true, 0, 0, 14, 65, ""},
    {"preset", 92, FT::kInt32, FG::kDialogState, true, 0, 0, 22, 64, ""},
    {"page", 96, FT::kInt32, FG::kDialogState, true, 1, 1, 5, 0, ""},
    {"colorMode", 100, FT::kInt32, FG::kUserSetting, true, 1, 0, 29, 60, ""},
    {"colorOperation", 104, FT::kInt32, FG::kUserSetting, true, 0, 0, 6, 61, ""},
    {"pointMode", 108, FT::kInt32, FG::kUserSetting, true, 0, 0, 19, 62, ""},
    {"tangentMode", 112, FT::kInt32, FG::kUserSetting, true, 0, 0, 13, 63, ""},
    {"isolateNodeI", 116, FT::kInt32, FG::kUserSetting, true, -1, -1, 500, 21, ""},
    {"isolateNodeJ", 120, FT::kInt32, FG::kUserSetting, true, -1, -1, 500, 22, ""},
    {"randomOpacity", 124, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 32, ""},
    {"randomBlend", 128, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 33, ""},
    {"randomShift", 132, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 36, ""},
    {"randomApplyColor1", 136, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 37, ""},
    {"randomApplyColor2", 140, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 38, ""},
    {"randomApplyJitter1", 144, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 39, ""},
    {"randomApplyJitter2", 148, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 40, ""},
    {"randomColorCombo", 152, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 42, ""},
    {"randomJitterCombos", 156, FT::kFlag, FG::kUserSetting, true, 0, 0, 1, 43, ""},
    {"viewZoom", 160, FT::kFloat, FG::kUserSetting, true, 100, 1, 500, 23, "percent"},
    {"preview", 164, FT::kFlag, FG::kUserSetting, true, 1, 0, 1, 3, ""},
    {"fromGo", 168, FT::kFlag, FG::kRunState, false, kNone, 0, 1, 0, ""},
    {"previewShown", 172, FT::kFlag, FG::kRunState, true, 0, 0, 1, 0, ""},
    {"dialogLeft", 176, FT::kInt32, FG::kDialogState, false, kNone, INT32_MIN, INT32_MAX, 0, ""},
    {"dialogTop", 180, FT::kInt32, FG::kDialogState, false, kNone, INT32_MIN, INT32_MAX, 0, ""},
    {"dialogRight", 184, FT::kInt32, FG::kDialogState, false, kNone, INT32_MIN, INT32_MAX, 0, ""},
    {"dialogBottom", 188, FT::kInt32, FG::kDialogState, false, kNone, INT32_MIN, INT32_MAX, 0, ""},
    {"dialogBoundsValid", 192, FT::kFlag, FG::kDialogState, true, 0, 0, 1, 0, ""},
};

const std::vector<PopupList> kLists = {
    {64,
     "preset",
     {" Reset",
      " Horizontal lines",
      " Vertical lines",
      " Minor jitter to center",
      " Straight interpolation to center",
      " Wave jitter",
      " Randomized color",
      " Color grid",
      " Pulsed",
      " Rotated",
      " Invert",
      " Zoom",
      " Seawaves",
      " Starfighter",
      " Gradient1",
      " Pieces",
      " Block1",
      " Block2",
      " Beams",
      " Random color mode",
      " Random jitter mode",
      " Random jitter mode 1",
      " Jitter reduce"}},
    {60,
     "colorMode",
     {" All points modified",
      " Horizontal lines",
      " Vertical lines",
      " Dotty",
      " Grid",
      " Horizontal influenced",
      " Vertical influenced",
      " On boundary",
      " Not on boundary",
      " Line",
      " Diagonals",
      " Inner",
      " Flow",
      " Random jitter",
      " Cylinder",
      " Vertical 2",
      " Combo",
      " Line 2",
      " Line 3",
      " Grid 2",
      " Grid 3",
      " Grad 1",
      " Grad 2",
      " Grad 3",
      " Grad 4",
      " Grad 5",
      " Grad 6",
      " Grad 7",
      " Double patch",
      " Cross"}},
    {61,
     "colorOperation",
     {" Color tweak", " Reverse", " Average", " Total random", " Random swap", " Accumulate",
      " Ignore original"}},
    {62,
     "pointMode",
     {" Basic jitter",
      " Jitter in one direction",
      " Jitter / alternate column",
      " Alternate column jitter",
      " Alternate row jitter",
      " Alternate column shift",
      " Alternate row shift",
      " Shift based on color",
      " Jitter based on color",
      " Shift based on nodes",
      " Jitter based on nodes",
      " Shift",
      " Shift grid",
      " Shift separate column",
      " Shift separate row",
      " Radial shift",
      " Zoom shift",
      " Increasing",
      " Burst",
      " Accumulate"}},
    {63,
     "tangentMode",
     {" Shift/jitter pattern", " Pattern 1", " Pattern 2", " Pattern 3", " Pattern 4", " Pattern 5",
      " Pattern 6", " Pattern 7", " Pattern 8", " Pattern 9", " Pattern 10", " Pattern 11",
      " Pattern 12", " Pattern 13"}},
    {65,
     "interpolationTarget",
     {" Interpolation: Mesh center", " 100, 100", " 0, 0", " Document center", " Random horizontal",
      " Random vertical", " Single random for all", " All mesh points random", " Mesh bottom",
      " Mesh top", " Mesh left", " Mesh right", " Accumulate 1", " Accumulate 2", " Accumulate 3"}},
};

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

// A whole-string number, or nothing.
std::optional<double> ParseNumber(const std::string& text) {
  std::string trimmed = Trim(text);
  if (trimmed.empty()) return std::nullopt;
  double value = 0;
  const char* first = trimmed.data();
  if (*first == '+') ++first;
  auto [end, ec] = std::from_chars(first, trimmed.data() + trimmed.size(), value);
  if (ec != std::errc() || end != trimmed.data() + trimmed.size()) return std::nullopt;
  return value;
}

// An entry of a list by its text without the leading blank, exact first, then by case.
std::optional<int32_t> FindEntry(const PopupList& list, const std::string& name) {
  std::string wanted = Trim(name);
  for (size_t n = 0; n < list.entries.size(); ++n)
    if (Trim(list.entries[n]) == wanted) return int32_t(n);
  for (size_t n = 0; n < list.entries.size(); ++n)
    if (Lower(Trim(list.entries[n])) == Lower(wanted)) return int32_t(n);
  return std::nullopt;
}

}  // namespace

const std::vector<RecordField>& RecordFields() { return kFields; }

int32_t PageOfControl(int32_t item) {
  static const std::vector<std::vector<int32_t>> kPages = {
      {4, 5, 6, 7, 13, 17, 18, 60, 61, 150, 151, 152, 153},
      {8, 9, 62, 63, 16, 19, 20, 65, 154, 155},
      {10, 11, 12, 14, 15},
      {21, 22},
      {30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43}};
  for (size_t page = 0; page < kPages.size(); ++page)
    for (int32_t member : kPages[page])
      if (member == item) return int32_t(page + 1);
  return 0;
}

const RecordField* FindField(const std::string& name) {
  for (const RecordField& field : kFields)
    if (name == field.name) return &field;
  return nullptr;
}

const char* FieldTypeName(FieldType type) {
  switch (type) {
    case FieldType::kFloat:
      return "float";
    case FieldType::kInt32:
      return "int32";
    case FieldType::kFlag:
      return "flag";
  }
  return "?";
}

const std::vector<PopupList>& PopupLists() { return kLists; }
const PopupList& PresetList() { return kLists.front(); }

const PopupList* ListOfField(const std::string& field) {
  for (const PopupList& list : kLists)
    if (field == list.field) return &list;
  return nullptr;
}

std::optional<int32_t> FindPreset(const std::string& nameOrNumber) {
  const PopupList& presets = PresetList();
  if (std::optional<double> number = ParseNumber(nameOrNumber)) {
    if (*number >= 0 && *number < double(presets.entries.size()) && *number == std::trunc(*number))
      return int32_t(*number);
    return std::nullopt;
  }
  return FindEntry(presets, nameOrNumber);
}

RecordBytes DefaultRecord() {
  RecordBytes record(kRecordSize, 0);
  for (const RecordField& field : kFields)
    if (field.hasDefault) SetField(record, field, field.defaultValue);
  return record;
}

double GetField(const RecordBytes& record, const RecordField& field) {
  if (field.type == FieldType::kFloat) {
    float value;
    std::memcpy(&value, record.data() + field.offset, 4);
    return value;
  }
  int32_t value;
  std::memcpy(&value, record.data() + field.offset, 4);
  return value;
}

void SetField(RecordBytes& record, const RecordField& field, double value) {
  if (field.type == FieldType::kFloat) {
    float stored = float(value);
    std::memcpy(record.data() + field.offset, &stored, 4);
  } else {
    int32_t stored = int32_t(std::trunc(value));
    std::memcpy(record.data() + field.offset, &stored, 4);
  }
}

std::string FormatFieldValue(const RecordField& field, double value) {
  if (field.type != FieldType::kFloat) return std::to_string(int64_t(value));
  char text[32];
  auto [end, ec] = std::to_chars(text, text + sizeof text, float(value));
  (void)ec;
  return std::string(text, end);
}

namespace {
std::string RangeText(const RecordField& field) {
  return FormatFieldValue(field, field.minimum) + " to " + FormatFieldValue(field, field.maximum);
}
}  // namespace

double ParseFieldValue(const RecordField& field, const std::string& text) {
  std::optional<double> value = ParseNumber(text);
  if (!value && field.type == FieldType::kFlag) {
    std::string word = Lower(Trim(text));
    if (word == "on" || word == "true" || word == "yes") value = 1;
    if (word == "off" || word == "false" || word == "no") value = 0;
  }
  if (!value) {
    if (const PopupList* list = ListOfField(field.name)) {
      if (std::optional<int32_t> entry = FindEntry(*list, text)) return *entry;
      throw ToolError(kExitBadSettings, std::string("field ") + field.name + ": \"" + text +
                                            "\" is not an entry of its list");
    }
    throw ToolError(kExitBadSettings,
                    std::string("field ") + field.name + ": \"" + text + "\" is not a number");
  }
  if (!std::isfinite(*value))
    throw ToolError(kExitBadSettings,
                    std::string("field ") + field.name + ": " + text + " is not a finite number");
  if (field.type != FieldType::kFloat && *value != std::trunc(*value))
    throw ToolError(kExitBadSettings,
                    std::string("field ") + field.name + ": " + text + " is not a whole number");
  if (*value < field.minimum || *value > field.maximum)
    throw ToolError(kExitBadSettings, std::string("field ") + field.name + ": " + text +
                                          " is outside its range " + RangeText(field));
  return *value;
}

}  // namespace quibtool
