// A module's compiled resources as the simulated host reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace simhost {

struct DialogItemTemplate {
  int32_t id = 0;          // 65535 for items without an id
  std::string kind;        // "button", "static", "edit", ... or the class name
  uint16_t classAtom = 0;  // 0x80 button, 0x81 edit, 0x82 static, ... (0 when named)
  uint32_t style = 0;
  int16_t x = 0, y = 0, width = 0, height = 0;  // dialog units
  std::string text;
};

struct DialogTemplate {
  int32_t resourceId = 0;
  std::string caption;
  uint32_t style = 0;
  int16_t x = 0, y = 0, width = 0, height = 0;  // dialog units
  uint16_t fontSize = 0;
  std::string fontName;
  std::vector<DialogItemTemplate> items;
  bool extended = false;  // stored in the extended template form
};

struct VersionInfo {
  uint16_t fileVersion[4] = {0, 0, 0, 0};
  uint16_t productVersion[4] = {0, 0, 0, 0};
  uint32_t fileFlagsMask = 0;
  uint32_t fileFlags = 0;
  uint32_t fileOS = 0;
  uint32_t fileType = 0;
  uint16_t language = 0;  // of the resource itself (0x409: US English)
  // Language-and-code-page block ("040904b0") to its string entries.
  std::map<std::string, std::map<std::string, std::string>> strings;
  // The translations the resource declares: language, code page.
  std::vector<std::pair<uint16_t, uint16_t>> translations;
};

// A resource's type or name: a number, or a text when `text` is not empty.
struct ResourceKey {
  uint16_t number = 0;
  std::string text;
};

enum : uint16_t { kResourceDialog = 5, kResourceString = 6, kResourceVersion = 16 };

struct ModuleResources {
  std::map<int32_t, std::string> strings;     // string id to text (UTF-8)
  std::map<int32_t, DialogTemplate> dialogs;  // by resource id
  // Resources of named types ("PIPL") and of numbered types the host does not decode
  // ("#10"), by type and then id.
  std::map<std::string, std::map<int32_t, std::vector<uint8_t>>> custom;
  VersionInfo version;
  bool hasVersion = false;

  const std::vector<uint8_t>* Find(const std::string& type, int32_t id) const;
  // The text of string resource `id`, empty when there is none.
  std::string String(int32_t id) const;
};

// Decodes one raw resource (a string block, a dialog template, the version resource, or
// bytes of another type) into `resources`. Shared by every container format the host
// reads. Returns "" or the problem.
std::string AddRawResource(ModuleResources& resources, const ResourceKey& type,
                           const ResourceKey& name, uint16_t language, const uint8_t* data,
                           size_t size);

// UTF-16 text as UTF-8 (surrogate pairs joined).
std::string Utf8FromUtf16(const std::u16string& units);

// Reads a compiled resource file (RES format). Returns "" or the problem.
std::string ReadResFile(const std::string& path, ModuleResources& resources);

// Reads the resources of the module file at `modulePath`: a Windows module's own resource
// section, or for a native module the RES file beside it (same name, extension ".res").
// Returns "" or the problem.
std::string ReadModuleResources(const std::string& modulePath, ModuleResources& resources);

// The RES file that belongs to a native module file.
std::string ResourceFileBeside(const std::string& modulePath);

}  // namespace simhost
