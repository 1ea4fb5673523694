// Decoding of a module's compiled resources: the RES container, string blocks, dialog
// templates (plain and extended) and the version resource.
#include "simhost/Resources.h"

#include <fstream>
#include <iterator>

#include "simhost/PeResources.h"

namespace simhost {

namespace {

// Reads little-endian values from a byte range; every read is bounds-checked and a
// read past the end marks the reader as failed.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool ok() const { return ok_; }
  size_t offset() const { return offset_; }
  size_t remaining() const { return ok_ ? size_ - offset_ : 0; }
  void Seek(size_t offset) {
    if (offset > size_)
      ok_ = false;
    else
      offset_ = offset;
  }
  void AlignTo4() { Seek((offset_ + 3) & ~size_t(3)); }
  void Skip(size_t count) { Seek(offset_ + count); }

  uint8_t U8() { return static_cast<uint8_t>(Take(1)); }
  uint16_t U16() { return static_cast<uint16_t>(Take(2)); }
  uint32_t U32() { return static_cast<uint32_t>(Take(4)); }

  // A nul-terminated UTF-16 string, as UTF-8.
  std::string Utf16z() {
    std::u16string units;
    while (ok_) {
      uint16_t unit = U16();
      if (!ok_ || unit == 0) break;
      units.push_back(static_cast<char16_t>(unit));
    }
    return ToUtf8(units);
  }
  // `count` UTF-16 units, as UTF-8.
  std::string Utf16(size_t count) {
    std::u16string units;
    for (size_t n = 0; n < count && ok_; ++n) units.push_back(static_cast<char16_t>(U16()));
    return ToUtf8(units);
  }
  // A number (0xFFFF then a word) or a nul-terminated UTF-16 name.
  ResourceKey Key() {
    ResourceKey key;
    if (size_ - offset_ >= 2 && Peek16() == 0xFFFF) {
      Skip(2);
      key.number = U16();
    } else {
      key.text = Utf16z();
    }
    return key;
  }

  static std::string ToUtf8(const std::u16string& units) {
    std::string out;
    for (size_t n = 0; n < units.size(); ++n) {
      uint32_t code = units[n];
      if (code >= 0xD800 && code < 0xDC00 && n + 1 < units.size() && units[n + 1] >= 0xDC00 &&
          units[n + 1] < 0xE000) {
        code = 0x10000 + ((code - 0xD800) << 10) + (uint32_t(units[n + 1]) - 0xDC00);
        ++n;
      }
      if (code < 0x80) {
        out += static_cast<char>(code);
      } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
      } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
      } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
      }
    }
    return out;
  }

 private:
  uint32_t Peek16() const { return uint32_t(data_[offset_]) | uint32_t(data_[offset_ + 1]) << 8; }
  uint32_t Take(size_t count) {
    if (!ok_ || size_ - offset_ < count) {
      ok_ = false;
      return 0;
    }
    uint32_t value = 0;
    for (size_t n = 0; n < count; ++n) value |= uint32_t(data_[offset_ + n]) << (8 * n);
    offset_ += count;
    return value;
  }

  const uint8_t* data_;
  size_t size_;
  size_t offset_ = 0;
  bool ok_ = true;
};

const char* ClassName(uint16_t atom) {
  switch (atom) {
    case 0x80:
      return "button";
    case 0x81:
      return "edit";
    case 0x82:
      return "static";
    case 0x83:
      return "listbox";
    case 0x84:
      return "scrollbar";
    case 0x85:
      return "combobox";
    default:
      return "";
  }
}

uint16_t AtomOfClass(const std::string& name) {
  std::string lower;
  for (char c : name) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  for (uint16_t atom = 0x80; atom <= 0x85; ++atom) {
    if (lower == ClassName(atom)) return atom;
  }
  return 0;
}

// Sixteen strings: block n holds ids (n - 1) * 16 to n * 16 - 1, each a count of UTF-16
// units followed by the units. Empty strings are not resources.
std::string DecodeStringBlock(ModuleResources& resources, uint16_t block, ByteReader in) {
  if (block == 0) return "a string block numbered 0";
  for (int32_t n = 0; n < 16; ++n) {
    uint16_t length = in.U16();
    std::string text = in.Utf16(length);
    if (!in.ok()) return "a string block that ends inside a string";
    if (length > 0) resources.strings[(int32_t(block) - 1) * 16 + n] = text;
  }
  return "";
}

