// Adds the module's one filter to the host's filter menu at start-up.
#pragma once

#include "HostSuites.h"

// The filter's host-wide name; the parameter dialog carries the same name.
#define kFilterName "Quib_Mesh"
// String list of the filter's category and title, read in pairs from entry 1.
enum { kFilterStringList = 16000 };

// Registers the filter from list 16000 and sets its menu rule; writes filterHandle.
// Returns 0 (also when entry 1 is empty and nothing is added) or the first host failure.
HostErr RegisterFilter(PluginMessage* message);
