// The module's compiled resources, read the way the host reads them, and the host's
// checks of a module's PiPL before it loads the library.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(simhost::ReadModuleResources(quibtest::ModulePath(), resources_), "");
  }
  simhost::ModuleResources resources_;
};

std::vector<uint8_t> Bytes(const char* text) { return {text, text + std::strlen(text)}; }

void Append(std::vector<uint8_t>& bytes, uint32_t value, int width) {
  for (int n = 0; n < width; ++n) bytes.push_back(uint8_t(value >> (8 * n)));
}

// One property: vendor "ADBE" and the key as stored (little-endian, so reversed), id 0,
// the data's length, the data.
void AppendProperty(std::vector<uint8_t>& bytes, const char* storedKey,
                    const std::vector<uint8_t>& data) {
  std::vector<uint8_t> head = Bytes("EBDA"), key = Bytes(storedKey);
  bytes.insert(bytes.end(), head.begin(), head.end());
  bytes.insert(bytes.end(), key.begin(), key.end());
  Append(bytes, 0, 4);
  Append(bytes, uint32_t(data.size()), 4);
  bytes.insert(bytes.end(), data.begin(), data.end());
}

TEST_F(ResourcesTest, PiplIsTheSeventyNineBytesTheHostExpects) {
  std::vector<uint8_t> expected;
  Append(expected, 1, 2);  // leading word
  Append(expected, 0, 4);  // version
  Append(expected, 3, 4);  // properties
  AppendProperty(expected, "dnik", Bytes("AEPS"));
  AppendProperty(expected, "srvi", {2, 0, 0, 0});
  std::vector<uint8_t> entry = Bytes("PluginMain");
  entry.resize(12);  // two zero bytes after the name
  AppendProperty(expected, "68xw", entry);
  Append(expected, 0, 1);  // trailing byte
  ASSERT_EQ(expected.size(), 79u);

  const std::vector<uint8_t>* pipl = resources_.Find("PIPL", 16000);
  ASSERT_NE(pipl, nullptr);
  EXPECT_EQ(*pipl, expected);

  simhost::PiPLInfo info;
  ASSERT_EQ(simhost::ParsePiPL(*pipl, info), "");
  EXPECT_EQ(info.kind, "SPEA");
  EXPECT_EQ(info.interfaceVersion, 2);
  EXPECT_EQ(info.entryPoint, "PluginMain");
  EXPECT_EQ(info.properties, (std::vector<std::string>{"ADBE/kind", "ADBE/ivrs", "ADBE/wx86"}));
}

TEST_F(ResourcesTest, StringListsHoldTheirEntriesAndEnd) {
  const std::vector<std::pair<int32_t, std::string>>& expected = quibtest::ShippedStrings();
  std::vector<std::pair<int32_t, std::string>> actual(resources_.strings.begin(),
                                                      resources_.strings.end());
  EXPECT_EQ(actual, expected);
}

struct ItemExpectation {
  int32_t id;
  const char* kind;
  int16_t x, y, width, height;
  const char* text;        // null: any text
  bool labelOnly = false;  // the text begins with this label and goes on with our own
};

struct DialogExpectation {
  const char* name;
  int32_t id;
  const char* caption;
  int16_t width, height;
  std::vector<ItemExpectation> items;
};

const std::vector<DialogExpectation>& Dialogs() {
  static const std::vector<DialogExpectation> dialogs = {
      {"Error",
       16051,
       "Plug-in Error",
       185,
       92,
       {{1, "button", 127, 65, 50, 14, "OK"},
        {2, "static", 43, 12, 126, 28, "Message"},
        {3, "static", 13, 66, 30, 8, "Code"},
        {4, "static", 10, 10, 18, 20, ""}}},
      {"About",
       16050,
       "Mesh Plugin About",
       273,
       129,
       {{1, "button", 103, 106, 45, 14, "&OK"},
        {65535, "static", 9, 5, 246, 8, nullptr},
        {65535, "static", 9, 18, 208, 8, "For ", true},
        {65535, "static", 9, 31, 219, 8, "Version Number: ", true},
        {65535, "static", 9, 44, 214, 8, "Release Date: ", true},
        {65535, "static", 9, 57, 236, 8, "Development: ", true},
        {65535, "static", 9, 70, 232, 8, "Web Site: ", true},
        {65535, "static", 9, 82, 246, 8, "Support/Technical e-mails: ", true}}},
      {"Parameters", 16100, "Mesh Plug-in (Requires mesh to be pre-selected)", 256, 154, {}},
  };
  return dialogs;
}

