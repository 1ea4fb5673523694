// The simulated host's core: loading the module, its life across unloads, and sending
// it messages the way the drawing host does.
#include "simhost/SimHost.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace simhost {

namespace {

SimHost* gLiveHost = nullptr;

bool Same(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

}  // namespace

SimHost& Host() {
  if (gLiveHost == nullptr) {
    std::fprintf(stderr, "simhost: a suite was called while no SimHost exists\n");
    std::abort();
  }
  return *gLiveHost;
}

SimHost::SimHost() {
  if (gLiveHost != nullptr) {
    std::fprintf(stderr, "simhost: only one SimHost may exist at a time\n");
    std::abort();
  }
  gLiveHost = this;
  PublishBasicSuites(suites);
  PublishFilterSuites(suites);
  PublishDocumentSuites(suites);
  PublishDialogSuites(suites);
}

SimHost::~SimHost() {
  CloseLibrary(module);
  gLiveHost = nullptr;
}

HostPluginRef SimHost::PluginRef() const {
  return reinterpret_cast<HostPluginRef>(const_cast<LoadedModule*>(&module));
}

std::string SimHost::LoadModule(const std::string& path) {
  if (ModuleLoaded()) return "a module is already loaded: " + module.path;
  LoadedModule loading;
  loading.path = path;
  // As the drawing host does: resources and PiPL first, the library only if they pass.
  if (std::string problem = ReadModuleResources(path, loading.resources); !problem.empty()) {
    return problem;
  }
  const std::vector<uint8_t>* pipl = loading.resources.Find("PIPL", 16000);
  if (pipl == nullptr) return path + " has no PiPL resource 16000";
  if (std::string problem = ParsePiPL(*pipl, loading.pipl); !problem.empty()) {
    return path + ": " + problem;
  }
  if (std::string problem = CheckPiPL(loading.pipl); !problem.empty()) {
    return path + " is refused: " + problem;
  }
  if (std::string problem = OpenLibrary(loading); !problem.empty()) return problem;
  module = std::move(loading);
  keptGlobals_ = nullptr;
  started_ = false;
  return "";
}

HostErr SimHost::UnloadModule() {
  // Never from inside a message: the module's code is still running.
  if (!ModuleLoaded() || messageDepth_ > 0) return kHostBadParameterErr;
  HostErr result = Send(kCallerAccess, kSelectorUnload);
  if (std::string problem = CloseLibrary(module); !problem.empty()) {
    suites.RecordBreach("module not unloaded", problem);
    return kHostBadParameterErr;
  }
  return result;
}

HostErr SimHost::ReloadModule() {
  if (ModuleLoaded() || module.path.empty()) return kHostBadParameterErr;
  if (std::string problem = OpenLibrary(module); !problem.empty()) {
    suites.RecordBreach("module not reloaded", problem);
    return kHostBadParameterErr;
  }
  return Send(kCallerAccess, kSelectorReload);
}

const RegisteredFilter* SimHost::ModuleFilter() const {
  for (const RegisteredFilter& filter : filters.filters) {
    if (filter.plugin == PluginRef()) return &filter;
  }
  return nullptr;
}

HostErr SimHost::Send(const char* caller, const char* selector) {
  if (!ModuleLoaded()) return kHostBadParameterErr;
  bool outermost = messageDepth_ == 0;
  bool filterMessage = Same(caller, kCallerFilter);

  PluginMessage message{};
  message.checkWord = 0x5175694D;
  message.plugin = PluginRef();
  message.globals = keptGlobals_;
  message.basic = BasicSuite();
  if (filterMessage) {
    const RegisteredFilter* filter = ModuleFilter();
    message.filter = filter ? filters.HandleOf(*filter) : nullptr;
    message.parameters = parameters_;
    // A dialog's previews and the Go that follows an accepted dialog are one command.
    bool getParameters = Same(selector, kSelectorGetParameters);
    bool go = Same(selector, kSelectorGo);
    if (getParameters || (go && !(outermost && acceptedParameters_))) {
      document.BeginFilterCommand();
    }
  }
  if (outermost) acceptedParameters_ = false;
  if (Same(caller, kCallerInterface)) {
    if (Same(selector, kSelectorStartup)) started_ = true;
    if (Same(selector, kSelectorShutdown)) started_ = false;
  }

  ++messageDepth_;
  HostErr result = module.entry(caller, selector, &message);
  --messageDepth_;

  keptGlobals_ = message.globals;
  if (filterMessage) parameters_ = message.parameters;
  if (outermost) AfterOutermostMessage(caller, selector, result);
  return result;
}

void SimHost::AfterOutermostMessage(const char* caller, const char* selector, HostErr result) {
  std::string message = std::string(caller) + "/" + selector;
  for (const auto& [name, count] : suites.Held()) {
    suites.RecordBreach("suite still held",
                        name + " (" + std::to_string(count) + ") after " + message);
  }
  document.CheckAfterMessage();
  if (Same(caller, kCallerInterface) && Same(selector, kSelectorShutdown)) {
    memory.CheckNothingLeft({parameters_}, "after " + message);
  }
  acceptedParameters_ =
      Same(caller, kCallerFilter) && Same(selector, kSelectorGetParameters) && result == kHostNoErr;
}

bool SimHost::HasParameters() const {
  return parameters_ != nullptr && memory.IsLiveHandle(parameters_);
}

std::vector<uint8_t> SimHost::ParameterBytes() const {
  if (!HasParameters()) return {};
  const uint8_t* bytes = static_cast<const uint8_t*>(*parameters_);
  return std::vector<uint8_t>(bytes, bytes + memory.HandleSize(parameters_));
}

void SimHost::SetParameterBytes(const std::vector<uint8_t>& bytes) {
  if (HasParameters() && memory.HandleSize(parameters_) != bytes.size()) {
    memory.DisposeHandle(parameters_);
    parameters_ = nullptr;
  }
  if (!HasParameters()) parameters_ = memory.NewHandle(bytes.size());
  if (parameters_ != nullptr && !bytes.empty()) {
    std::memcpy(*parameters_, bytes.data(), bytes.size());
  }
}

}  // namespace simhost
