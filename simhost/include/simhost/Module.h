// A module loaded from its file, with its entry point and compiled resources.
#pragma once

#include <string>

#include "HostSuites.h"
#include "simhost/Resources.h"

namespace simhost {

class LoadedModule {
 public:
  std::string path;
  ModuleResources resources;
  PluginMainProc entry = nullptr;
  void* library = nullptr;  // dlopen / LoadLibrary handle
};

}  // namespace simhost