class DialogTemplateTest : public ResourcesTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(DialogTemplateTest, TemplateHoldsItsCaptionSizeFontAndItems) {
  const DialogExpectation& expected = Dialogs()[GetParam()];
  auto found = resources_.dialogs.find(expected.id);
  ASSERT_NE(found, resources_.dialogs.end());
  const simhost::DialogTemplate& dialog = found->second;
  EXPECT_EQ(dialog.caption, expected.caption);
  EXPECT_EQ(dialog.width, expected.width);
  EXPECT_EQ(dialog.height, expected.height);
  EXPECT_EQ(dialog.fontSize, 8);
  EXPECT_EQ(dialog.fontName, "MS Sans Serif");
  // Popup, visible, caption, system menu, modal frame, font given in the template.
  EXPECT_EQ(dialog.style, 0x80000000u | 0x10000000u | 0x00C00000u | 0x00080000u | 0x80u | 0x40u);

  ASSERT_EQ(dialog.items.size(), expected.items.size());
  for (size_t n = 0; n < expected.items.size(); ++n) {
    const simhost::DialogItemTemplate& item = dialog.items[n];
    const ItemExpectation& want = expected.items[n];
    SCOPED_TRACE("item " + std::to_string(n));
    EXPECT_EQ(item.id, want.id);
    EXPECT_EQ(item.kind, want.kind);
    EXPECT_EQ(std::vector<int16_t>({item.x, item.y, item.width, item.height}),
              std::vector<int16_t>({want.x, want.y, want.width, want.height}));
    if (want.text != nullptr) {
      if (want.labelOnly) {
        EXPECT_EQ(item.text.rfind(want.text, 0), 0u) << item.text;
        EXPECT_GT(item.text.size(), std::strlen(want.text)) << item.text;
      } else {
        EXPECT_EQ(item.text, want.text);
      }
    }
    if (want.id == 1) {
      EXPECT_EQ(item.style & 0xF, 1u) << "OK is the default button";
    }
  }
}

// The error dialog's decoration is a black frame.
TEST_F(ResourcesTest, ErrorDialogFrameIsBlack) {
  const simhost::DialogTemplate& dialog = resources_.dialogs.at(16051);
  ASSERT_EQ(dialog.items.size(), 4u);
  EXPECT_EQ(dialog.items[3].style & 0x1F, 7u);
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogTemplateTest,
                         ::testing::Range<size_t>(0, Dialogs().size()), [](const auto& param) {
                           return std::string(Dialogs()[param.param].name);
                         });

TEST_F(ResourcesTest, VersionResourceDescribesADebugDllForWindows) {
  ASSERT_TRUE(resources_.hasVersion);
  const simhost::VersionInfo& version = resources_.version;
  EXPECT_EQ(std::vector<uint16_t>(version.fileVersion, version.fileVersion + 4),
            (std::vector<uint16_t>{1, 0, 0, 1}));
  EXPECT_EQ(std::vector<uint16_t>(version.productVersion, version.productVersion + 4),
            (std::vector<uint16_t>{1, 0, 0, 1}));
  EXPECT_EQ(version.fileFlags & version.fileFlagsMask, 1u);  // debug build
  EXPECT_EQ(version.fileOS, 4u);                             // 32-bit Windows
  EXPECT_EQ(version.fileType, 2u);                           // dynamic library
  EXPECT_EQ(version.language, 0x409);
  ASSERT_EQ(version.strings.count("040904b0"), 1u);
  const auto& strings = version.strings.at("040904b0");
  EXPECT_EQ(strings.at("Comments"),
            "Plugin To manipulate the gradient mesh/envelope - requires a mesh to be pre selected");
  EXPECT_EQ(strings.at("OriginalFilename"), "QuibMesh.aip");
  EXPECT_EQ(version.translations, (std::vector<std::pair<uint16_t, uint16_t>>{{0x409, 1200}}));
}