std::string DecodeDialog(ModuleResources& resources, int32_t id, ByteReader in) {
  constexpr uint32_t kSetFont = 0x40, kShellFont = 0x48;
  DialogTemplate dialog;
  dialog.resourceId = id;
  uint16_t count = 0;
  uint16_t first = in.U16();
  uint16_t second = in.U16();
  if (first == 1 && second == 0xFFFF) {  // template version 1, extended signature
    dialog.extended = true;
    in.U32();  // help id
    in.U32();  // extended style
    dialog.style = in.U32();
  } else {
    in.Seek(0);
    dialog.style = in.U32();
    in.U32();  // extended style
  }
  count = in.U16();
  dialog.x = static_cast<int16_t>(in.U16());
  dialog.y = static_cast<int16_t>(in.U16());
  dialog.width = static_cast<int16_t>(in.U16());
  dialog.height = static_cast<int16_t>(in.U16());
  in.Key();  // menu
  in.Key();  // window class
  dialog.caption = in.Utf16z();
  if ((dialog.style & kSetFont) != 0 || (dialog.extended && (dialog.style & kShellFont) != 0)) {
    dialog.fontSize = in.U16();
    if (dialog.extended) {
      in.U16();  // weight
      in.U8();   // italic
      in.U8();   // character set
    }
    dialog.fontName = in.Utf16z();
  }
  for (uint16_t n = 0; n < count && in.ok(); ++n) {
    in.AlignTo4();
    DialogItemTemplate item;
    if (dialog.extended) {
      in.U32();  // help id
      in.U32();  // extended style
      item.style = in.U32();
    } else {
      item.style = in.U32();
      in.U32();  // extended style
    }
    item.x = static_cast<int16_t>(in.U16());
    item.y = static_cast<int16_t>(in.U16());
    item.width = static_cast<int16_t>(in.U16());
    item.height = static_cast<int16_t>(in.U16());
    item.id = dialog.extended ? int32_t(in.U32()) : int32_t(in.U16());
    ResourceKey itemClass = in.Key();
    if (itemClass.text.empty()) {
      item.classAtom = itemClass.number;
      item.kind = ClassName(itemClass.number);
    } else {
      item.classAtom = AtomOfClass(itemClass.text);
      item.kind = item.classAtom != 0 ? ClassName(item.classAtom) : itemClass.text;
    }
    ResourceKey title = in.Key();
    item.text = title.text;
    uint16_t extra = in.U16();
    in.Skip(extra);
    dialog.items.push_back(item);
  }
  if (!in.ok()) return "dialog " + std::to_string(id) + " ends inside its template";
  resources.dialogs[id] = dialog;
  return "";
}

// One node of the version resource: length, value length, type, key, value, children.
struct VersionNode {
  size_t end = 0;
  size_t valueStart = 0;
  uint16_t valueLength = 0;
  uint16_t type = 0;
  std::string key;
};

VersionNode ReadVersionNode(ByteReader& in) {
  VersionNode node;
  size_t start = in.offset();
  uint16_t length = in.U16();
  node.valueLength = in.U16();
  node.type = in.U16();
  node.key = in.Utf16z();
  in.AlignTo4();
  node.valueStart = in.offset();
  node.end = start + length;
  return node;
}

std::string DecodeVersion(ModuleResources& resources, uint16_t language, ByteReader in) {
  VersionInfo& version = resources.version;
  version = VersionInfo{};
  version.language = language;
  VersionNode root = ReadVersionNode(in);
  if (!in.ok() || root.key != "VS_VERSION_INFO") return "a version resource without its key";
  if (root.valueLength >= 52) {
    if (in.U32() != 0xFEEF04BD) return "a version resource without its fixed signature";
    in.U32();  // structure version
    uint32_t fileMs = in.U32(), fileLs = in.U32();
    uint32_t productMs = in.U32(), productLs = in.U32();
    version.fileVersion[0] = uint16_t(fileMs >> 16);
    version.fileVersion[1] = uint16_t(fileMs);
    version.fileVersion[2] = uint16_t(fileLs >> 16);
    version.fileVersion[3] = uint16_t(fileLs);
    version.productVersion[0] = uint16_t(productMs >> 16);
    version.productVersion[1] = uint16_t(productMs);
    version.productVersion[2] = uint16_t(productLs >> 16);
    version.productVersion[3] = uint16_t(productLs);
    version.fileFlagsMask = in.U32();
    version.fileFlags = in.U32();
    version.fileOS = in.U32();
    version.fileType = in.U32();
  }
  in.Seek(root.valueStart + root.valueLength);
  in.AlignTo4();
  while (in.ok() && in.offset() < root.end) {
    VersionNode child = ReadVersionNode(in);
    if (!in.ok()) break;
    in.Seek(child.valueStart + (child.type == 1 ? 2u * child.valueLength : child.valueLength));
    in.AlignTo4();
    if (child.key == "StringFileInfo") {
      while (in.ok() && in.offset() < child.end) {
        VersionNode table = ReadVersionNode(in);
        auto& strings = version.strings[table.key];
        while (in.ok() && in.offset() < table.end) {
          VersionNode entry = ReadVersionNode(in);
          // The value length counts UTF-16 units, the terminator included.
          std::string value = in.Utf16z();
          strings[entry.key] = value;
          in.Seek(entry.end);
          in.AlignTo4();
        }
        in.Seek(table.end);
        in.AlignTo4();
      }
    } else if (child.key == "VarFileInfo") {
      while (in.ok() && in.offset() < child.end) {
        VersionNode var = ReadVersionNode(in);
        if (var.key == "Translation") {
          for (uint16_t n = 0; n + 4 <= var.valueLength; n += 4) {
            uint16_t lang = in.U16();
            uint16_t codePage = in.U16();
            version.translations.emplace_back(lang, codePage);
          }
        }
        in.Seek(var.end);
        in.AlignTo4();
      }
    }
    in.Seek(child.end);
    in.AlignTo4();
  }
  if (!in.ok()) return "a version resource that ends inside a block";
  resources.hasVersion = true;
  return "";
}

