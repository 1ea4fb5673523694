// Shared pieces of the behaviour tests: the path of the built module, and a fixture
// that runs every scenario on a fresh simulated host with the module loaded.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "simhost/SimHost.h"

namespace quibtest {

// The module under test: QUIB_MODULE env var if set, else the one this build made.
std::string ModulePath();

// Every string resource the module ships, by id, in order: the filter list 16000 and
// the error list 16050, each ending at its first empty entry.
const std::vector<std::pair<int32_t, std::string>>& ShippedStrings();

// The breaches a host recorded, one per line ("" when there are none).
std::string DescribeBreaches(const simhost::SimHost& host);

// Removes the breaches of one kind from the host's record; returns their details.
std::vector<std::string> TakeBreaches(simhost::SimHost& host, const std::string& kind);

// A fresh SimHost with the module loaded and, unless a derived fixture sets
// startInSetUp_ to false in its constructor, started ("Startup" must answer 0). At the
// end it shuts a started module down and fails the test if the scenario recorded any
// breach of the host contract; a test that provokes a breach on purpose takes it with
// TakeBreaches first.
class HostFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  simhost::SimHost& host() { return *host_; }
  // AcquireSuite calls traced so far, over all suites.
  int Acquisitions() const;

  bool startInSetUp_ = true;
  std::unique_ptr<simhost::SimHost> host_;
};

// The same with the module loaded but not started, for scenarios that begin before
// "Startup" (edited resources, faults at start-up).
class UnstartedHostFixture : public HostFixture {
 protected:
  UnstartedHostFixture() { startInSetUp_ = false; }
};

}  // namespace quibtest
