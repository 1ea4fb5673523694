// The tracker pads: values from the mouse's place across the document, only while the
// button-down modifier is reported.
#include "DialogFixture.h"

namespace dialogtest {
namespace {

using simhost::user::Accept;
using simhost::user::Track;

constexpr uint32_t kDown = kDlgModifierButtonDown;

struct PadCase {
  const char* name;
  int32_t page;
  int32_t pad;
  HostIntPoint point;  // view pixels; the view's top-left is the document's top-left
  uint32_t modifiers;
  float width, height;
  std::vector<std::pair<int32_t, double>> spinEdits;  // item, value after the press
  int pressFeedback;
};

class PadTest : public DialogTest, public ::testing::WithParamInterface<PadCase> {};

TEST_P(PadTest, SetsTheValueFromTheMousesPlace) {
  const PadCase& c = GetParam();
  doc().width = c.width;
  doc().height = c.height;
  doc().view.topLeft = {0, c.height};
  MeshParams kept = FirstUseRecord();
  kept.page = c.page;
  Keep(kept);
  ASSERT_EQ(GetParameters({Track(c.pad, c.point, c.modifiers), Accept()}), kHostNoErr);
  ASSERT_TRUE(Shown().IgnoredActions().empty()) << Shown().IgnoredActions().front();
  for (const auto& [item, value] : c.spinEdits) {
    EXPECT_FLOAT_EQ(Item(item).value, value) << "spin edit " << item;
  }
  EXPECT_EQ(Item(c.pad).pressFeedback, c.pressFeedback);
  MeshParams stored = Kept();
  EXPECT_FLOAT_EQ(stored.channel1, float(Item(4).value));
  EXPECT_FLOAT_EQ(stored.jitterX, float(Item(8).value));
  EXPECT_FLOAT_EQ(stored.jitterY, float(Item(9).value));
  EXPECT_FLOAT_EQ(stored.interpolation, float(Item(16).value));
}

INSTANTIATE_TEST_SUITE_P(
    Presses, PadTest,
    ::testing::Values(
        PadCase{"WithoutButtonDown", 1, 150, {0, 0}, 0, 612, 792, {{4, 45}}, 0},
        PadCase{"OtherModifiersOnly", 1, 150, {0, 0}, 0xFFFF & ~kDown, 612, 792, {{4, 45}}, 0},
        PadCase{"HalfWidthGivesZero", 1, 150, {306, 10}, kDown, 612, 792, {{4, 0}}, 1},
        PadCase{"LeftEdge", 1, 151, {0, 10}, kDown, 612, 792, {{5, -400}}, 1},
        PadCase{"RightEdge", 1, 153, {612, 10}, kDown, 612, 792, {{7, 400}}, 1},
        PadCase{"BeyondTheDocumentIsLimited", 1, 152, {1224, 10}, kDown, 612, 792, {{6, 400}}, 1},
        PadCase{"Interpolation", 2, 155, {153, 10}, kDown, 612, 792, {{16, -50}}, 1},
        PadCase{"JitterAtTheTop", 2, 154, {306, 0}, kDown, 612, 792, {{8, 0}, {9, 100}}, 1},
        PadCase{"JitterLowerDown", 2, 154, {459, 594}, kDown, 612, 792, {{8, 50}, {9, -50}}, 1},
        PadCase{"ZeroSizedDocument", 2, 154, {306, 10}, kDown, 0, 0, {{8, -100}, {9, -100}}, 1}),
    CaseName());

TEST_F(DialogTest, DragRunsAPreviewForEveryEvent) {
  host().dialogs.snapshotDocuments = true;
  std::vector<simhost::DialogAction> actions =
      simhost::user::Drag(150, {{0, 10}, {306, 10}, {612, 10}}, kDown);
  actions.push_back(Accept());
  ASSERT_EQ(GetParameters(actions), kHostNoErr);
  const auto& steps = Shown().steps;
  ASSERT_EQ(steps.size(), 4u);
  std::vector<double> values;
  for (size_t n = 0; n < 3; ++n) {
    for (const simhost::ItemRecord& item : steps[n].items) {
      if (item.id == 4) values.push_back(item.value);
    }
  }
  EXPECT_EQ(values, (std::vector<double>{-400, 0, 400}));
  EXPECT_FALSE(SameDocument(steps[0].document, steps[2].document));
  EXPECT_EQ(Kept().channel1, 400);
}

}  // namespace
}  // namespace dialogtest
