// State that survives while the host unloads and reloads the module.
#pragma once

#include "HostSuites.h"

struct PluginGlobals {
  HostFilterRef filterHandle;
  HostMemHandle selectionHandle;  // array of the gathered art, null when nothing is held
  int32_t selectionCount;         // -1: nothing gathered
};

extern PluginGlobals* gGlobals;

HostErr HandleStartup(PluginMessage* message);
HostErr HandleShutdown(PluginMessage* message);
HostErr HandleUnload(PluginMessage* message);
HostErr HandleReload(PluginMessage* message);
