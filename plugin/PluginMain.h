// The module's entry point and its dispatch of the host's messages to their handlers.
#pragma once

#include "HostSuites.h"

#if defined(_WIN32)
#define QUIB_EXPORT __declspec(dllexport)
#else
#define QUIB_EXPORT __attribute__((visibility("default")))
#endif

extern "C" QUIB_EXPORT HostErr HOSTAPI PluginMain(const char* caller, const char* selector,
                                                  void* message);

// Messages of the drawing layer: "AI Menu" and "AI Filter".
HostErr DispatchAppMessage(const char* caller, const char* selector, PluginMessage* message);

// The module adds no menu item of its own: a menu Go is always refused.
HostErr HandleMenuGo(PluginMessage* message);
HostErr HandleMenuUpdate(PluginMessage* message);
