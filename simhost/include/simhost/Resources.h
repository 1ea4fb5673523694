// A module's compiled resources as the simulated host reads them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
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
};

struct VersionInfo {
  uint16_t fileVersion[4] = {0, 0, 0, 0};
  uint16_t productVersion[4] = {0, 0, 0, 0};
  uint32_t fileFlags = 0;
  uint32_t fileOS = 0;
  uint32_t fileType = 0;
  // Language-and-code-page block ("040904b0") to its string entries.
  std::map<std::string, std::map<std::string, std::string>> strings;
};

struct ModuleResources {
  std::map<int32_t, std::string> strings;           // string id to text (UTF-8)
  std::map<int32_t, DialogTemplate> dialogs;        // by resource id
  std::map<std::string, std::map<int32_t, std::vector<uint8_t>>> custom;  // type -> id -> bytes
  VersionInfo version;
  bool hasVersion = false;

  const std::vector<uint8_t>* Find(const std::string& type, int32_t id) const;
};

}  // namespace simhost
