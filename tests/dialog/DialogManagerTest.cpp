// The simulated dialog manager on its own: templates, item values and limits, scripted
// users, tracking and the checks it makes on the module's references.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "simhost/SimHost.h"

namespace {

using namespace simhost;

// The suites as a module would hold them, and the init procedure's body for a test.
const DlgDialogSuite* gDialog = nullptr;
const DlgItemSuite* gItem = nullptr;
const DlgTrackerSuite* gTracker = nullptr;
std::function<void(DlgDialogRef)> gInit;

HostErr HOSTAPI RunInit(DlgDialogRef dialog) {
  if (gInit) gInit(dialog);
  return kHostNoErr;
}

class DialogManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DialogTemplate box;
    box.resourceId = 500;
    box.caption = "Box";
    box.width = 100;
    box.height = 80;
    DialogItemTemplate ok;
    ok.id = 1;
    ok.kind = "button";
    ok.style = 1;  // default push button
    ok.text = "OK";
    ok.x = 10, ok.y = 50, ok.width = 40, ok.height = 14;
    DialogItemTemplate label;
    label.id = 65535;
    label.kind = "static";
    label.text = "Message";
    box.items = {ok, label};
    host_.module.resources.dialogs[500] = box;
    gDialog =
        static_cast<const DlgDialogSuite*>(Acquire(kDlgDialogSuiteName, kDlgDialogSuiteVersion));
    gItem = static_cast<const DlgItemSuite*>(Acquire(kDlgItemSuiteName, kDlgItemSuiteVersion));
    gTracker =
        static_cast<const DlgTrackerSuite*>(Acquire(kDlgTrackerSuiteName, kDlgTrackerSuiteVersion));
  }
  void TearDown() override { gInit = nullptr; }

  const void* Acquire(const char* name, int32_t version) {
    const void* suite = nullptr;
    EXPECT_EQ(host_.suites.Acquire(name, version, &suite), kHostNoErr) << name;
    return suite;
  }

  int32_t Run(std::vector<DialogAction> actions, bool scripted = true) {
    if (scripted) host_.dialogs.QueueScript("box", std::move(actions));
    return gDialog->Modal(nullptr, "box", 500, 0, RunInit, nullptr);
  }
  std::vector<std::string> BreachKinds() {
    std::vector<std::string> kinds;
    for (const Breach& breach : host_.suites.Breaches()) kinds.push_back(breach.kind);
    return kinds;
  }

  SimHost host_;
};

TEST_F(DialogManagerTest, UnscriptedDialogIsAcceptedWithItsTemplateItems) {
  EXPECT_EQ(Run({}, false), 1);
  const DialogRecord& shown = host_.dialogs.Shown().back();
  EXPECT_FALSE(shown.scripted);
  EXPECT_EQ(shown.caption, "Box");
  ASSERT_EQ(shown.items.size(), 2u);
  EXPECT_EQ(shown.items[0].kind, kDlgTextPushButtonType);
  EXPECT_EQ(shown.items[1].kind, kDlgTextStaticType);
  EXPECT_EQ(shown.items[1].id, -1);
  EXPECT_EQ(shown.items[1].text, "Message");
  EXPECT_EQ(shown.items[0].bounds.left, 15) << "dialog units become pixels";
  EXPECT_TRUE(BreachKinds().empty());
}

TEST_F(DialogManagerTest, SpinEditLimitsAndFormatsItsValue) {
  struct Case {
    const char* how;
    std::function<void(DlgItemRef)> set;
    double value;
    const char* text;
  };
  const std::vector<Case> cases = {
      {"within", [](DlgItemRef i) { gItem->SetFloatValue(i, 12.345f); }, 12.345f, "12.35"},
      {"above", [](DlgItemRef i) { gItem->SetFloatValue(i, 900); }, 400, "400.00"},
      {"below", [](DlgItemRef i) { gItem->SetIntValue(i, -900); }, -400, "-400.00"},
      {"text", [](DlgItemRef i) { gItem->SetText(i, "-7.5"); }, -7.5, "-7.50"},
      {"not a number", [](DlgItemRef i) { gItem->SetText(i, "abc"); }, 0, "0.00"},
  };
  for (const Case& c : cases) {
    gInit = [&](DlgDialogRef dialog) {
      HostIntRect bounds{0, 0, 60, 20};
      DlgItemRef item = gDialog->CreateItem(dialog, 4, kDlgSpinEditType, &bounds, nullptr, nullptr);
      gItem->SetMinFloatValue(item, -400);
      gItem->SetMaxFloatValue(item, 400);
      gItem->SetPrecision(item, 2);
      c.set(item);
    };
    Run({DialogAction{ActionKind::kAccept}});
    const ItemRecord* item = host_.dialogs.Shown().back().Item(4);
    ASSERT_NE(item, nullptr);
    EXPECT_FLOAT_EQ(float(item->value), float(c.value)) << c.how;
    EXPECT_EQ(item->text, c.text) << c.how;
  }
}

