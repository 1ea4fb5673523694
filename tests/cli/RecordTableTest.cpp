// The tool's own table of the record must match the module's record layout.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "MeshParams.h"
#include "RecordFields.h"
#include "ToolError.h"

namespace quibtool {
namespace {

struct ModuleField {
  const char* name;
  size_t offset;
  bool isFloat;
};

#define QUIB_FIELD(n) \
  { #n, offsetof(MeshParams, n), std::is_same_v < decltype(MeshParams::n), float> }
const ModuleField kModuleFields[] = {
    QUIB_FIELD(interpolation),
    QUIB_FIELD(channel1),
    QUIB_FIELD(channel2),
    QUIB_FIELD(channel3),
    QUIB_FIELD(channel4),
    QUIB_FIELD(jitterX),
    QUIB_FIELD(jitterY),
    QUIB_FIELD(scaleX),
    QUIB_FIELD(scaleY),
    QUIB_FIELD(angle),
    QUIB_FIELD(brightness),
    QUIB_FIELD(moveX),
    QUIB_FIELD(moveY),
    QUIB_FIELD(colorNodeFactorI),
    QUIB_FIELD(colorNodeFactorJ),
    QUIB_FIELD(pointNodeFactorI),
    QUIB_FIELD(pointNodeFactorJ),
    QUIB_FIELD(swapNode),
    QUIB_FIELD(wrap),
    QUIB_FIELD(randomColors),
    QUIB_FIELD(randomAngle),
    QUIB_FIELD(randomScale),
    QUIB_FIELD(interpolationTarget),
    QUIB_FIELD(preset),
    QUIB_FIELD(page),
    QUIB_FIELD(colorMode),
    QUIB_FIELD(colorOperation),
    QUIB_FIELD(pointMode),
    QUIB_FIELD(tangentMode),
    QUIB_FIELD(isolateNodeI),
    QUIB_FIELD(isolateNodeJ),
    QUIB_FIELD(randomOpacity),
    QUIB_FIELD(randomBlend),
    QUIB_FIELD(randomShift),
    QUIB_FIELD(randomApplyColor1),
    QUIB_FIELD(randomApplyColor2),
    QUIB_FIELD(randomApplyJitter1),
    QUIB_FIELD(randomApplyJitter2),
    QUIB_FIELD(randomColorCombo),
    QUIB_FIELD(randomJitterCombos),
    QUIB_FIELD(viewZoom),
    QUIB_FIELD(preview),
    QUIB_FIELD(fromGo),
    QUIB_FIELD(previewShown),
    QUIB_FIELD(dialogLeft),
    QUIB_FIELD(dialogTop),
    QUIB_FIELD(dialogRight),
    QUIB_FIELD(dialogBottom),
    QUIB_FIELD(dialogBoundsValid),
};
#undef QUIB_FIELD

TEST(RecordTable, MatchesTheModulesLayoutFieldByField) {
  const std::vector<RecordField>& fields = RecordFields();
  ASSERT_EQ(fields.size(), std::size(kModuleFields));
  static_assert(kRecordSize == sizeof(MeshParams));
  for (size_t n = 0; n < fields.size(); ++n) {
    SCOPED_TRACE(kModuleFields[n].name);
    EXPECT_STREQ(fields[n].name, kModuleFields[n].name);
    EXPECT_EQ(fields[n].offset, kModuleFields[n].offset);
    EXPECT_EQ(fields[n].type == FieldType::kFloat, kModuleFields[n].isFloat);
  }
}

TEST(RecordTable, ListsHaveTheRangesOfTheirFields) {
  for (const PopupList& list : PopupLists()) {
    const RecordField* field = FindField(list.field);
    ASSERT_NE(field, nullptr) << list.field;
    EXPECT_EQ(field->control, list.item) << list.field;
    EXPECT_EQ(field->minimum, 0) << list.field;
    EXPECT_EQ(field->maximum, double(list.entries.size() - 1)) << list.field;
    for (const char* entry : list.entries) EXPECT_EQ(entry[0], ' ') << entry;
  }
}

struct ValueCase {
  const char* field;
  const char* text;
  double value;         // when the text is accepted
  const char* problem;  // a part of the message when it is refused, else null
};

TEST(RecordTable, ParsesValuesWithinTheirControlsRange) {
  const ValueCase cases[] = {
      {"jitterX", "20", 20, nullptr},
      {"jitterX", "-600", -600, nullptr},
      {"jitterX", "600.5", 0, "jitterX: 600.5 is outside its range -600 to 600"},
      {"interpolation", "-100.01", 0, "outside its range -100 to 200"},
      {"viewZoom", "0.5", 0, "outside its range 1 to 500"},
      {"jitterX", "abc", 0, "\"abc\" is not a number"},
      {"jitterX", "inf", 0, "not a finite number"},
      {"jitterX", "nan", 0, "not a finite number"},
      {"jitterX", "", 0, "not a number"},
      {"isolateNodeI", "-1", -1, nullptr},
      {"isolateNodeI", "-2", 0, "outside its range -1 to 500"},
      {"isolateNodeJ", "1.5", 0, "not a whole number"},
      {"wrap", "on", 1, nullptr},
      {"wrap", "false", 0, nullptr},
      {"wrap", "2", 0, "outside its range 0 to 1"},
      {"colorMode", "Dotty", 3, nullptr},
      {"colorMode", "grad 7", 27, nullptr},
      {"colorMode", "29", 29, nullptr},
      {"colorMode", "30", 0, "outside its range 0 to 29"},
      {"pointMode", "Accumulate", 19, nullptr},
      {"colorOperation", "Accumulate", 5, nullptr},
      {"tangentMode", "Pattern 14", 0, "is not an entry of its list"},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(std::string(c.field) + "=" + c.text);
    const RecordField* field = FindField(c.field);
    ASSERT_NE(field, nullptr);
    if (!c.problem) {
      EXPECT_EQ(ParseFieldValue(*field, c.text), c.value);
      continue;
    }
    try {
      ParseFieldValue(*field, c.text);
      ADD_FAILURE() << "accepted";
    } catch (const ToolError& error) {
      EXPECT_EQ(error.status(), kExitBadSettings);
      EXPECT_NE(std::string(error.what()).find(c.problem), std::string::npos) << error.what();
    }
  }
}

TEST(RecordTable, FindsPresetsByNameOrNumber) {
  const std::pair<const char*, int> cases[] = {
      {"Wave jitter", 5},
      {" Wave jitter", 5},
      {"wave JITTER", 5},
      {"Random jitter mode", 20},
      {"Random jitter mode 1", 21},
      {"0", 0},
      {"22", 22},
      {"23", -1},
      {"-1", -1},
      {"1.5", -1},
      {"Nothing", -1},
      {"", -1},
  };
  for (const auto& [text, expected] : cases) {
    std::optional<int32_t> found = FindPreset(text);
    EXPECT_EQ(found ? *found : -1, expected) << "\"" << text << "\"";
  }
}

TEST(RecordTable, DefaultRecordStoresEachTypeInItsOwnForm) {
  RecordBytes record = DefaultRecord();
  ASSERT_EQ(record.size(), kRecordSize);
  float interpolation;
  int32_t isolate, page;
  std::memcpy(&interpolation, record.data() + 0, 4);
  std::memcpy(&isolate, record.data() + 116, 4);
  std::memcpy(&page, record.data() + 96, 4);
  EXPECT_EQ(interpolation, 100.0f);
  EXPECT_EQ(isolate, -1);
  EXPECT_EQ(page, 1);
  SetField(record, *FindField("isolateNodeI"), -0.9);  // integers are cut toward zero
  EXPECT_EQ(GetField(record, *FindField("isolateNodeI")), 0);
}

}  // namespace
}  // namespace quibtool
