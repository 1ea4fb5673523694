// The simulated drawing host: loads a module from its file, publishes every suite the
// module calls over an in-memory document, and sends it messages as the host would.
// One SimHost exists at a time; the suites' C functions reach it through Host().
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simhost/DialogManager.h"
#include "simhost/DocumentHost.h"
#include "simhost/FilterMenu.h"
#include "simhost/Memory.h"
#include "simhost/Module.h"
#include "simhost/Registry.h"

namespace simhost {

class SimHost {
 public:
  SimHost();
  ~SimHost();
  SimHost(const SimHost&) = delete;
  SimHost& operator=(const SimHost&) = delete;

  // Loads the module file (and, for a native module, the compiled resource file beside
  // it), checks its PiPL and finds its entry point. Returns an empty string or the problem.
  std::string LoadModule(const std::string& path);
  // "SP Access"/"Unload", then the library is really unloaded; Reload loads it again and
  // sends "SP Access"/"Reload" with the globals the host kept.
  HostErr UnloadModule();
  HostErr ReloadModule();

  // Sends one message. Filter messages carry the registered filter and its parameters.
  HostErr Send(const char* caller, const char* selector);
  HostErr Startup() { return Send(kCallerInterface, kSelectorStartup); }
  HostErr Shutdown() { return Send(kCallerInterface, kSelectorShutdown); }

  // The filter's parameter record that the host keeps between runs (raw bytes).
  bool HasParameters() const;
  std::vector<uint8_t> ParameterBytes() const;
  void SetParameterBytes(const std::vector<uint8_t>& bytes);

  // The globals pointer the host holds for the module while it is unloaded.
  void* KeptGlobals() const { return keptGlobals_; }

  SuiteRegistry suites;
  LoadedModule module;
  MemoryService memory;
  FilterMenu filters;
  DocumentHost document;
  DialogManager dialogs;

 private:
  void* keptGlobals_ = nullptr;
  HostMemHandle parameters_ = nullptr;
  int messageDepth_ = 0;
};

// The live host; suite functions use it.
SimHost& Host();

// Publishing functions, one per suite family, called by the SimHost constructor.
void PublishBasicSuites(SuiteRegistry& registry);     // SP Blocks, SP Access, MdMemory, User
void PublishFilterSuites(SuiteRegistry& registry);    // Filter, Menu
void PublishDocumentSuites(SuiteRegistry& registry);  // art, mesh, math, random, undo, document
void PublishDialogSuites(SuiteRegistry& registry);    // the ADM suites

// The basic suite handed to the module in every message.
const HostBasicSuite* BasicSuite();

}  // namespace simhost

// Begins a suite operation with a result code: a fault injected for this call is
// returned at once.
#define SIM_ENTER(suite, operation)                                               \
  do {                                                                            \
    if (HostErr simFault_ = ::simhost::Host().suites.Enter(suite, operation))     \
      return simFault_;                                                           \
  } while (0)
// Begins a suite operation without a result code: traced and checked, never failed.
#define SIM_NOTE(suite, operation) (void)::simhost::Host().suites.Enter(suite, operation)
