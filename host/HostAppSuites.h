/* Drawing-host application services: memory handles, the filter menu, menus and
 * number formatting. */
#ifndef QUIB_HOST_APP_SUITES_H
#define QUIB_HOST_APP_SUITES_H

#include "HostBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostMemorySuiteName "AI MdMemory Suite"
#define kHostMemorySuiteVersion 1
typedef struct HostMemorySuite {
  /* Makes a handle of `size` bytes into *handle; a null *handle means no memory. The
   * caller disposes it. */
  HostErr(HOSTAPI* NewHandle)(int32_t size, HostMemHandle* handle);
  /* Disposes a handle and its block. */
  HostErr(HOSTAPI* DisposeHandle)(HostMemHandle handle);
} HostMemorySuite;

#define kHostFilterSuiteName "AI Filter Suite"
#define kHostFilterSuiteVersion 2
typedef struct HostFilterSuite {
  /* Registers a filter under a unique name with a length-prefixed category (submenu)
   * and title (entry); the host owns the returned handle. */
  HostErr(HOSTAPI* AddFilter)(HostPluginRef plugin, const char* name, const unsigned char* category,
                              const unsigned char* title, int32_t options, HostFilterRef* filter);
  /* The host's menu item of a registered filter. */
  HostErr(HOSTAPI* GetFilterMenuItem)(HostFilterRef filter, HostMenuItemRef* item);
} HostFilterSuite;

#define kHostMenuSuiteName "AI Menu Suite"
#define kHostMenuSuiteVersion 7
enum { kHostMenuActionEnable = 1 };
/* Object-kind flag of the menu rule's selection words: gradient mesh art. */
enum { kHostMenuMeshArtKind = 0x400000 };
typedef struct HostMenuSuite {
  /* Lets the host update the item by itself: with action 1 it is enabled while the
   * flagged conditions hold. The six words are, in order: kinds in the artwork, kinds
   * not in the artwork, kinds selected, kinds not selected, conditions true,
   * conditions false. */
  HostErr(HOSTAPI* UpdateMenuItemAutomatically)(HostMenuItemRef item, int32_t action,
                                                int32_t artworkKinds, int32_t notArtworkKinds,
                                                int32_t selectedKinds, int32_t notSelectedKinds,
                                                int32_t conditions, int32_t notConditions);
} HostMenuSuite;

#define kHostUserSuiteName "AI User Suite"
#define kHostUserSuiteVersion 5
typedef struct HostUserSuite {
  /* Writes `value` with `decimals` places as length-prefixed text into `text`. */
  HostErr(HOSTAPI* FormatReal)(HostReal value, int16_t decimals, unsigned char* text);
  /* Parses length-prefixed text into *value; an error when it holds no number. */
  HostErr(HOSTAPI* ParseReal)(const unsigned char* text, HostReal* value);
} HostUserSuite;

#ifdef __cplusplus
}
#endif

#endif
