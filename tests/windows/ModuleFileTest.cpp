// Checks of the cross-built QuibMesh.aip as a file: what a host and Windows see in it
// before any code runs. Read with the simulated host's own PE reader, and the export and
// import tables also with objdump, so that neither reader alone decides.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "TestSupport.h"
#include "WindowsSupport.h"
#include "simhost/PeResources.h"

namespace {

class ModuleFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = quibwin::WindowsModulePath();
    ASSERT_TRUE(std::ifstream(path_).good())
        << path_ << " does not exist: build the windows preset first "
        << "(cmake --preset windows && cmake --build --preset windows)";
    ASSERT_EQ(simhost::ReadPeImage(path_, image_, &resources_), "");
  }

  std::string path_;
  simhost::PeImage image_;
  simhost::ModuleResources resources_;
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

TEST_F(ModuleFile, IsA32BitDllForIntel386) {
  EXPECT_EQ(image_.machine, simhost::kPeMachineI386);
  EXPECT_EQ(image_.optionalMagic, simhost::kPeOptionalMagic32);
  EXPECT_TRUE(image_.characteristics & simhost::kPeCharacteristicDll);
  EXPECT_TRUE(image_.characteristics & simhost::kPeCharacteristicExecutable);
  EXPECT_TRUE(image_.characteristics & simhost::kPeCharacteristic32BitMachine);
}

TEST_F(ModuleFile, ExportsOnlyPluginMainUndecorated) {
  EXPECT_EQ(image_.exports, std::vector<std::string>{"PluginMain"});
  EXPECT_EQ(image_.exportedFunctions, 1u);
  EXPECT_EQ(image_.exportedName, "QuibMesh.aip");
}

// The DLLs every Windows installation carries; anything else (libstdc++-6.dll,
// libgcc_s_dw2-1.dll, libwinpthread-1.dll) would stop the host from loading the module.
const std::set<std::string> kSystemDlls = {"kernel32.dll", "user32.dll", "msvcrt.dll",
                                           "advapi32.dll", "ntdll.dll"};

TEST_F(ModuleFile, ImportsOnlyDllsThatWindowsShips) {
  ASSERT_FALSE(image_.imports.empty());
  for (const std::string& dll : image_.imports) {
    EXPECT_TRUE(kSystemDlls.count(Lower(dll))) << dll << " is not part of Windows";
  }
}

TEST_F(ModuleFile, ObjdumpSeesTheSameExportsAndImports) {
  std::string dump;
  ASSERT_EQ(quibwin::RunCommand("i686-w64-mingw32-objdump -p '" + path_ + "'", dump), 0);
  EXPECT_NE(dump.find("file format pei-i386"), std::string::npos);
  std::vector<std::string> dlls, names;
  std::istringstream lines(dump);
  bool inNames = false;
  for (std::string line; std::getline(lines, line);) {
    if (auto at = line.find("DLL Name: "); at != std::string::npos)
      dlls.push_back(line.substr(at + 10));
    if (line.find("[Ordinal/Name Pointer] Table") != std::string::npos) {
      inNames = true;
      continue;
    }
    if (inNames) {
      auto close = line.find("] ");
      if (close == std::string::npos || line.find('[') == std::string::npos) {
        inNames = false;
      } else {
        names.push_back(line.substr(close + 2));
      }
    }
  }
  EXPECT_EQ(names, image_.exports);
  EXPECT_EQ(dlls, image_.imports);
}

// The 79 bytes of the PiPL, built here field by field from its layout.
std::vector<uint8_t> ExpectedPiPL() {
  std::vector<uint8_t> bytes;
  auto u16 = [&](uint32_t v) {
    for (int n = 0; n < 2; ++n) bytes.push_back(uint8_t(v >> (8 * n)));
  };
  auto u32 = [&](uint32_t v) {
    for (int n = 0; n < 4; ++n) bytes.push_back(uint8_t(v >> (8 * n)));
  };
  auto code = [&](const char(&text)[5]) {
    u32(uint32_t(uint8_t(text[0])) << 24 | uint32_t(uint8_t(text[1])) << 16 |
        uint32_t(uint8_t(text[2])) << 8 | uint8_t(text[3]));
  };
  u16(1);
  u32(0);
  u32(3);
  code("ADBE"), code("kind"), u32(0), u32(4), code("SPEA");
  code("ADBE"), code("ivrs"), u32(0), u32(4), u32(2);
  code("ADBE"), code("wx86"), u32(0), u32(12);
  for (char c : std::string("PluginMain")) bytes.push_back(uint8_t(c));
  bytes.push_back(0), bytes.push_back(0);
  bytes.push_back(0);  // trailing byte
  return bytes;
}