// A copy of the module whose compiled resources are edited, to see what the host
// refuses before it loads the library.
class EditedModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quib-resources-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    fs::path source = quibtest::ModulePath();
    module_ = dir_ / source.filename();
    fs::copy_file(source, module_, fs::copy_options::overwrite_existing);
    std::ifstream in(simhost::ResourceFileBeside(source.string()), std::ios::binary);
    res_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    ASSERT_FALSE(res_.empty());
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Replaces the first occurrence of `from` in the resource file with `to`.
  void Patch(const std::vector<uint8_t>& from, const std::vector<uint8_t>& to) {
    auto at = std::search(res_.begin(), res_.end(), from.begin(), from.end());
    ASSERT_NE(at, res_.end());
    std::copy(to.begin(), to.end(), at);
  }
  void WriteResources(size_t keep) {
    std::ofstream out(simhost::ResourceFileBeside(module_.string()), std::ios::binary);
    out.write(reinterpret_cast<const char*>(res_.data()), std::streamsize(keep));
  }

  fs::path dir_, module_;
  std::vector<uint8_t> res_;
};

struct RefusedCase {
  const char* name;
  std::vector<uint8_t> from, to;  // bytes of the PiPL and what they become
  const char* problem;            // part of LoadModule's answer
};

const std::vector<RefusedCase>& RefusedCases() {
  // The "ivrs" property: key, id 0, length 4, then the version.
  const std::vector<uint8_t> version2 = {'s', 'r', 'v', 'i', 0, 0, 0, 0, 4, 0, 0, 0, 2};
  std::vector<uint8_t> version3 = version2;
  version3.back() = 3;
  static const std::vector<RefusedCase> cases = {
      {"OtherKind", Bytes("AEPS"), Bytes("AEPX"), "kind is \"XPEA\", not \"SPEA\""},
      {"InterfaceVersion3", version2, version3, "interface version is 3, not 2"},
      {"NoEntryPointProperty", Bytes("68xw"), Bytes("68xz"), "names no entry point"},
      {"EntryPointNotExported", Bytes("PluginMain"), Bytes("PluginMaim"),
       "has no export named PluginMaim"},
  };
  return cases;
}

class RefusedModuleTest : public EditedModuleTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(RefusedModuleTest, HostRefusesTheModule) {
  const RefusedCase& c = RefusedCases()[GetParam()];
  Patch(c.from, c.to);
  WriteResources(res_.size());
  simhost::SimHost host;
  std::string problem = host.LoadModule(module_.string());
  EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
  EXPECT_FALSE(host.ModuleLoaded());
  // The library is opened only for a PiPL the host accepts, and closed again when the
  // entry point is missing.
  EXPECT_FALSE(simhost::LibraryIsLoaded(module_.string()));
}

INSTANTIATE_TEST_SUITE_P(PiPL, RefusedModuleTest,
                         ::testing::Range<size_t>(0, RefusedCases().size()), [](const auto& param) {
                           return std::string(RefusedCases()[param.param].name);
                         });

struct DamagedCase {
  const char* name;
  size_t keep;  // bytes of the resource file that are kept; SIZE_MAX removes the file
  const char* problem;
};

const DamagedCase kDamagedCases[] = {
    {"Missing", SIZE_MAX, ".res is missing"},
    {"CutInsideAHeader", 40, "cut short"},
    {"CutInsideTheData", 100, "cut short"},
    {"Empty", 0, "has no PiPL resource 16000"},
};

class DamagedResourcesTest : public EditedModuleTest,
                             public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedResourcesTest, LoadingNamesTheProblem) {
  const DamagedCase& c = GetParam();
  if (c.keep != SIZE_MAX) WriteResources(c.keep);
  simhost::SimHost host;
  std::string problem = host.LoadModule(module_.string());
  EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
  EXPECT_FALSE(host.ModuleLoaded());
}

INSTANTIATE_TEST_SUITE_P(ResourceFile, DamagedResourcesTest, ::testing::ValuesIn(kDamagedCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
