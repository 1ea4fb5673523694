// A module loaded from its file, with its entry point and compiled resources, and the
// PiPL the host reads before it loads the library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "HostSuites.h"
#include "simhost/Resources.h"

namespace simhost {

// What the PiPL says: the plug-in kind, its interface version and its entry point.
struct PiPLInfo {
  std::string kind;  // "SPEA" for a suite-based plug-in
  int32_t interfaceVersion = 0;
  std::string entryPoint;               // from the Windows x86 property
  std::vector<std::string> properties;  // "vendor/key" of every property, in order
};

// Decodes a PiPL resource. Returns "" or the problem.
std::string ParsePiPL(const std::vector<uint8_t>& bytes, PiPLInfo& info);
// What a host accepts: kind "SPEA", interface version 2 and an entry point name.
// Returns "" or the reason the module is refused.
std::string CheckPiPL(const PiPLInfo& info);

class LoadedModule {
 public:
  std::string path;
  ModuleResources resources;
  PiPLInfo pipl;
  PluginMainProc entry = nullptr;
  void* library = nullptr;  // dlopen / LoadLibrary handle
};

// Opens module.path and finds module.pipl.entryPoint in it. Returns "" or the problem.
std::string OpenLibrary(LoadedModule& module);
// Closes the library; returns "" or the problem (also when it stayed in memory, which
// would keep its statics alive across an unload).
std::string CloseLibrary(LoadedModule& module);
// Whether the library at `path` is mapped into this process.
bool LibraryIsLoaded(const std::string& path);

}  // namespace simhost
