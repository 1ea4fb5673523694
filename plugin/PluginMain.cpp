// Placeholder entry point until the life cycle lands.
#include "HostSuites.h"

extern "C" __attribute__((visibility("default"))) HostErr HOSTAPI PluginMain(const char*, const char*,
                                                                          void*) {
  return 0;
}