std::string KeyText(const ResourceKey& key) {
  return key.text.empty() ? std::to_string(key.number) : "\"" + key.text + "\"";
}

}  // namespace

std::string Utf8FromUtf16(const std::u16string& units) { return ByteReader::ToUtf8(units); }

const std::vector<uint8_t>* ModuleResources::Find(const std::string& type, int32_t id) const {
  auto byType = custom.find(type);
  if (byType == custom.end()) return nullptr;
  auto byId = byType->second.find(id);
  return byId == byType->second.end() ? nullptr : &byId->second;
}

std::string ModuleResources::String(int32_t id) const {
  auto found = strings.find(id);
  return found == strings.end() ? std::string() : found->second;
}

std::string AddRawResource(ModuleResources& resources, const ResourceKey& type,
                           const ResourceKey& name, uint16_t language, const uint8_t* data,
                           size_t size) {
  ByteReader in(data, size);
  if (type.text.empty()) {
    if (!name.text.empty() && (type.number == kResourceString || type.number == kResourceDialog)) {
      return "resource " + KeyText(name) + " of type " + KeyText(type) +
             " has a name, not a number";
    }
    switch (type.number) {
      case kResourceString:
        return DecodeStringBlock(resources, name.number, in);
      case kResourceDialog:
        return DecodeDialog(resources, name.number, in);
      case kResourceVersion:
        return DecodeVersion(resources, language, in);
      default:
        break;
    }
  }
  if (!name.text.empty()) return "resource " + KeyText(name) + " has a name, not a number";
  std::string typeName = type.text.empty() ? "#" + std::to_string(type.number) : type.text;
  resources.custom[typeName][name.number].assign(data, data + size);
  return "";
}

std::string ReadResFile(const std::string& path, ModuleResources& resources) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "cannot open the resource file " + path;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  ByteReader in(bytes.data(), bytes.size());
  // Each entry: data size, header size, type, name, data version, memory flags,
  // language, version, characteristics, then the data; entries are 4-byte aligned.
  while (in.ok() && in.remaining() > 0) {
    size_t start = in.offset();
    uint32_t dataSize = in.U32();
    uint32_t headerSize = in.U32();
    ResourceKey type = in.Key();
    ResourceKey name = in.Key();
    in.AlignTo4();
    in.U32();  // data version
    in.U16();  // memory flags
    uint16_t language = in.U16();
    if (!in.ok() || headerSize < 32 || bytes.size() - start < size_t(headerSize) ||
        bytes.size() - start - headerSize < dataSize) {
      return path + " is not a resource file or is cut short (entry at byte " +
             std::to_string(start) + ")";
    }
    in.Seek(start + headerSize);
    // The file begins with an empty entry that marks the format.
    bool marker = dataSize == 0 && type.text.empty() && type.number == 0;
    if (!marker) {
      std::string problem =
          AddRawResource(resources, type, name, language, bytes.data() + in.offset(), dataSize);
      if (!problem.empty()) return path + ": " + problem;
    }
    in.Skip(dataSize);
    in.AlignTo4();
  }
  return "";
}

std::string ResourceFileBeside(const std::string& modulePath) {
  size_t slash = modulePath.find_last_of("/\\");
  size_t dot = modulePath.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return modulePath + ".res";
  }
  return modulePath.substr(0, dot) + ".res";
}

std::string ReadModuleResources(const std::string& modulePath, ModuleResources& resources) {
  resources = ModuleResources{};
  // A Windows module carries its resources in its own resource section.
  std::ifstream module(modulePath, std::ios::binary);
  char magic[2] = {};
  if (module.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z') {
    return ReadPeResources(modulePath, resources);
  }
  std::string beside = ResourceFileBeside(modulePath);
  if (std::ifstream(beside, std::ios::binary)) return ReadResFile(beside, resources);
  return "no compiled resources beside the module: " + beside + " is missing";
}

}  // namespace simhost
