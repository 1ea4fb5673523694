// Start-up: the globals block and the one filter in the host's filter menu.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "../../plugin/PluginGlobals.h"
#include "TestSupport.h"

namespace {

using quibtest::HostFixture;
using quibtest::UnstartedHostFixture;

TEST_F(HostFixture, StartupListsOneFilterWithTheMeshMenuRule) {
  ASSERT_EQ(host().filters.filters.size(), 1u);
  const simhost::RegisteredFilter& filter = host().filters.filters.front();
  EXPECT_EQ(filter.name, "Quib_Mesh");
  EXPECT_EQ(filter.category, "Ovy <Paths>");
  EXPECT_EQ(filter.title, "Mesh...");
  EXPECT_EQ(filter.options, 0);
  EXPECT_EQ(filter.plugin, host().PluginRef());
  EXPECT_EQ(host().filters.Listing(), "Ovy <Paths> > Mesh...  (Quib_Mesh)\n");

  const simhost::MenuRule& rule = filter.rule;
  ASSERT_TRUE(rule.set);
  EXPECT_EQ(rule.action, 1);
  EXPECT_EQ(std::vector<int32_t>({rule.artworkKinds, rule.notArtworkKinds, rule.selectedKinds,
                                  rule.notSelectedKinds, rule.conditions, rule.notConditions}),
            std::vector<int32_t>({0, 0, 0x400000, 0, 0, 0}));
}

struct MenuCase {
  const char* name;
  std::vector<simhost::ArtObject> art;
  bool enabled;
};

simhost::ArtObject Art(int16_t type, bool selected) {
  simhost::ArtObject art;
  art.type = type;
  art.selected = selected;
  return art;
}

const std::vector<MenuCase>& MenuCases() {
  static const std::vector<MenuCase> cases = {
      {"EmptyDocument", {}, false},
      {"MeshNotSelected", {Art(kHostArtTypeMesh, false)}, false},
      {"OtherArtSelected", {Art(kHostArtTypeOther, true), Art(kHostArtTypeMesh, false)}, false},
      {"MeshSelected", {Art(kHostArtTypeMesh, true)}, true},
      {"MeshAmongOtherSelectedArt",
       {Art(kHostArtTypeOther, true), Art(kHostArtTypeMesh, true)},
       true},
  };
  return cases;
}

class MenuRuleTest : public HostFixture, public ::testing::WithParamInterface<size_t> {};

TEST_P(MenuRuleTest, EntryIsEnabledOnlyWhileAMeshIsSelected) {
  const MenuCase& c = MenuCases()[GetParam()];
  host().document.doc.art = c.art;
  const simhost::RegisteredFilter* filter = host().ModuleFilter();
  ASSERT_NE(filter, nullptr);
  EXPECT_EQ(simhost::FilterMenu::Enabled(*filter, host().document.doc), c.enabled);
}

INSTANTIATE_TEST_SUITE_P(Selections, MenuRuleTest, ::testing::Range<size_t>(0, MenuCases().size()),
                         [](const auto& param) {
                           return std::string(MenuCases()[param.param].name);
                         });

// The host does not clear the globals block: start-up must make it read as nothing
// gathered, with the registered filter's handle.
TEST_F(HostFixture, GlobalsStartWithNothingGathered) {
  ASSERT_EQ(host().UnloadModule(), kHostNoErr);
  const PluginGlobals* globals = static_cast<const PluginGlobals*>(host().KeptGlobals());
  ASSERT_NE(globals, nullptr);
  EXPECT_EQ(globals->selectionCount, -1);
  EXPECT_EQ(globals->selectionHandle, nullptr);
  EXPECT_EQ(globals->filterHandle, host().filters.HandleOf(*host().ModuleFilter()));
  ASSERT_EQ(host().ReloadModule(), kHostNoErr);
}

struct ListEdit {
  const char* name;
  std::function<void(simhost::ModuleResources&)> edit;
  std::vector<std::string> filters;  // "category|title" of each filter listed
};

const std::vector<ListEdit>& ListEdits() {
  static const std::vector<ListEdit> edits = {
      {"AsShipped", [](simhost::ModuleResources&) {}, {"Ovy <Paths>|Mesh..."}},
      {"EmptyFirstEntry", [](simhost::ModuleResources& r) { r.strings.erase(16001); }, {}},
      {"LaterPairsIgnored",
       [](simhost::ModuleResources& r) {
         r.strings[16003] = "Other <Paths>";
         r.strings[16004] = "Second...";
       },
       {"Ovy <Paths>|Mesh..."}},
      // A category of the 64 characters the module reads, and its title, arrive whole.
      {"LongestCategory",
       [](simhost::ModuleResources& r) { r.strings[16001] = std::string(64, 'c'); },
       {std::string(64, 'c') + "|Mesh..."}},
      {"LongerCategoryCut",
       [](simhost::ModuleResources& r) { r.strings[16001] = std::string(70, 'c'); },
       {std::string(64, 'c') + "|Mesh..."}},
  };
  return edits;
}

class ListEditTest : public UnstartedHostFixture, public ::testing::WithParamInterface<size_t> {};

TEST_P(ListEditTest, RegistersTheFirstPairOnly) {
  const ListEdit& c = ListEdits()[GetParam()];
  c.edit(host().module.resources);
  EXPECT_EQ(host().Startup(), kHostNoErr);
  std::vector<std::string> listed;
  for (const simhost::RegisteredFilter& filter : host().filters.filters) {
    listed.push_back(filter.category + "|" + filter.title);
  }
  EXPECT_EQ(listed, c.filters);
  EXPECT_TRUE(host().dialogs.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(FilterList, ListEditTest, ::testing::Range<size_t>(0, ListEdits().size()),
                         [](const auto& param) {
                           return std::string(ListEdits()[param.param].name);
                         });

struct StartupFailure {
  const char* name;
  const char* suite;
  const char* operation;
  size_t filtersListed;  // a filter added before the failure stays added, without a rule
};

const StartupFailure kStartupFailures[] = {
    {"NoGlobalsBlock", "SP Blocks Suite", "AllocateBlock", 0},
    {"FilterRefused", "AI Filter Suite", "AddFilter", 0},
    {"NoMenuItem", "AI Filter Suite", "GetFilterMenuItem", 1},
    {"RuleRefused", "AI Menu Suite", "UpdateMenuItemAutomatically", 1},
    {"CategoryUnreadable", "ADM Basic Suite", "GetIndexString", 0},
};

class StartupFailureTest : public UnstartedHostFixture,
                           public ::testing::WithParamInterface<StartupFailure> {};

TEST_P(StartupFailureTest, FailsWithTheHostsCodeAndReportsIt) {
  const StartupFailure& c = GetParam();
  host().suites.AddFault({c.suite, c.operation, 1, kHostOutOfMemoryErr});
  EXPECT_EQ(host().Startup(), kHostOutOfMemoryErr);
  ASSERT_EQ(host().filters.filters.size(), c.filtersListed);
  if (c.filtersListed > 0) {
    EXPECT_FALSE(host().filters.filters.front().rule.set);
  }
  const simhost::DialogRecord* error = host().dialogs.LastShown("Error Dialog");
  ASSERT_NE(error, nullptr);
  ASSERT_NE(error->Item(3), nullptr);
  EXPECT_EQ(error->Item(3)->text, "-108");
  host().suites.ClearFaults();
}

INSTANTIATE_TEST_SUITE_P(Steps, StartupFailureTest, ::testing::ValuesIn(kStartupFailures),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
