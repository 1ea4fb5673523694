/* Suites of the host's basic layer that the module acquires besides the basic suite. */
#ifndef QUIB_HOST_SP_SUITES_H
#define QUIB_HOST_SP_SUITES_H

#include "HostBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kHostBlocksSuiteName "SP Blocks Suite"
#define kHostBlocksSuiteVersion 2
typedef struct HostBlocksSuite {
  /* Allocates an uncleared block of `size` bytes into *block; the caller frees it. */
  HostErr(HOSTAPI* AllocateBlock)(int32_t size, const char* debugName, void** block);
  /* Frees a block that AllocateBlock gave. */
  HostErr(HOSTAPI* FreeBlock)(void* block);
} HostBlocksSuite;

#define kHostAccessSuiteName "SP Access Suite"
#define kHostAccessSuiteVersion 3
typedef struct HostAccessSuite {
  /* Copies the file name the plug-in was loaded from (nul-terminated, cut to size). */
  HostErr(HOSTAPI* GetPluginFileName)(HostPluginRef plugin, char* buffer, int32_t size);
} HostAccessSuite;

#ifdef __cplusplus
}
#endif

#endif
