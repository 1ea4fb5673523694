// The module's life: globals created at start-up, handed to the host across an unload,
// taken back at reload and freed at shut-down.
#include "FilterRegistration.h"
#include "MeshEngine.h"
#include "PluginGlobals.h"
#include "SuiteTable.h"

PluginGlobals* gGlobals = nullptr;

HostErr HandleStartup(PluginMessage* message) {
  void* block = nullptr;
  HostErr error = sBlocks->AllocateBlock(sizeof(PluginGlobals), "globals", &block);
  if (error != kHostNoErr) return error;
  if (block == nullptr) return kHostOutOfMemoryErr;
  gGlobals = static_cast<PluginGlobals*>(block);
  // The host does not clear the block: start with no filter and nothing gathered.
  gGlobals->filterHandle = nullptr;
  gGlobals->selectionHandle = nullptr;
  gGlobals->selectionCount = -1;
  return RegisterFilter(message);
}

HostErr HandleShutdown(PluginMessage* message) {
  const void* blocks = nullptr;
  HostErr error =
      message->basic->AcquireSuite(kHostBlocksSuiteName, kHostBlocksSuiteVersion, &blocks);
  if (error == kHostNoErr) {
    if (gGlobals != nullptr) {
      // An accepted dialog that no Go followed leaves the selection gathered: give its
      // list back with the globals that point to it.
      ReleaseSelection();
      static_cast<const HostBlocksSuite*>(blocks)->FreeBlock(gGlobals);
      gGlobals = nullptr;
    }
    message->basic->ReleaseSuite(kHostBlocksSuiteName, kHostBlocksSuiteVersion);
  }
  message->globals = nullptr;
  return error;
}

HostErr HandleUnload(PluginMessage* message) {
  message->globals = gGlobals;
  return kHostNoErr;
}

HostErr HandleReload(PluginMessage* message) {
  acquireDepth = 0;
  gGlobals = static_cast<PluginGlobals*>(message->globals);
  return kHostNoErr;
}
