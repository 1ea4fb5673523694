// The 28 suites every outer PluginMain call holds, and their acquisition and release.
#include "SuiteTable.h"

#include <cstdio>
#include <cstring>

const HostBlocksSuite* sBlocks = nullptr;
const HostAccessSuite* sAccess = nullptr;
const HostMemorySuite* sMemory = nullptr;
const HostRealMathSuite* sRealMath = nullptr;
const HostArtSuite* sArt = nullptr;
const HostUserSuite* sUser = nullptr;
const HostDocumentSuite* sDocument = nullptr;
const HostDocumentViewSuite* sDocumentView = nullptr;
const HostUndoSuite* sUndo = nullptr;
const HostMatchingArtSuite* sMatchingArt = nullptr;
const HostPathSuite* sPath = nullptr;
const HostPathStyleSuite* sPathStyle = nullptr;
const HostRandomSuite* sRandom = nullptr;
const HostBlendStyleSuite* sBlendStyle = nullptr;
const HostGradientSuite* sGradient = nullptr;
const HostTransformArtSuite* sTransformArt = nullptr;
const HostMeshSuite* sMesh = nullptr;
const HostMeshVertexSuite* sMeshVertex = nullptr;
const HostMenuSuite* sMenu = nullptr;
const HostFilterSuite* sFilter = nullptr;
const DlgBasicSuite* sDlgBasic = nullptr;
const DlgDialogSuite* sDialog = nullptr;
const DlgItemSuite* sItem = nullptr;
const DlgIconSuite* sIcon = nullptr;
const DlgNotifierSuite* sNotifier = nullptr;
const DlgListSuite* sList = nullptr;
const DlgEntrySuite* sEntry = nullptr;
const DlgTrackerSuite* sTracker = nullptr;

int16_t acquireDepth = 0;

namespace {

struct SuiteEntry {
  const char* name;
  int32_t version;
  void* pointer;  // address of the module-wide pointer that receives the table
};

// Acquired and released in this order.
const SuiteEntry SuiteTable[] = {
    {kHostBlocksSuiteName, kHostBlocksSuiteVersion, &sBlocks},
    {kHostAccessSuiteName, kHostAccessSuiteVersion, &sAccess},
    {kHostMemorySuiteName, kHostMemorySuiteVersion, &sMemory},
    {kHostRealMathSuiteName, kHostRealMathSuiteVersion, &sRealMath},
    {kHostArtSuiteName, kHostArtSuiteVersion, &sArt},
    {kHostUserSuiteName, kHostUserSuiteVersion, &sUser},
    {kHostDocumentSuiteName, kHostDocumentSuiteVersion, &sDocument},
    {kHostDocumentViewSuiteName, kHostDocumentViewSuiteVersion, &sDocumentView},
    {kHostUndoSuiteName, kHostUndoSuiteVersion, &sUndo},
    {kHostMatchingArtSuiteName, kHostMatchingArtSuiteVersion, &sMatchingArt},
    {kHostPathSuiteName, kHostPathSuiteVersion, &sPath},
    {kHostPathStyleSuiteName, kHostPathStyleSuiteVersion, &sPathStyle},
    {kHostRandomSuiteName, kHostRandomSuiteVersion, &sRandom},
    {kHostBlendStyleSuiteName, kHostBlendStyleSuiteVersion, &sBlendStyle},
    {kHostGradientSuiteName, kHostGradientSuiteVersion, &sGradient},
    {kHostTransformArtSuiteName, kHostTransformArtSuiteVersion, &sTransformArt},
    {kHostMeshSuiteName, kHostMeshSuiteVersion, &sMesh},
    {kHostMeshVertexSuiteName, kHostMeshVertexSuiteVersion, &sMeshVertex},
    {kHostMenuSuiteName, kHostMenuSuiteVersion, &sMenu},
    {kHostFilterSuiteName, kHostFilterSuiteVersion, &sFilter},
    {kDlgBasicSuiteName, kDlgBasicSuiteVersion, &sDlgBasic},
    {kDlgDialogSuiteName, kDlgDialogSuiteVersion, &sDialog},
    {kDlgItemSuiteName, kDlgItemSuiteVersion, &sItem},
    {kDlgIconSuiteName, kDlgIconSuiteVersion, &sIcon},
    {kDlgNotifierSuiteName, kDlgNotifierSuiteVersion, &sNotifier},
    {kDlgListSuiteName, kDlgListSuiteVersion, &sList},
    {kDlgEntrySuiteName, kDlgEntrySuiteVersion, &sEntry},
    {kDlgTrackerSuiteName, kDlgTrackerSuiteVersion, &sTracker},
};
constexpr int kSuiteCount = sizeof(SuiteTable) / sizeof(SuiteTable[0]);
static_assert(kSuiteCount == 28, "the module holds 28 suites");

// Which entries the outer call holds, so that only those are given back.
bool sHeld[kSuiteCount] = {};

// The suite pointers have different types; the table reaches them as raw storage.
void StoreSuitePointer(void* destination, const void* table) {
  std::memcpy(destination, &table, sizeof table);
}

}  // namespace

HostErr AcquireAllSuites(const HostBasicSuite* basic) {
  if (acquireDepth != 0) {
    ++acquireDepth;
    return kHostNoErr;
  }
  HostErr result = kHostNoErr;
  for (int index = 0; index < kSuiteCount; ++index) {
    const SuiteEntry& entry = SuiteTable[index];
    const void* table = nullptr;
    HostErr error = basic->AcquireSuite(entry.name, entry.version, &table);
    if (error == kHostNoErr && table != nullptr) {
      StoreSuitePointer(entry.pointer, table);
      sHeld[index] = true;
      continue;
    }
    StoreSuitePointer(entry.pointer, nullptr);
    if (error == kHostNoErr) error = kHostSuiteNotFoundErr;  // a success without a table
    // The first failure decides the call's result: a later success must not hide it,
    // or handlers would run with a null suite pointer.
    if (result == kHostNoErr) result = error;
    if (sDlgBasic != nullptr) {
      char text[256];
      std::snprintf(text, sizeof text, "Suite Loading Error: %d, suite: %s, version: %d!",
                    static_cast<int>(error), entry.name, static_cast<int>(entry.version));
      sDlgBasic->ErrorAlert(text);
      break;
    }
  }
  ++acquireDepth;
  return result;
}

HostErr ReleaseAllSuites(const HostBasicSuite* basic) {
  HostErr result = kHostNoErr;
  if (acquireDepth == 1) {
    for (int index = 0; index < kSuiteCount; ++index) {
      if (!sHeld[index]) continue;
      const SuiteEntry& entry = SuiteTable[index];
      result = basic->ReleaseSuite(entry.name, entry.version);
      if (result != kHostNoErr) break;
      StoreSuitePointer(entry.pointer, nullptr);
      sHeld[index] = false;
    }
  }
  --acquireDepth;
  return result;
}
