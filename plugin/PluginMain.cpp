#include "PluginMain.h"

#include "AboutBox.h"
#include "ErrorReport.h"
#include "MeshEngine.h"
#include "ParameterDialog.h"
#include "PluginGlobals.h"
#include "SuiteTable.h"

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// Load and unload notifications need nothing from the module.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
#endif

HostErr HandleMenuGo(PluginMessage*) { return kHostBadSelectionErr; }

HostErr HandleMenuUpdate(PluginMessage*) { return kHostNoErr; }

HostErr DispatchAppMessage(const char* caller, const char* selector, PluginMessage* message) {
  const HostBasicSuite* basic = message->basic;
  if (basic->IsEqual(caller, kCallerMenu)) {
    if (basic->IsEqual(selector, kSelectorGo)) return HandleMenuGo(message);
    if (basic->IsEqual(selector, kSelectorUpdate)) return HandleMenuUpdate(message);
    return kHostNoErr;
  }
  if (basic->IsEqual(caller, kCallerFilter)) {
    if (basic->IsEqual(selector, kSelectorGetParameters)) return HandleGetParameters(message);
    if (basic->IsEqual(selector, kSelectorGo)) return HandleFilterGo(message);
    return kHostNoErr;
  }
  return kHostNoErr;
}

extern "C" QUIB_EXPORT HostErr HOSTAPI PluginMain(const char* caller, const char* selector,
                                                  void* messageRecord) {
  PluginMessage* message = static_cast<PluginMessage*>(messageRecord);
  const HostBasicSuite* basic = message->basic;

  // Unload and Reload run while the module holds no suites.
  if (basic->IsEqual(caller, kCallerAccess)) {
    if (basic->IsEqual(selector, kSelectorUnload)) return HandleUnload(message);
    if (basic->IsEqual(selector, kSelectorReload)) return HandleReload(message);
    return kHostNoErr;
  }

  HostErr result = AcquireAllSuites(basic);
  if (result == kHostNoErr) {
    if (basic->IsEqual(caller, kCallerInterface)) {
      if (basic->IsEqual(selector, kSelectorStartup)) {
        result = HandleStartup(message);
      } else if (basic->IsEqual(selector, kSelectorAbout)) {
        result = HandleAbout(message);
      } else if (basic->IsEqual(selector, kSelectorShutdown)) {
        result = HandleShutdown(message);
      }
    } else {
      result = DispatchAppMessage(caller, selector, message);
    }
  }

  // Reported while the suites are still held; the report itself ignores "STOP".
  if (result != kHostNoErr && result != kHostSuiteNotFoundErr) ReportError(message, result);
  ReleaseAllSuites(basic);
  return result;
}
