#include "AboutBox.h"

#include "ErrorReport.h"
#include "SuiteTable.h"

HostErr HandleAbout(PluginMessage* message) {
  ShowAboutBox(message);
  return kHostNoErr;
}

int32_t ShowAboutBox(PluginMessage* message) {
  return sDialog->Modal(message->plugin, "About Dialog", kAboutDialogId, 0, InitAboutBox, nullptr);
}

HostErr HOSTAPI InitAboutBox(DlgDialogRef dialog) {
  if (DlgItemRef ok = sDialog->GetItem(dialog, 1)) sItem->SetNotifyProc(ok, OkButtonNotify);
  return kHostNoErr;
}
