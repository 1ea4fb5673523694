/* The drawing host's binary contract as the module sees it: calling convention,
 * shared value types, result codes, the message record, the entry point and the
 * basic suite that every message carries. Declarations only. */
#ifndef QUIB_HOST_BASIC_H
#define QUIB_HOST_BASIC_H

#include <stdint.h>

/* On 32-bit Windows the calling convention is part of the binary contract, so it
 * is spelled out on every function pointer and on the entry point. */
#if defined(_WIN32) && (defined(_M_IX86) || defined(__i386__))
#define HOSTAPI __cdecl
#else
#define HOSTAPI
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A 32-bit result code: 0 is success; non-zero codes are small numbers or four
 * characters packed most significant byte first. */
typedef int32_t HostErr;
typedef uint32_t FourCharCode;

#define HOST_FOUR_CHAR(a, b, c, d)                                             \
  ((int32_t)(((uint32_t)(uint8_t)(a) << 24) | ((uint32_t)(uint8_t)(b) << 16) | \
             ((uint32_t)(uint8_t)(c) << 8) | (uint32_t)(uint8_t)(d)))

enum {
  kHostNoErr = 0,
  kHostCancelErr = HOST_FOUR_CHAR('S', 'T', 'O', 'P'),        /* dialog cancelled */
  kHostSuiteNotFoundErr = HOST_FOUR_CHAR('S', '!', 'F', 'd'), /* no such suite/version */
  kHostBadSelectionErr = HOST_FOUR_CHAR('!', 's', 'e', 'l'),  /* selection not usable */
  kHostNoMemoryErr = HOST_FOUR_CHAR('!', 'M', 'E', 'M'),      /* no parameter record */
  kHostOutOfMemoryErr = -108,
  kHostBadParameterErr = HOST_FOUR_CHAR('P', 'A', 'R', 'M'), /* an argument the host rejects */
  kHostNotMeshErr = HOST_FOUR_CHAR('!', 'M', 'S', 'H'),      /* art that is no gradient mesh */
  kHostNotFoundErr = HOST_FOUR_CHAR('!', 'F', 'N', 'D')      /* no object of that kind */
};

/* Reals are 32-bit; points grow to the right and upward; rectangles keep top > bottom. */
typedef float HostReal;
typedef struct HostRealPoint {
  HostReal h, v;
} HostRealPoint;
typedef struct HostRealRect {
  HostReal left, top, right, bottom;
} HostRealRect;
/* Affine matrix: a point (x, y) maps to (a*x + c*y + tx, b*x + d*y + ty). */
typedef struct HostRealMatrix {
  HostReal a, b, c, d, tx, ty;
} HostRealMatrix;
typedef struct HostIntPoint {
  int32_t h, v;
} HostIntPoint;
typedef struct HostIntRect {
  int32_t left, top, right, bottom;
} HostIntRect;

/* Opaque references owned by the host. */
typedef struct HostPluginOpaque* HostPluginRef;
typedef struct HostFilterOpaque* HostFilterRef;
typedef struct HostMenuItemOpaque* HostMenuItemRef;
typedef struct HostArtOpaque* HostArtRef;
typedef struct HostMeshVertexOpaque* HostMeshVertexRef;
typedef struct HostViewOpaque* HostViewRef;
/* A relocatable memory block: *handle is the block's address while it lives. */
typedef void** HostMemHandle;

/* Length-prefixed text: one length byte, then up to 255 characters. */
typedef unsigned char HostPString[256];

typedef struct HostBasicSuite HostBasicSuite;

/* The message record handed to PluginMain. The host owns it; the module writes
 * only `globals`. `filter` and `parameters` are filled for "AI Filter" messages. */
typedef struct PluginMessage {
  uint32_t checkWord;
  HostPluginRef plugin;
  void* globals;
  const HostBasicSuite* basic;
  HostFilterRef filter;
  HostMemHandle parameters; /* null before the filter's first run */
} PluginMessage;

/* Basic suite: reached through every message, never acquired. */
struct HostBasicSuite {
  /* Fills *suite with the table of that name and version; "S!Fd" when unknown. */
  HostErr(HOSTAPI* AcquireSuite)(const char* name, int32_t version, const void** suite);
  /* Gives back one acquisition of the suite. */
  HostErr(HOSTAPI* ReleaseSuite)(const char* name, int32_t version);
  /* Non-zero when the two nul-terminated strings are equal. */
  int32_t(HOSTAPI* IsEqual)(const char* a, const char* b);
};

/* Callers and selectors of the host's messages. */
#define kCallerAccess "SP Access"
#define kCallerInterface "SP Interface"
#define kCallerMenu "AI Menu"
#define kCallerFilter "AI Filter"
#define kSelectorUnload "Unload"
#define kSelectorReload "Reload"
#define kSelectorStartup "Startup"
#define kSelectorAbout "About"
#define kSelectorShutdown "Shutdown"
#define kSelectorGo "AI Go"
#define kSelectorUpdate "AI Update"
#define kSelectorGetParameters "AI Get Parameters"

/* The module's only export, found by name through the PiPL's entry-point property.
 * `message` points to a PluginMessage; the result code goes back to the host. */
typedef HostErr(HOSTAPI* PluginMainProc)(const char* caller, const char* selector, void* message);

#ifdef __cplusplus
}
#endif

#endif