TEST_F(ModuleFile, CarriesThePiPLByteForByte) {
  const std::vector<uint8_t>* pipl = resources_.Find("PIPL", 16000);
  ASSERT_NE(pipl, nullptr) << "no PIPL resource 16000";
  ASSERT_EQ(ExpectedPiPL().size(), 79u);
  EXPECT_EQ(*pipl, ExpectedPiPL());
  // Stored the way a host reads codes: "ADBE" as the bytes "EBDA".
  EXPECT_EQ(std::string(pipl->begin() + 10, pipl->begin() + 14), "EBDA");
}

TEST_F(ModuleFile, CarriesBothStringLists) {
  const std::vector<std::pair<int32_t, std::string>>& expected = quibtest::ShippedStrings();
  for (const auto& [id, text] : expected) EXPECT_EQ(resources_.String(id), text) << "string " << id;
  // Each list ends at its first empty entry.
  EXPECT_EQ(resources_.String(16003), "");
  EXPECT_EQ(resources_.String(16063), "");
}

// Popup, visible, caption, system menu, modal frame, and the font given in the template.
constexpr uint32_t kDialogStyle =
    0x80000000u | 0x10000000u | 0x00C00000u | 0x00080000u | 0x80u | 0x40u;

struct ItemCase {
  int32_t id;
  std::string kind;
  int16_t x, y, width, height;
  std::string text;
  uint32_t styleBits;  // bits that must be set (the kind's low style nibble included)
};

struct DialogCase {
  int32_t resourceId;
  std::string caption;
  int16_t width, height;
  std::vector<ItemCase> items;
};

const std::vector<DialogCase> kDialogs = {
    {16050,
     "Mesh Plugin About",
     273,
     129,
     {{1, "button", 103, 106, 45, 14, "&OK", 0x1},
      {65535, "static", 9, 5, 246, 8, "Quib Mesh, Volume 1, (c) 2025-2026 Quib Mesh", 0},
      {65535, "static", 9, 18, 208, 8, "For Quib Mesh", 0},
      {65535, "static", 9, 31, 219, 8, "Version Number: 1.0.0.1", 0},
      {65535, "static", 9, 44, 214, 8, "Release Date: December 2026", 0},
      {65535, "static", 9, 57, 236, 8, "Development: The Quib Mesh team", 0},
      {65535, "static", 9, 70, 232, 8, "Web Site: https://quibmesh.example.org", 0},
      {65535, "static", 9, 82, 246, 8, "Support/Technical e-mails: support@quibmesh.example.org",
       0}}},
    {16051,
     "Plug-in Error",
     185,
     92,
     {{1, "button", 127, 65, 50, 14, "OK", 0x1},
      {2, "static", 43, 12, 126, 28, "Message", 0},
      {3, "static", 13, 66, 30, 8, "Code", 0},
      {4, "static", 10, 10, 18, 20, "", 0x7}}},
    {16100, "Mesh Plug-in (Requires mesh to be pre-selected)", 256, 154, {}},
};

TEST_F(ModuleFile, CarriesTheThreeDialogTemplates) {
  for (const DialogCase& want : kDialogs) {
    SCOPED_TRACE("dialog " + std::to_string(want.resourceId));
    auto found = resources_.dialogs.find(want.resourceId);
    ASSERT_NE(found, resources_.dialogs.end());
    const simhost::DialogTemplate& dialog = found->second;
    EXPECT_EQ(dialog.caption, want.caption);
    EXPECT_EQ(dialog.width, want.width);
    EXPECT_EQ(dialog.height, want.height);
    EXPECT_EQ(dialog.style & kDialogStyle, kDialogStyle);
    EXPECT_EQ(dialog.fontSize, 8);
    EXPECT_EQ(dialog.fontName, "MS Sans Serif");
    ASSERT_EQ(dialog.items.size(), want.items.size());
    for (size_t n = 0; n < want.items.size(); ++n) {
      const ItemCase& item = want.items[n];
      const simhost::DialogItemTemplate& got = dialog.items[n];
      SCOPED_TRACE("item " + std::to_string(n));
      EXPECT_EQ(got.id, item.id);
      EXPECT_EQ(got.kind, item.kind);
      EXPECT_EQ(got.x, item.x);
      EXPECT_EQ(got.y, item.y);
      EXPECT_EQ(got.width, item.width);
      EXPECT_EQ(got.height, item.height);
      EXPECT_EQ(got.text, item.text);
      EXPECT_EQ(got.style & 0xF, item.styleBits);
    }
  }
}

