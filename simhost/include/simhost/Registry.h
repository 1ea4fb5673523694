// The simulated host's suite registry: publishes suites by name and version, counts
// the module's acquisitions, and watches every suite call: it traces calls in order,
// fails chosen calls on purpose, and records every breach of the host contract.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "HostSuites.h"

namespace simhost {

// Make the n-th call (1-based; 0 = every call) of `operation` in `suite` fail with `code`.
// Only operations that return a result code can be failed this way.
struct Fault {
  std::string suite;
  std::string operation;
  int nthCall = 1;
  HostErr code = kHostBadParameterErr;
};

// One breach of the contract that a conforming module must not commit.
struct Breach {
  std::string kind;    // e.g. "suite not acquired", "handle disposed twice"
  std::string detail;  // what and where
};

struct TraceEntry {
  std::string suite;
  std::string operation;
  HostErr injected = 0;  // the fault code returned instead of running the call, or 0
};

class SuiteRegistry {
 public:
  void Publish(const char* name, int32_t version, const void* table);
  // A withheld suite answers "S!Fd" to every acquisition.
  void Withhold(const std::string& name) { withheld_.push_back(name); }

  HostErr Acquire(const char* name, int32_t version, const void** suite);
  HostErr Release(const char* name, int32_t version);
  bool IsHeld(const std::string& name) const;
  // Suites the module holds right now, with their acquisition counts.
  std::vector<std::pair<std::string, int>> Held() const;

  // Called first by every suite operation: traces it, records a breach when its suite
  // is not held, and returns the code to fail it with (0 to run it). Operations that
  // need no acquisition (the basic suite's) pass mustBeHeld = false.
  HostErr Enter(const char* suite, const char* operation, bool mustBeHeld = true);
  // How often an operation has been entered.
  int Calls(const std::string& suite, const std::string& operation) const;

  void AddFault(Fault fault) { faults_.push_back(std::move(fault)); }
  void ClearFaults() { faults_.clear(); }
  void RecordBreach(std::string kind, std::string detail);

  const std::vector<TraceEntry>& Trace() const { return trace_; }
  void ClearTrace() { trace_.clear(); }
  // Off: calls are still counted, checked and failed, but not kept in the trace (for
  // benchmarks, whose millions of calls would otherwise measure the trace's growth).
  void SetTracing(bool on) { tracing_ = on; }
  const std::vector<Breach>& Breaches() const { return breaches_; }
  void ClearBreaches() { breaches_.clear(); }
  // Calls of suites by the host itself (not the module) are not checked for acquisition.
  void SetHostSide(bool hostSide) { hostSide_ = hostSide; }
  bool HostSide() const { return hostSide_; }

 private:
  struct Published {
    int32_t version;
    const void* table;
  };
  std::map<std::string, Published> published_;
  std::map<std::string, int> held_;
  std::vector<std::string> withheld_;
  std::vector<Fault> faults_;
  std::map<std::pair<std::string, std::string>, int> calls_;
  std::vector<TraceEntry> trace_;
  bool tracing_ = true;
  std::vector<Breach> breaches_;
  bool hostSide_ = false;
};

}  // namespace simhost
