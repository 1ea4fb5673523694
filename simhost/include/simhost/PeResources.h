// Reading a Windows module file (PE format) without loading it: its headers, its
// export and import tables, and the resources of its resource section.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simhost/Resources.h"

namespace simhost {

enum : uint16_t {
  kPeMachineI386 = 0x014C,
  kPeCharacteristicExecutable = 0x0002,
  kPeCharacteristic32BitMachine = 0x0100,
  kPeCharacteristicDll = 0x2000,
  kPeOptionalMagic32 = 0x010B,  // PE32, the 32-bit form
};

struct PeImage {
  uint16_t machine = 0;
  uint16_t characteristics = 0;
  uint16_t optionalMagic = 0;
  std::string exportedName;          // the library name in the export table
  std::vector<std::string> exports;  // exported function names, in table order
  uint32_t exportedFunctions = 0;    // entries of the export address table
  std::vector<std::string> imports;  // names of the imported DLLs, in table order
};

// Reads the headers, exports and imports of the PE file at `path`, and, when `resources`
// is not null, decodes its resource section into it. Returns "" or the problem.
std::string ReadPeImage(const std::string& path, PeImage& image, ModuleResources* resources);

// Decodes the resource section of the PE file at `path`. Returns "" or the problem.
std::string ReadPeResources(const std::string& path, ModuleResources& resources);

}  // namespace simhost
