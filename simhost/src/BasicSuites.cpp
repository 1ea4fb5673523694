// The basic suite of every message, and the suites of memory, number text and indexed
// strings: SP Blocks, SP Access, MdMemory, User and ADM Basic.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "simhost/SimHost.h"

namespace simhost {

namespace {

constexpr const char* kBasic = "SP Basic Suite";

// Acquisitions are traced under the suite asked for, so a test can fail the n-th
// acquisition of one suite.
HostErr HOSTAPI BasicAcquireSuite(const char* name, int32_t version, const void** suite) {
  if (name == nullptr) {
    Host().suites.RecordBreach("null argument", "AcquireSuite without a name");
    return kHostBadParameterErr;
  }
  if (HostErr fault = Host().suites.Enter(name, "AcquireSuite", false)) {
    if (suite != nullptr) *suite = nullptr;
    return fault;
  }
  return Host().suites.Acquire(name, version, suite);
}

HostErr HOSTAPI BasicReleaseSuite(const char* name, int32_t version) {
  if (name == nullptr) {
    Host().suites.RecordBreach("null argument", "ReleaseSuite without a name");
    return kHostBadParameterErr;
  }
  if (HostErr fault = Host().suites.Enter(name, "ReleaseSuite", false)) return fault;
  return Host().suites.Release(name, version);
}

int32_t HOSTAPI BasicIsEqual(const char* a, const char* b) {
  (void)Host().suites.Enter(kBasic, "IsEqual", false);
  if (a == nullptr || b == nullptr) {
    Host().suites.RecordBreach("null argument", "IsEqual of a null string");
    return 0;
  }
  return std::strcmp(a, b) == 0 ? 1 : 0;
}

const HostBasicSuite kBasicSuite = {BasicAcquireSuite, BasicReleaseSuite, BasicIsEqual};

// SP Blocks Suite

HostErr HOSTAPI AllocateBlock(int32_t size, const char* debugName, void** block) {
  SIM_ENTER(kHostBlocksSuiteName, "AllocateBlock");
  if (block == nullptr || size < 0) {
    Host().suites.RecordBreach("bad argument", "AllocateBlock of " + std::to_string(size) +
                                                   " bytes" +
                                                   (block ? "" : " without out pointer"));
    return kHostBadParameterErr;
  }
  *block = Host().memory.AllocateBlock(size_t(size), debugName ? debugName : "");
  return kHostNoErr;
}

HostErr HOSTAPI FreeBlock(void* block) {
  SIM_ENTER(kHostBlocksSuiteName, "FreeBlock");
  return Host().memory.FreeBlock(block) ? kHostNoErr : kHostBadParameterErr;
}

const HostBlocksSuite kBlocksSuite = {AllocateBlock, FreeBlock};

// SP Access Suite

bool IsModule(HostPluginRef plugin, const char* operation) {
  if (Host().ModuleLoaded() && plugin == Host().PluginRef()) return true;
  Host().suites.RecordBreach("unknown plug-in reference", operation);
  return false;
}

HostErr HOSTAPI GetPluginFileName(HostPluginRef plugin, char* buffer, int32_t size) {
  SIM_ENTER(kHostAccessSuiteName, "GetPluginFileName");
  if (!IsModule(plugin, "GetPluginFileName")) return kHostBadParameterErr;
  if (buffer == nullptr || size <= 0) return kHostBadParameterErr;
  std::snprintf(buffer, size_t(size), "%s", Host().module.path.c_str());
  return kHostNoErr;
}

const HostAccessSuite kAccessSuite = {GetPluginFileName};

// AI MdMemory Suite

HostErr HOSTAPI NewHandle(int32_t size, HostMemHandle* handle) {
  SIM_ENTER(kHostMemorySuiteName, "NewHandle");
  if (handle == nullptr || size < 0) {
    Host().suites.RecordBreach("bad argument", "NewHandle of " + std::to_string(size) + " bytes");
    return kHostBadParameterErr;
  }
  *handle = Host().memory.NewHandle(size_t(size));
  return kHostNoErr;
}

HostErr HOSTAPI DisposeHandle(HostMemHandle handle) {
  SIM_ENTER(kHostMemorySuiteName, "DisposeHandle");
  return Host().memory.DisposeHandle(handle) ? kHostNoErr : kHostBadParameterErr;
}

const HostMemorySuite kMemorySuite = {NewHandle, DisposeHandle};

// AI User Suite: numbers as length-prefixed text, independent of the C locale.

HostErr HOSTAPI FormatReal(HostReal value, int16_t decimals, unsigned char* text) {
  SIM_ENTER(kHostUserSuiteName, "FormatReal");
  if (text == nullptr || decimals < 0 || decimals > 20) return kHostBadParameterErr;
  char digits[256];
  auto written =
      std::to_chars(digits, digits + 255, double(value), std::chars_format::fixed, int(decimals));
  if (written.ec != std::errc()) return kHostBadParameterErr;
  size_t length = size_t(written.ptr - digits);
  digits[length] = 0;
  // A value that rounds to zero has no sign.
  if (length > 1 && digits[0] == '-' && std::strspn(digits + 1, "0.") == length - 1) {
    std::memmove(digits, digits + 1, --length);
  }
  text[0] = static_cast<unsigned char>(length);
  std::memcpy(text + 1, digits, length);
  return kHostNoErr;
}

HostErr HOSTAPI ParseReal(const unsigned char* text, HostReal* value) {
  SIM_ENTER(kHostUserSuiteName, "ParseReal");
  if (text == nullptr || value == nullptr) return kHostBadParameterErr;
  const char* begin = reinterpret_cast<const char*>(text + 1);
  const char* end = begin + text[0];
  while (begin < end && *begin == ' ') ++begin;
  while (end > begin && end[-1] == ' ') --end;
  if (begin < end && *begin == '+') ++begin;
  float parsed = 0;
  auto read = std::from_chars(begin, end, parsed);
  if (read.ec != std::errc() || read.ptr != end) return kHostBadParameterErr;
  *value = parsed;
  return kHostNoErr;
}

const HostUserSuite kUserSuite = {FormatReal, ParseReal};

// ADM Basic Suite

HostErr HOSTAPI GetIndexString(HostPluginRef plugin, int32_t listId, int32_t index, char* buffer,
                               int32_t size) {
  SIM_ENTER(kDlgBasicSuiteName, "GetIndexString");
  if (!IsModule(plugin, "GetIndexString")) return kHostBadParameterErr;
  if (buffer == nullptr || size <= 0) {
    Host().suites.RecordBreach(
        "bad argument", "GetIndexString into a buffer of " + std::to_string(size) + " bytes");
    return kHostBadParameterErr;
  }
  // Entry n of list L is string resource L + n; past the end of a list it is empty.
  std::string text = index < 0 ? "" : Host().module.resources.String(listId + index);
  size_t length = std::min(text.size(), size_t(size) - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = 0;
  return kHostNoErr;
}

void HOSTAPI ErrorAlert(const char* text) {
  SIM_NOTE(kDlgBasicSuiteName, "ErrorAlert");
  Host().alerts.push_back(text ? text : "");
}

const DlgBasicSuite kDlgBasicSuite = {GetIndexString, ErrorAlert};

}  // namespace

const HostBasicSuite* BasicSuite() { return &kBasicSuite; }

void PublishBasicSuites(SuiteRegistry& registry) {
  registry.Publish(kHostBlocksSuiteName, kHostBlocksSuiteVersion, &kBlocksSuite);
  registry.Publish(kHostAccessSuiteName, kHostAccessSuiteVersion, &kAccessSuite);
  registry.Publish(kHostMemorySuiteName, kHostMemorySuiteVersion, &kMemorySuite);
  registry.Publish(kHostUserSuiteName, kHostUserSuiteVersion, &kUserSuite);
  registry.Publish(kDlgBasicSuiteName, kDlgBasicSuiteVersion, &kDlgBasicSuite);
}

}  // namespace simhost
