#include "simhost/Registry.h"

#include <algorithm>

namespace simhost {

void SuiteRegistry::Publish(const char* name, int32_t version, const void* table) {
  published_[name] = Published{version, table};
}

HostErr SuiteRegistry::Acquire(const char* name, int32_t version, const void** suite) {
  if (suite == nullptr) {
    RecordBreach("null argument", std::string("AcquireSuite without an out pointer for ") + name);
    return kHostBadParameterErr;
  }
  *suite = nullptr;
  auto found = published_.find(name);
  bool withheld = std::find(withheld_.begin(), withheld_.end(), name) != withheld_.end();
  if (found == published_.end() || found->second.version != version || withheld) {
    return kHostSuiteNotFoundErr;
  }
  *suite = found->second.table;
  ++held_[name];
  return kHostNoErr;
}

HostErr SuiteRegistry::Release(const char* name, int32_t version) {
  auto found = published_.find(name);
  if (found == published_.end() || found->second.version != version) {
    return kHostSuiteNotFoundErr;
  }
  auto held = held_.find(name);
  if (held == held_.end() || held->second == 0) {
    RecordBreach("suite released but not held", name);
    return kHostBadParameterErr;
  }
  if (--held->second == 0) held_.erase(held);
  return kHostNoErr;
}

bool SuiteRegistry::IsHeld(const std::string& name) const {
  auto held = held_.find(name);
  return held != held_.end() && held->second > 0;
}

std::vector<std::pair<std::string, int>> SuiteRegistry::Held() const {
  return {held_.begin(), held_.end()};
}

HostErr SuiteRegistry::Enter(const char* suite, const char* operation, bool mustBeHeld) {
  int count = ++calls_[{suite, operation}];
  if (mustBeHeld && !hostSide_ && !IsHeld(suite)) {
    RecordBreach("suite not acquired", std::string(suite) + "/" + operation);
  }
  HostErr injected = 0;
  for (const Fault& fault : faults_) {
    if (fault.suite == suite && fault.operation == operation &&
        (fault.nthCall == 0 || fault.nthCall == count)) {
      injected = fault.code;
      break;
    }
  }
  if (tracing_) trace_.push_back(TraceEntry{suite, operation, injected});
  return injected;
}

int SuiteRegistry::Calls(const std::string& suite, const std::string& operation) const {
  auto found = calls_.find({suite, operation});
  return found == calls_.end() ? 0 : found->second;
}

void SuiteRegistry::RecordBreach(std::string kind, std::string detail) {
  breaches_.push_back(Breach{std::move(kind), std::move(detail)});
}

}  // namespace simhost
