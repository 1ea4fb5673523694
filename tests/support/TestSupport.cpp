#include "TestSupport.h"

#include <cstdlib>

namespace quibtest {

const std::vector<std::pair<int32_t, std::string>>& ShippedStrings() {
  static const std::vector<std::pair<int32_t, std::string>> strings = {
      {16000, "<First Mac index is 1>"},
      {16001, "Ovy <Paths>"},
      {16002, "Mesh..."},
      {16050, "<Mac strings begin at index 1>"},
      {16051, "-108"},
      {16052, "The filter cannot complete because there isn't enough memory (RAM) available."},
      {16053, "271"},
      {16054, "The filter cannot complete because there isn't enough memory (RAM) available."},
      {16055, "SEGM"},
      {16056, "The filter cannot complete because a layer is locked or invisible."},
      {16057, "NESS"},
      {16058, "The filter cannot complete because a path has too many anchor points."},
      {16059, "!sel"},
      {16060, "The selection is not valid for this filter."},
      {16061, "<Others>"},
      {16062, "The filter cannot complete because of an unknown error."},
  };
  return strings;
}

std::string ModulePath() {
  const char* fromEnv = std::getenv("QUIB_MODULE");
  return fromEnv && *fromEnv ? fromEnv : QUIB_MODULE_PATH;
}

std::string DescribeBreaches(const simhost::SimHost& host) {
  std::string text;
  for (const simhost::Breach& breach : host.suites.Breaches()) {
    text += breach.kind + ": " + breach.detail + "\n";
  }
  return text;
}

std::vector<std::string> TakeBreaches(simhost::SimHost& host, const std::string& kind) {
  std::vector<simhost::Breach> all = host.suites.Breaches();
  std::vector<std::string> taken;
  host.suites.ClearBreaches();
  for (simhost::Breach& breach : all) {
    if (breach.kind == kind) {
      taken.push_back(breach.detail);
    } else {
      host.suites.RecordBreach(breach.kind, breach.detail);
    }
  }
  return taken;
}

void HostFixture::SetUp() {
  host_ = std::make_unique<simhost::SimHost>();
  std::string problem = host_->LoadModule(ModulePath());
  ASSERT_EQ(problem, "") << "cannot load the module";
  if (startInSetUp_) {
    ASSERT_EQ(host_->Startup(), kHostNoErr);
  }
}

void HostFixture::TearDown() {
  if (host_ == nullptr) return;
  if (host_->ModuleLoaded() && host_->ModuleStarted()) host_->Shutdown();
  EXPECT_EQ(DescribeBreaches(*host_), "") << "the scenario broke the host contract";
  host_.reset();
}

int HostFixture::Acquisitions() const {
  int count = 0;
  for (const simhost::TraceEntry& entry : host_->suites.Trace()) {
    count += entry.operation == "AcquireSuite" ? 1 : 0;
  }
  return count;
}

}  // namespace quibtest