TEST_F(DialogManagerTest, UserCannotReachHiddenOrDisabledItems) {
  gInit = [](DlgDialogRef dialog) {
    HostIntRect bounds{0, 0, 60, 20};
    DlgItemRef hidden =
        gDialog->CreateItem(dialog, 7, kDlgTextCheckBoxType, &bounds, nullptr, nullptr);
    gItem->Show(hidden, 0);
    gItem->Enable(gDialog->GetItem(dialog, 1), 0);
  };
  EXPECT_EQ(Run({user::Check(7, true), user::Accept(), user::Check(9, true)}), kClosedByWindow);
  const DialogRecord& shown = host_.dialogs.Shown().back();
  EXPECT_EQ(shown.IgnoredActions(),
            (std::vector<std::string>{"item 7 is hidden", "item 1 is disabled", "no item 9"}));
  EXPECT_TRUE(shown.scriptEndedOpen);
  EXPECT_EQ(shown.Item(7)->value, 0);
}

TEST_F(DialogManagerTest, OnlyAUsersClickTogglesACheckBox) {
  gInit = [](DlgDialogRef dialog) {
    HostIntRect bounds{0, 0, 60, 20};
    DlgItemRef box =
        gDialog->CreateItem(dialog, 7, kDlgTextCheckBoxType, &bounds, nullptr, nullptr);
    gItem->SetNotifyProc(box, [](DlgItemRef item, DlgNotifierRef notifier) {
      gItem->DefaultNotify(item, notifier);
    });
    gItem->SendNotify(box, kDlgUserChangedNotifier);  // from code: no toggle
  };
  host_.dialogs.onStep = [](const DialogRecord&, const StepRecord& step) {
    EXPECT_EQ(step.items.back().value, 1) << "the click ticked the box";
  };
  EXPECT_EQ(Run({user::Check(7, true), user::Accept()}), 1);
  EXPECT_EQ(host_.dialogs.Shown().back().Item(7)->value, 1);
}

TEST_F(DialogManagerTest, TrackerAnswersForTheEventInProgress) {
  static HostIntPoint seen{0, 0};
  static uint32_t modifiers = 0;
  gInit = [](DlgDialogRef dialog) {
    HostIntRect bounds{0, 0, 20, 20};
    DlgItemRef pad =
        gDialog->CreateItem(dialog, 150, kDlgPicturePushButtonType, &bounds, nullptr, nullptr);
    gItem->SetTrackProc(pad, [](DlgItemRef, DlgTrackerRef) -> int32_t {
      gTracker->GetPoint(nullptr, &seen);
      modifiers = gTracker->GetModifiers(nullptr);
      return 1;
    });
  };
  EXPECT_EQ(Run({user::Track(150, {7, 9}, 0x21), user::Accept()}), 1);
  EXPECT_EQ(seen.h, 7);
  EXPECT_EQ(seen.v, 9);
  EXPECT_EQ(modifiers, 0x21u);
  EXPECT_TRUE(BreachKinds().empty());

  HostIntPoint outside{0, 0};
  gTracker->GetPoint(nullptr, &outside);
  EXPECT_EQ(BreachKinds(), (std::vector<std::string>{"no tracking in progress"}));
}

TEST_F(DialogManagerTest, BadReferencesAreBreaches) {
  static DlgItemRef kept = nullptr;
  gInit = [](DlgDialogRef dialog) {
    EXPECT_EQ(gDialog->GetItem(dialog, 42), nullptr);
    kept = gDialog->GetItem(dialog, 1);
  };
  Run({user::Accept()});
  gItem->Show(kept, 1);  // its dialog has closed
  gItem->Show(nullptr, 1);
  EXPECT_EQ(BreachKinds(), (std::vector<std::string>{"dialog item does not exist",
                                                     "dialog item not alive", "null dialog item"}));
}

TEST_F(DialogManagerTest, MissingTemplateIsABreachAndTheDialogStaysShut) {
  EXPECT_EQ(gDialog->Modal(nullptr, "none", 999, 0, RunInit, nullptr), kClosedByWindow);
  EXPECT_EQ(BreachKinds(), (std::vector<std::string>{"dialog template missing"}));
}

TEST(ActionKindNames, ReadBackAsTheirKind) {
  for (ActionKind kind : {ActionKind::kSet, ActionKind::kCheck, ActionKind::kChoose,
                          ActionKind::kPress, ActionKind::kTrack, ActionKind::kMove,
                          ActionKind::kAccept, ActionKind::kCancel, ActionKind::kClose}) {
    ActionKind parsed = ActionKind::kAccept;
    ASSERT_TRUE(ParseActionKind(ActionKindName(kind), &parsed)) << ActionKindName(kind);
    EXPECT_EQ(parsed, kind);
  }
  ActionKind parsed;
  EXPECT_FALSE(ParseActionKind("dance", &parsed));
}

}  // namespace
