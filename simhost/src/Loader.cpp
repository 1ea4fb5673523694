// The host's view of a module file before and while it runs: its PiPL, and the
// library itself (the only place of the simulated host that uses platform APIs).
#include <cstring>

#include "simhost/Module.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace simhost {

namespace {

uint32_t ReadU32(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
         uint32_t(bytes[at + 3]) << 24;
}

// Four-character codes are stored as little-endian integers: the first character is
// the most significant byte.
std::string CodeText(uint32_t code) {
  return {char(code >> 24), char(code >> 16), char(code >> 8), char(code)};
}

}  // namespace

std::string ParsePiPL(const std::vector<uint8_t>& bytes, PiPLInfo& info) {
  info = PiPLInfo{};
  // Leading word, version, property count; then each property: vendor, key, id, data
  // length and the data, padded to 4 bytes.
  if (bytes.size() < 10) return "the PiPL is shorter than its header";
  uint32_t count = ReadU32(bytes, 6);
  size_t at = 10;
  for (uint32_t n = 0; n < count; ++n) {
    if (bytes.size() - at < 16) return "the PiPL ends inside property " + std::to_string(n + 1);
    std::string vendor = CodeText(ReadU32(bytes, at));
    std::string key = CodeText(ReadU32(bytes, at + 4));
    uint32_t length = ReadU32(bytes, at + 12);
    at += 16;
    if (bytes.size() - at < length) {
      return "the PiPL's property " + key + " is longer than the resource";
    }
    if (key == "kind" && length >= 4) info.kind = CodeText(ReadU32(bytes, at));
    if (key == "ivrs" && length >= 4) info.interfaceVersion = int32_t(ReadU32(bytes, at));
    if (key == "wx86") {
      const char* text = reinterpret_cast<const char*>(bytes.data() + at);
      info.entryPoint.assign(text, strnlen(text, length));
    }
    info.properties.push_back(vendor + "/" + key);
    at += (size_t(length) + 3) & ~size_t(3);
    at = at < bytes.size() ? at : bytes.size();
  }
  return "";
}

std::string CheckPiPL(const PiPLInfo& info) {
  if (info.kind != "SPEA") return "the PiPL's kind is \"" + info.kind + "\", not \"SPEA\"";
  if (info.interfaceVersion != 2) {
    return "the PiPL's interface version is " + std::to_string(info.interfaceVersion) + ", not 2";
  }
  if (info.entryPoint.empty()) return "the PiPL names no entry point for Windows x86";
  return "";
}

#ifdef _WIN32

std::string OpenLibrary(LoadedModule& module) {
  HMODULE library = LoadLibraryA(module.path.c_str());
  if (library == nullptr) {
    return "cannot load " + module.path + " (error " + std::to_string(GetLastError()) + ")";
  }
  FARPROC entry = GetProcAddress(library, module.pipl.entryPoint.c_str());
  if (entry == nullptr) {
    FreeLibrary(library);
    return module.path + " has no export named " + module.pipl.entryPoint;
  }
  module.library = library;
  module.entry = reinterpret_cast<PluginMainProc>(reinterpret_cast<void*>(entry));
  return "";
}

std::string CloseLibrary(LoadedModule& module) {
  HMODULE library = static_cast<HMODULE>(module.library);
  module.library = nullptr;
  module.entry = nullptr;
  if (library == nullptr) return "";
  if (!FreeLibrary(library)) return "cannot unload " + module.path;
  if (LibraryIsLoaded(module.path)) return module.path + " stayed in memory after it was unloaded";
  return "";
}

bool LibraryIsLoaded(const std::string& path) { return GetModuleHandleA(path.c_str()) != nullptr; }

#else

std::string OpenLibrary(LoadedModule& module) {
  void* library = dlopen(module.path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return "cannot load " + module.path + ": " + dlerror();
  void* entry = dlsym(library, module.pipl.entryPoint.c_str());
  if (entry == nullptr) {
    dlclose(library);
    return module.path + " has no export named " + module.pipl.entryPoint;
  }
  module.library = library;
  // Converting an object pointer to a function pointer is how dlsym is meant to be used.
  std::memcpy(&module.entry, &entry, sizeof entry);
  return "";
}

std::string CloseLibrary(LoadedModule& module) {
  void* library = module.library;
  module.library = nullptr;
  module.entry = nullptr;
  if (library == nullptr) return "";
  if (dlclose(library) != 0) return "cannot unload " + module.path + ": " + dlerror();
  // A library with unique symbols (or another reference) stays mapped, and its statics
  // would outlive the unload.
  if (LibraryIsLoaded(module.path)) return module.path + " stayed in memory after it was unloaded";
  return "";
}

bool LibraryIsLoaded(const std::string& path) {
  void* loaded = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (loaded == nullptr) return false;
  dlclose(loaded);
  return true;
}

#endif

}  // namespace simhost
