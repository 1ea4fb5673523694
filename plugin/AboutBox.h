// The About box the host opens from its list of plug-ins.
#pragma once

#include "HostSuites.h"

enum { kAboutDialogId = 16050 };

// Shows the box; answers 0 whatever the box returns.
HostErr HandleAbout(PluginMessage* message);
// Runs the About dialog modally; returns the dialog manager's result.
int32_t ShowAboutBox(PluginMessage* message);
HostErr HOSTAPI InitAboutBox(DlgDialogRef dialog);
