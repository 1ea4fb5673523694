// A reader of Windows module files (PE format): the file header, the export and import
// tables, and the three-level resource directory (type, name, language), whose raw
// resources are decoded by the same code that reads RES files.
#include "simhost/PeResources.h"

#include <fstream>
#include <iterator>

namespace simhost {

namespace {

struct Section {
  uint32_t virtualAddress = 0;
  uint32_t rawOffset = 0;
  uint32_t rawSize = 0;
};

// The file's bytes with bounds-checked little-endian reads; a read past the end marks
// the file as damaged and reads 0.
class PeFile {
 public:
  explicit PeFile(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  bool ok() const { return ok_; }
  size_t size() const { return bytes_.size(); }
  const uint8_t* data() const { return bytes_.data(); }

  uint32_t U16(size_t at) { return Read(at, 2); }
  uint32_t U32(size_t at) { return Read(at, 4); }

  // The file offset of `size` bytes at relative virtual address `rva`, or 0 (and the file
  // marked damaged) when no section holds them.
  size_t Offset(uint32_t rva, uint32_t size = 1) {
    for (const Section& section : sections) {
      uint32_t span = section.rawSize;
      if (rva >= section.virtualAddress && rva - section.virtualAddress < span &&
          span - (rva - section.virtualAddress) >= size) {
        size_t at = size_t(section.rawOffset) + (rva - section.virtualAddress);
        if (at <= bytes_.size() && bytes_.size() - at >= size) return at;
      }
    }
    ok_ = false;
    return 0;
  }

  // A nul-terminated byte string at `rva`.
  std::string TextAt(uint32_t rva) {
    size_t at = Offset(rva);
    std::string text;
    while (ok_ && at < bytes_.size() && bytes_[at] != 0) text += char(bytes_[at++]);
    if (at >= bytes_.size()) ok_ = false;
    return text;
  }

  std::vector<Section> sections;

 private:
  uint32_t Read(size_t at, size_t count) {
    if (!ok_ || at > bytes_.size() || bytes_.size() - at < count) {
      ok_ = false;
      return 0;
    }
    uint32_t value = 0;
    for (size_t n = 0; n < count; ++n) value |= uint32_t(bytes_[at + n]) << (8 * n);
    return value;
  }

  std::vector<uint8_t> bytes_;
  bool ok_ = true;
};

struct Directory {
  uint32_t rva = 0;
  uint32_t size = 0;
};

enum { kExportDirectory = 0, kImportDirectory = 1, kResourceDirectory = 2 };

constexpr uint32_t kHighBit = 0x80000000u;

// The resource directory's entries name a type, a name or a language by number, or by a
// counted UTF-16 string stored in the resource section.
ResourceKey EntryKey(PeFile& file, size_t sectionStart, uint32_t nameField) {
  ResourceKey key;
  if ((nameField & kHighBit) == 0) {
    key.number = uint16_t(nameField);
    return key;
  }
  size_t at = sectionStart + (nameField & ~kHighBit);
  uint32_t length = file.U16(at);
  std::u16string units;
  for (uint32_t n = 0; n < length && file.ok(); ++n) {
    units.push_back(char16_t(file.U16(at + 2 + 2 * n)));
  }
  key.text = Utf8FromUtf16(units);
  return key;
}

// One directory table: its entries (name field, offset field) in order.
std::vector<std::pair<uint32_t, uint32_t>> DirectoryEntries(PeFile& file, size_t at) {
  uint32_t count = file.U16(at + 12) + file.U16(at + 14);
  std::vector<std::pair<uint32_t, uint32_t>> entries;
  for (uint32_t n = 0; n < count && file.ok(); ++n) {
    size_t entry = at + 16 + 8 * size_t(n);
    entries.emplace_back(file.U32(entry), file.U32(entry + 4));
  }
  return entries;
}

std::string ReadResources(PeFile& file, const Directory& directory, ModuleResources& resources) {
  size_t start = file.Offset(directory.rva, 16);
  if (!file.ok()) return "its resource directory lies outside its sections";
  // Type, then name, then language; a subdirectory offset has its high bit set and is
  // relative to the start of the resource section.
  for (auto [typeField, typeOffset] : DirectoryEntries(file, start)) {
    if ((typeOffset & kHighBit) == 0) return "a resource type entry that is not a directory";
    ResourceKey type = EntryKey(file, start, typeField);
    for (auto [nameField, nameOffset] : DirectoryEntries(file, start + (typeOffset & ~kHighBit))) {
      if ((nameOffset & kHighBit) == 0) return "a resource name entry that is not a directory";
      ResourceKey name = EntryKey(file, start, nameField);
      for (auto [languageField, dataOffset] :
           DirectoryEntries(file, start + (nameOffset & ~kHighBit))) {
        if ((dataOffset & kHighBit) != 0) return "a resource language entry that is a directory";
        size_t dataEntry = start + dataOffset;
        uint32_t dataRva = file.U32(dataEntry);
        uint32_t dataSize = file.U32(dataEntry + 4);
        size_t at = file.Offset(dataRva, dataSize);
        if (!file.ok()) return "resource data outside its sections";
        std::string problem = AddRawResource(resources, type, name, uint16_t(languageField),
                                             file.data() + at, dataSize);
        if (!problem.empty()) return problem;
      }
    }
  }
  if (!file.ok()) return "its resource directory is cut short";
  return "";
}

void ReadExports(PeFile& file, const Directory& directory, PeImage& image) {
  size_t at = file.Offset(directory.rva, 40);
  image.exportedName = file.TextAt(file.U32(at + 12));
  image.exportedFunctions = file.U32(at + 20);
  uint32_t names = file.U32(at + 24);
  uint32_t nameTable = file.U32(at + 32);
  for (uint32_t n = 0; n < names && file.ok(); ++n) {
    image.exports.push_back(file.TextAt(file.U32(file.Offset(nameTable + 4 * n, 4))));
  }
}

void ReadImports(PeFile& file, const Directory& directory, PeImage& image) {
  // Descriptors of 20 bytes, the DLL's name at byte 12; an all-zero one ends the table.
  for (uint32_t rva = directory.rva; file.ok(); rva += 20) {
    size_t at = file.Offset(rva, 20);
    uint32_t nameRva = file.U32(at + 12);
    if (nameRva == 0 && file.U32(at + 16) == 0) break;
    image.imports.push_back(file.TextAt(nameRva));
  }
}

}  // namespace

std::string ReadPeImage(const std::string& path, PeImage& image, ModuleResources* resources) {
  image = PeImage{};
  std::ifstream in(path, std::ios::binary);
  if (!in) return "cannot open " + path;
  PeFile file(
      std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  auto damaged = [&](const std::string& what) { return path + ": " + what; };

  if (file.size() < 64 || file.data()[0] != 'M' || file.data()[1] != 'Z') {
    return damaged("not a Windows module (no MZ header)");
  }
  size_t header = file.U32(0x3C);
  if (file.U32(header) != 0x00004550) return damaged("not a PE file (no PE signature)");
  image.machine = uint16_t(file.U16(header + 4));
  uint32_t sectionCount = file.U16(header + 6);
  uint32_t optionalSize = file.U16(header + 20);
  image.characteristics = uint16_t(file.U16(header + 22));
  size_t optional = header + 24;
  image.optionalMagic = uint16_t(file.U16(optional));
  // The data directories follow the fixed fields, which are longer in the 64-bit form.
  size_t directories = optional + (image.optionalMagic == kPeOptionalMagic32 ? 96 : 112);
  uint32_t directoryCount = file.U32(directories - 4);
  if (!file.ok()) return damaged("its headers are cut short");

  size_t sectionTable = optional + optionalSize;
  for (uint32_t n = 0; n < sectionCount && file.ok(); ++n) {
    size_t at = sectionTable + 40 * size_t(n);
    Section section;
    section.virtualAddress = file.U32(at + 12);
    section.rawSize = file.U32(at + 16);
    section.rawOffset = file.U32(at + 20);
    file.sections.push_back(section);
  }
  if (!file.ok()) return damaged("its section table is cut short");

  auto directory = [&](int index) {
    Directory found;
    if (uint32_t(index) < directoryCount) {
      found.rva = file.U32(directories + 8 * size_t(index));
      found.size = file.U32(directories + 8 * size_t(index) + 4);
    }
    return found;
  };
  if (Directory exports = directory(kExportDirectory); exports.rva != 0) {
    ReadExports(file, exports, image);
    if (!file.ok()) return damaged("its export table is damaged");
  }
  if (Directory imports = directory(kImportDirectory); imports.rva != 0) {
    ReadImports(file, imports, image);
    if (!file.ok()) return damaged("its import table is damaged");
  }
  if (resources != nullptr) {
    *resources = ModuleResources{};
    Directory resourceDirectory = directory(kResourceDirectory);
    if (resourceDirectory.rva == 0) return damaged("it has no resource section");
    std::string problem = ReadResources(file, resourceDirectory, *resources);
    if (!problem.empty()) return damaged(problem);
  }
  return "";
}

std::string ReadPeResources(const std::string& path, ModuleResources& resources) {
  PeImage image;
  return ReadPeImage(path, image, &resources);
}

}  // namespace simhost
