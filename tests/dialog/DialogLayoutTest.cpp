// What the parameter dialog shows when it opens: its items, pages, lists and position.
#include <algorithm>

#include "DialogFixture.h"

namespace dialogtest {
namespace {

using simhost::user::Accept;
using simhost::user::Choose;
using simhost::user::Press;

std::vector<int32_t> Sorted(std::vector<int32_t> ids) {
  std::sort(ids.begin(), ids.end());
  return ids;
}

TEST_F(DialogTest, NewRecordOpensOnColorsWithTheFirstUseSettings) {
  ASSERT_EQ(GetParameters({Accept()}), kHostNoErr);
  const simhost::DialogRecord& shown = Shown();
  EXPECT_EQ(shown.resourceId, 16100);
  EXPECT_EQ(shown.caption, "Mesh Plug-in (Requires mesh to be pre-selected)");
  EXPECT_EQ(shown.result, 1);

  struct ListShown {
    int32_t id;
    const char* text;
  };
  for (const ListShown& list : std::vector<ListShown>{{64, " Reset"},
                                                      {60, " Horizontal lines"},
                                                      {61, " Color tweak"},
                                                      {62, " Basic jitter"},
                                                      {63, " Shift/jitter pattern"},
                                                      {65, " Interpolation: Mesh center"}}) {
    EXPECT_EQ(Item(list.id).text, list.text) << "list " << list.id;
  }
  EXPECT_EQ(Item(3).value, 1) << "Preview ticked";
  for (int32_t id = 30; id <= 43; ++id) EXPECT_EQ(Item(id).value, 0) << "switch " << id;
  EXPECT_EQ(Item(135).font, kDlgFontBold);
  for (int32_t id = 136; id <= 139; ++id) EXPECT_EQ(Item(id).font, kDlgFontDefault) << id;

  // Centred on the host's screen, at the dialog's own size.
  const HostIntRect& screen = host().dialogs.screen;
  EXPECT_EQ(shown.bounds.right - shown.bounds.left, 520);
  EXPECT_EQ(shown.bounds.bottom - shown.bounds.top, 210);
  EXPECT_EQ(shown.bounds.left, (screen.right - screen.left - 520) / 2);
  EXPECT_EQ(shown.bounds.top, (screen.bottom - screen.top - 210) / 2);

  EXPECT_EQ(Differences(FirstUseRecord(), Kept(), RunAndPosition()), "");
  EXPECT_EQ(Kept().previewShown, 1) << "the dialog's first preview ran";
}

TEST_F(DialogTest, ItemsAreCreatedInTheirOrderWithTheirKinds) {
  ASSERT_EQ(GetParameters({Accept()}), kHostNoErr);
  std::vector<int32_t> ids;
  for (const simhost::ItemRecord& item : Shown().items) ids.push_back(item.id);
  const std::vector<int32_t> order = {
      4,   5,   6,   7,   13,  17,  18,  23,  8,   9,   16,  19,  20,  10,  11,  12, 14, 15,
      21,  22,  100, 104, 107, 101, 108, 102, 103, 105, 109, 64,  60,  61,  62,  63, 65, 1,
      2,   80,  81,  3,   30,  31,  32,  33,  37,  38,  42,  34,  35,  36,  39,  40, 43, 41,
      130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 150, 151, 152, 153, 154, 155};
  EXPECT_EQ(ids, order);

  struct KindCase {
    int32_t first, last;
    const char* kind;
  };
  for (const KindCase& c : std::vector<KindCase>{{4, 23, kDlgSpinEditType},
                                                 {30, 43, kDlgTextCheckBoxType},
                                                 {60, 65, kDlgPopupListType},
                                                 {100, 109, kDlgTextStaticType},
                                                 {130, 134, kDlgPicturePushButtonType},
                                                 {135, 139, kDlgTextStaticType},
                                                 {150, 155, kDlgPicturePushButtonType}}) {
    for (int32_t id = c.first; id <= c.last; ++id) {
      if (Shown().Item(id)) {
        EXPECT_EQ(Item(id).kind, c.kind) << "item " << id;
      }
    }
  }
  for (int32_t id : {1, 2, 80, 81}) EXPECT_EQ(Item(id).kind, kDlgTextPushButtonType) << id;
  EXPECT_EQ(Item(1).text, "OK");
  EXPECT_EQ(Item(1).bounds.left, 420);
  EXPECT_EQ(Item(1).bounds.bottom, 30);
  EXPECT_TRUE(Item(1).enabled) << "OK can be pressed";
}

TEST_F(DialogTest, SpinEditsLimitValuesToTheirRanges) {
  struct Range {
    int32_t id;
    double minimum, maximum;
    int32_t decimals;
  };
  const std::vector<Range> ranges = {
      {4, -400, 400, 2},  {5, -400, 400, 2},  {6, -400, 400, 2},    {7, -400, 400, 2},
      {8, -600, 600, 2},  {9, -600, 600, 2},  {10, -600, 600, 2},   {11, -600, 600, 2},
      {12, -360, 360, 2}, {13, -600, 600, 2}, {14, -1600, 1600, 2}, {15, -1600, 1600, 2},
      {16, -100, 200, 2}, {17, -600, 600, 2}, {18, -600, 600, 2},   {19, -600, 600, 2},
      {20, -600, 600, 2}, {21, -1, 500, 0},   {22, -1, 500, 0},     {23, 1, 500, 2},
  };
  ASSERT_EQ(GetParameters({Accept()}), kHostNoErr);
  for (const Range& range : ranges) {
    const simhost::ItemRecord& item = Item(range.id);
    EXPECT_EQ(item.minimum, range.minimum) << "item " << range.id;
    EXPECT_EQ(item.maximum, range.maximum) << "item " << range.id;
    EXPECT_EQ(item.decimals, range.decimals) << "item " << range.id;
    EXPECT_EQ(item.units, kDlgUnitsNone) << "item " << range.id;
  }
  EXPECT_EQ(Item(4).text, "45.00");
  EXPECT_EQ(Item(21).text, "-1");
}

struct PageCase {
  const char* name;
  int32_t keptPage;
  std::vector<int32_t> pageItems;
  int32_t boldLabel;
  int32_t storedPage;
};

class PageTest : public DialogTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PageTest, OpensOnTheKeptPage) {
  const PageCase& c = GetParam();
  MeshParams kept = FirstUseRecord();
  kept.page = c.keptPage;
  kept.preview = 0;
  Keep(kept);
  ASSERT_EQ(GetParameters({Accept()}), kHostNoErr);

