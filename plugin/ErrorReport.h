// Shows a failed message's result code to the user: the sentence the error list gives
// for it and the code itself, in the module's error dialog.
#pragma once

#include "HostSuites.h"

// Error list: code entries at odd indexes, each followed by its sentence; it ends at
// the first empty entry, and its last sentence is the one for unknown codes.
enum { kErrorStringList = 16050, kErrorDialogId = 16051 };

// What the error dialog shows: the sentence, then the code as text.
struct ErrorText {
  char message[256];
  char code[16];
};

// Looks the code up and shows the dialog; 0 and "STOP" are never shown, and no
// failure in here is reported in turn.
void ReportError(PluginMessage* message, HostErr code);
HostErr ShowErrorDialog(PluginMessage* message, ErrorText* errorText);
HostErr HOSTAPI InitErrorDialog(DlgDialogRef dialog);
// Item 1 of the error dialog and the About box: the default handling closes the dialog.
void HOSTAPI OkButtonNotify(DlgItemRef item, DlgNotifierRef notifier);
