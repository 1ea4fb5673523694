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
  bool ModuleLoaded() const { return module.entry != nullptr; }
  // "SP Access"/"Unload", then the library is really unloaded; Reload loads it again and
  // sends "SP Access"/"Reload" with the globals the host kept. A library that cannot be
  // unloaded or loaded again is recorded as a breach and answered with "PARM"; so is
  // an unload asked for while a message is still inside the module ("PARM", no breach).
  HostErr UnloadModule();
  HostErr ReloadModule();

  // Sends one message. Filter messages carry the registered filter and its parameters.
  // After the outermost message the host checks that the module holds no suite and no
  // vertex reference, and after "Shutdown" that it left no memory allocated.
  HostErr Send(const char* caller, const char* selector);
  HostErr Startup() { return Send(kCallerInterface, kSelectorStartup); }
  HostErr Shutdown() { return Send(kCallerInterface, kSelectorShutdown); }
  // Between a "Startup" (whatever it answered) and the next "Shutdown".
  bool ModuleStarted() const { return started_; }
  // Messages currently inside PluginMain (more than 1 while one is nested).
  int MessageDepth() const { return messageDepth_; }

  // The filter's parameter record that the host keeps between runs (raw bytes).
  bool HasParameters() const;
  std::vector<uint8_t> ParameterBytes() const;
  void SetParameterBytes(const std::vector<uint8_t>& bytes);
  HostMemHandle ParametersHandle() const { return parameters_; }

  // The globals pointer the host holds for the module while it is unloaded.
  void* KeptGlobals() const { return keptGlobals_; }
  // The host's reference for the loaded module, as messages carry it.
  HostPluginRef PluginRef() const;

  // The filter the module registered, or null.
  const RegisteredFilter* ModuleFilter() const;

  SuiteRegistry suites;
  LoadedModule module;
  MemoryService memory;
  FilterMenu filters;
  DocumentHost document;
  DialogManager dialogs;
  // Texts of the ADM Basic Suite's error alerts, in the order they were shown.
  std::vector<std::string> alerts;

 private:
  void AfterOutermostMessage(const char* caller, const char* selector, HostErr result);

  void* keptGlobals_ = nullptr;
  HostMemHandle parameters_ = nullptr;
  int messageDepth_ = 0;
  bool started_ = false;
  // The last outer message was a Get Parameters that answered 0: the Go after it
  // continues the same filter command.
  bool acceptedParameters_ = false;
};

// The live host; suite functions use it.
SimHost& Host();

// Publishing functions, one per suite family, called by the SimHost constructor.
void PublishBasicSuites(SuiteRegistry& registry);     // SP Blocks, SP Access, MdMemory, User,
                                                      // ADM Basic
void PublishFilterSuites(SuiteRegistry& registry);    // Filter, Menu
void PublishDocumentSuites(SuiteRegistry& registry);  // art, mesh, math, random, undo, document
void PublishDialogSuites(SuiteRegistry& registry);    // the other ADM suites

// The basic suite handed to the module in every message.
const HostBasicSuite* BasicSuite();

}  // namespace simhost

// Begins a suite operation with a result code: a fault injected for this call is
// returned at once.
#define SIM_ENTER(suite, operation)                                                             \
  do {                                                                                          \
    if (HostErr simFault_ = ::simhost::Host().suites.Enter(suite, operation)) return simFault_; \
  } while (0)
// Begins a suite operation without a result code: traced and checked, never failed.
#define SIM_NOTE(suite, operation) (void)::simhost::Host().suites.Enter(suite, operation)