  std::vector<int32_t> expected = AllPageItems();
  expected.insert(expected.end(), c.pageItems.begin(), c.pageItems.end());
  EXPECT_EQ(Sorted(Shown().VisibleItems()), Sorted(expected));
  for (int32_t label = 135; label <= 139; ++label) {
    EXPECT_EQ(Item(label).font, label == c.boldLabel ? kDlgFontBold : kDlgFontDefault) << label;
  }
  EXPECT_EQ(Kept().page, c.storedPage);
}

const std::vector<int32_t> kColorsItems = {4,  5,   6,   7,   13,  17,  18,  60,
                                           61, 100, 104, 107, 150, 151, 152, 153};

INSTANTIATE_TEST_SUITE_P(
    Pages, PageTest,
    ::testing::Values(
        PageCase{"Colors", 1, kColorsItems, 135, 1},
        PageCase{"Points", 2, {8, 9, 101, 62, 63, 16, 19, 20, 108, 65, 154, 155}, 136, 2},
        PageCase{"Size", 3, {10, 11, 12, 14, 15, 102, 103, 105}, 137, 3},
        PageCase{"Xtra", 4, {21, 22, 109}, 138, 4},
        PageCase{"Settings", 5, {30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43}, 139, 5},
        PageCase{"Zero", 0, kColorsItems, 135, 1}, PageCase{"Six", 6, kColorsItems, 135, 1},
        PageCase{"Negative", -3, kColorsItems, 135, 1}),
    CaseName());

TEST_F(DialogTest, PageButtonsSwitchPagesWithoutChangingSettingsOrPreviewing) {
  MeshParams kept = FirstUseRecord();
  kept.preview = 0;
  Keep(kept);
  host().dialogs.snapshotDocuments = true;
  ASSERT_EQ(GetParameters({Press(131), Press(131), Press(134), Accept()}), kHostNoErr);
  const auto& steps = Shown().steps;
  ASSERT_EQ(steps.size(), 4u);
  auto visible = [&](size_t step, int32_t id) {
    for (const simhost::ItemRecord& item : steps[step].items) {
      if (item.id == id) return item.visible;
    }
    return false;
  };
  EXPECT_TRUE(visible(0, 8));
  EXPECT_FALSE(visible(0, 4));
  EXPECT_TRUE(visible(1, 8)) << "pressing the shown page's button again keeps it";
  EXPECT_FALSE(visible(2, 8));
  EXPECT_TRUE(visible(2, 30));
  // The NodeFactor labels of Colors and Points never show together.
  for (const simhost::StepRecord& step : steps) {
    bool colors = false, points = false;
    for (const simhost::ItemRecord& item : step.items) {
      colors = colors || (item.id == 107 && item.visible);
      points = points || (item.id == 108 && item.visible);
    }
    EXPECT_FALSE(colors && points);
  }
  EXPECT_TRUE(SameDocument(steps[2].document, original()));
  EXPECT_EQ(Differences(kept, Kept(), RunAndPosition()), "page: 1 -> 5\n");
}

struct ListCase {
  const char* name;
  int32_t item;
  size_t entries;
  const char* firstText;
  const char* lastText;
  int32_t MeshParams::*field;
};

class ListTest : public DialogTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(ListTest, EntriesCarryTheirPositionAndTheLastOneIsStored) {
  const ListCase& c = GetParam();
  MeshParams kept = FirstUseRecord();
  kept.preview = 0;
  kept.page = c.item == 60 || c.item == 61 || c.item == 64 ? 1 : 2;
  Keep(kept);
  ASSERT_EQ(GetParameters({Choose(c.item, int32_t(c.entries) - 1), Accept()}), kHostNoErr);
  const simhost::ItemRecord& list = Item(c.item);
  ASSERT_EQ(list.entries.size(), c.entries);
  EXPECT_EQ(list.entries.front().text, c.firstText);
  EXPECT_EQ(list.entries.back().text, c.lastText);
  for (size_t n = 0; n < list.entries.size(); ++n) {
    EXPECT_EQ(list.entries[n].id, int32_t(n));
    const std::string& text = list.entries[n].text;
    EXPECT_TRUE(text.size() > 1 && text[0] == ' ' && text[1] != ' ') << '"' << text << '"';
  }
  EXPECT_EQ(Kept().*c.field, int32_t(c.entries) - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ListTest,
    ::testing::Values(
        ListCase{"Presets", 64, 23, " Reset", " Jitter reduce", &MeshParams::preset},
        ListCase{"ColorModes", 60, 30, " All points modified", " Cross", &MeshParams::colorMode},
        ListCase{"ColorOperations", 61, 7, " Color tweak", " Ignore original",
                 &MeshParams::colorOperation},
        ListCase{"PointModes", 62, 20, " Basic jitter", " Accumulate", &MeshParams::pointMode},
        ListCase{"TangentModes", 63, 14, " Shift/jitter pattern", " Pattern 13",
                 &MeshParams::tangentMode},
        ListCase{"Targets", 65, 15, " Interpolation: Mesh center", " Accumulate 3",
                 &MeshParams::interpolationTarget}),
    CaseName());

TEST_F(DialogTest, KeptRectangleReopensAtItsPositionAtTheDialogsSize) {
  MeshParams kept = FirstUseRecord();
  kept.dialogLeft = 40;
  kept.dialogTop = 30;
  kept.dialogRight = 100;
  kept.dialogBottom = 90;
  kept.dialogBoundsValid = 1;
  Keep(kept);
  ASSERT_EQ(GetParameters({Accept()}), kHostNoErr);
  const HostIntRect& bounds = Shown().bounds;
  EXPECT_EQ(bounds.left, 40);
  EXPECT_EQ(bounds.top, 30);
  EXPECT_EQ(bounds.right, 40 + 520);
  EXPECT_EQ(bounds.bottom, 30 + 210);
}

}  // namespace
}  // namespace dialogtest
