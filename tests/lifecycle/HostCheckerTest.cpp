// The simulated host as a checker: each breach of the contract it can see is recorded,
// so that a scenario that records none is known to be clean.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

using quibtest::TakeBreaches;

// A suite as a caller on the module's side gets it: through the basic suite.
template <typename Suite>
const Suite* Acquire(const char* name, int32_t version) {
  const void* suite = nullptr;
  EXPECT_EQ(simhost::BasicSuite()->AcquireSuite(name, version, &suite), kHostNoErr) << name;
  return static_cast<const Suite*>(suite);
}

const HostMemorySuite* Memory() {
  return Acquire<HostMemorySuite>(kHostMemorySuiteName, kHostMemorySuiteVersion);
}
const HostBlocksSuite* Blocks() {
  return Acquire<HostBlocksSuite>(kHostBlocksSuiteName, kHostBlocksSuiteVersion);
}

struct CheckerCase {
  const char* name;
  std::function<void(simhost::SimHost&)> misuse;
  const char* breach;
};

const std::vector<CheckerCase>& CheckerCases() {
  static const std::vector<CheckerCase> cases = {
      {"HandleDisposedTwice",
       [](simhost::SimHost&) {
         HostMemHandle handle = nullptr;
         Memory()->NewHandle(8, &handle);
         Memory()->DisposeHandle(handle);
         EXPECT_NE(Memory()->DisposeHandle(handle), kHostNoErr);
       },
       "handle disposed twice"},
      {"HandleOfSomeoneElse",
       [](simhost::SimHost&) {
         void* notAHandle = nullptr;
         EXPECT_NE(Memory()->DisposeHandle(&notAHandle), kHostNoErr);
       },
       "handle not made by the host"},
      {"BlockFreedTwice",
       [](simhost::SimHost&) {
         void* block = nullptr;
         Blocks()->AllocateBlock(16, "twice", &block);
         Blocks()->FreeBlock(block);
         EXPECT_NE(Blocks()->FreeBlock(block), kHostNoErr);
       },
       "block freed twice"},
      {"BlockOfSomeoneElse",
       [](simhost::SimHost&) {
         int local = 0;
         EXPECT_NE(Blocks()->FreeBlock(&local), kHostNoErr);
       },
       "block not allocated by the host"},
      {"SuiteCalledAfterRelease",
       [](simhost::SimHost&) {
         const HostBlocksSuite* blocks = Blocks();
         simhost::BasicSuite()->ReleaseSuite(kHostBlocksSuiteName, kHostBlocksSuiteVersion);
         void* block = nullptr;
         blocks->AllocateBlock(4, "late", &block);
       },
       "suite not acquired"},
      {"ReleasedWithoutAcquiring",
       [](simhost::SimHost&) {
         simhost::BasicSuite()->ReleaseSuite(kHostUserSuiteName, kHostUserSuiteVersion);
       },
       "suite released but not held"},
      {"BlockLeftAtTheEnd",
       [](simhost::SimHost& host) {
         void* block = nullptr;
         Blocks()->AllocateBlock(32, "forgotten", &block);
         host.memory.CheckNothingLeft({}, "at the end");
       },
       "block never freed"},
      {"HandleLeftAtTheEnd",
       [](simhost::SimHost& host) {
         HostMemHandle handle = nullptr;
         Memory()->NewHandle(8, &handle);
         host.memory.CheckNothingLeft({}, "at the end");
       },
       "handle never disposed"},
  };
  return cases;
}

class HostCheckerTest : public ::testing::TestWithParam<size_t> {};

TEST_P(HostCheckerTest, RecordsTheBreach) {
  const CheckerCase& c = CheckerCases()[GetParam()];
  simhost::SimHost host;
  c.misuse(host);
  EXPECT_EQ(TakeBreaches(host, c.breach).size(), 1u) << quibtest::DescribeBreaches(host);
  EXPECT_EQ(quibtest::DescribeBreaches(host), "");
}

INSTANTIATE_TEST_SUITE_P(Misuses, HostCheckerTest,
                         ::testing::Range<size_t>(0, CheckerCases().size()), [](const auto& param) {
                           return std::string(CheckerCases()[param.param].name);
                         });

// Suites are found by name and version together.
TEST(HostChecker, OtherVersionsAndNamesAreNotFound) {
  const struct {
    const char* name;
    int32_t version;
    HostErr result;
  } cases[] = {
      {"AI Art Suite", 9, kHostNoErr},
      {"AI Art Suite", 8, kHostSuiteNotFoundErr},
      {"ADM Dialog Suite", 4, kHostSuiteNotFoundErr},
      {"AI Art suite", 9, kHostSuiteNotFoundErr},
  };
  simhost::SimHost host;
  for (const auto& c : cases) {
    const void* suite = &c;
    EXPECT_EQ(simhost::BasicSuite()->AcquireSuite(c.name, c.version, &suite), c.result)
        << c.name << " " << c.version;
    EXPECT_EQ(suite == nullptr, c.result != kHostNoErr) << c.name << " " << c.version;
  }
}

// The host keeps the filter's parameter record itself: it is never a leak.
TEST(HostChecker, KeptParameterRecordIsNotALeak) {
  simhost::SimHost host;
  host.SetParameterBytes(std::vector<uint8_t>(196, 0));
  host.memory.CheckNothingLeft({host.ParametersHandle()}, "at the end");
  EXPECT_EQ(quibtest::DescribeBreaches(host), "");
}

struct NumberCase {
  const char* text;
  bool parses;
  float value;
};

// The User Suite reads length-prefixed numbers as the error list's code entries hold
// them, whatever the C locale.
TEST(UserSuite, ParsesWholeNumbersOnly) {
  const NumberCase cases[] = {
      {"-108", true, -108}, {"271", true, 271}, {" 12.5 ", true, 12.5f}, {"+7", true, 7},
      {"", false, 0},       {"SEGM", false, 0}, {"12abc", false, 0},     {"-", false, 0},
  };
  simhost::SimHost host;
  host.suites.SetHostSide(true);
  const HostUserSuite* user = Acquire<HostUserSuite>(kHostUserSuiteName, kHostUserSuiteVersion);
  for (const NumberCase& c : cases) {
    unsigned char text[256];
    text[0] = static_cast<unsigned char>(std::strlen(c.text));
    std::memcpy(text + 1, c.text, text[0]);
    HostReal value = -1;
    HostErr error = user->ParseReal(text, &value);
    EXPECT_EQ(error == kHostNoErr, c.parses) << "\"" << c.text << "\"";
    if (c.parses) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(UserSuite, FormatsWithTheDecimalsAsked) {
  const struct {
    float value;
    int16_t decimals;
    const char* text;
  } cases[] = {
      {-108, 0, "-108"}, {65535, 0, "65535"}, {-65536, 0, "-65536"},
      {2.5f, 2, "2.50"}, {-0.4f, 0, "0"},     {1.25f, 1, "1.2"},
  };
  simhost::SimHost host;
  host.suites.SetHostSide(true);
  const HostUserSuite* user = Acquire<HostUserSuite>(kHostUserSuiteName, kHostUserSuiteVersion);
  for (const auto& c : cases) {
    unsigned char text[256] = {};
    ASSERT_EQ(user->FormatReal(c.value, c.decimals, text), kHostNoErr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text + 1), text[0]), c.text)
        << c.value << " with " << c.decimals;
  }
}

}  // namespace
