// The "AI Get Parameters" message: the filter's record and its modal dialog.
#pragma once

#include "HostSuites.h"

HostErr HandleGetParameters(PluginMessage* message);
HostErr RunParameterDialog(PluginMessage* message);