TEST_F(ModuleFile, CarriesTheVersionResource) {
  ASSERT_TRUE(resources_.hasVersion);
  const simhost::VersionInfo& version = resources_.version;
  const std::vector<uint16_t> v1001 = {1, 0, 0, 1};
  EXPECT_EQ(std::vector<uint16_t>(version.fileVersion, version.fileVersion + 4), v1001);
  EXPECT_EQ(std::vector<uint16_t>(version.productVersion, version.productVersion + 4), v1001);
  EXPECT_TRUE(version.fileFlags & 0x1u) << "the debug flag";
  EXPECT_TRUE(version.fileFlagsMask & 0x1u);
  EXPECT_EQ(version.fileOS, 0x00000004u) << "32-bit Windows";
  EXPECT_EQ(version.fileType, 2u) << "a dynamic library";
  EXPECT_EQ(version.language, 0x409);
  EXPECT_EQ(version.translations, (std::vector<std::pair<uint16_t, uint16_t>>{{0x409, 1200}}));
  auto table = version.strings.find("040904b0");
  ASSERT_NE(table, version.strings.end());
  EXPECT_EQ(table->second.at("Comments"),
            "Plugin To manipulate the gradient mesh/envelope - requires a mesh to be pre "
            "selected");
}

// The native module's resource file comes from the same .rc through windres's RES
// output: both containers must decode to the same resources.
TEST_F(ModuleFile, HoldsTheSameResourcesAsTheNativeBuild) {
  simhost::ModuleResources native;
  ASSERT_EQ(simhost::ReadModuleResources(quibtest::ModulePath(), native), "");
  EXPECT_EQ(resources_.strings, native.strings);
  EXPECT_EQ(resources_.custom, native.custom);
  ASSERT_EQ(resources_.dialogs.size(), native.dialogs.size());
  for (const auto& [id, dialog] : native.dialogs) {
    const simhost::DialogTemplate& pe = resources_.dialogs.at(id);
    EXPECT_EQ(pe.caption, dialog.caption) << id;
    EXPECT_EQ(pe.style, dialog.style) << id;
    EXPECT_EQ(pe.items.size(), dialog.items.size()) << id;
  }
  EXPECT_EQ(resources_.version.strings, native.version.strings);
}

// A damaged file is refused with a reason, never read past its end: the file cut at
// every header and table boundary that matters, and inside the resource section.
TEST_F(ModuleFile, ACutFileIsRefusedWithAReason) {
  std::ifstream in(path_, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string cut = ::testing::TempDir() + "cut.aip";
  // The resource section's place in the file, from objdump's section list.
  std::string sections;
  ASSERT_EQ(quibwin::RunCommand("i686-w64-mingw32-objdump -h '" + path_ + "'", sections), 0);
  size_t rsrcOffset = 0, rsrcSize = 0;
  std::istringstream lines(sections);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string index, name, size, vma, lma, offset;
    if (fields >> index >> name >> size >> vma >> lma >> offset && name == ".rsrc") {
      rsrcSize = std::stoul(size, nullptr, 16);
      rsrcOffset = std::stoul(offset, nullptr, 16);
    }
  }
  ASSERT_GT(rsrcSize, 0u) << "no .rsrc section in " << path_;
  for (size_t length : {size_t(0), size_t(2), size_t(63), size_t(0x80), size_t(0x100),
                        size_t(0x200), rsrcOffset + 8, rsrcOffset + rsrcSize / 2}) {
    SCOPED_TRACE("cut at " + std::to_string(length));
    std::ofstream(cut, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), std::streamsize(length));
    simhost::PeImage image;
    simhost::ModuleResources resources;
    EXPECT_NE(simhost::ReadPeImage(cut, image, &resources), "");
  }
  std::remove(cut.c_str());
}

}  // namespace
