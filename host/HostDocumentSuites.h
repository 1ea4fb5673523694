/* The current document, its views and the undo of the running filter command. */
#ifndef QUIB_HOST_DOCUMENT_SUITES_H
#define QUIB_HOST_DOCUMENT_SUITES_H

#include "HostBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct HostDocumentSetup {
  HostReal width;
  HostReal height;
} HostDocumentSetup;

#define kHostDocumentSuiteName "AI Document Suite"
#define kHostDocumentSuiteVersion 7
typedef struct HostDocumentSuite {
  HostErr(HOSTAPI* GetDocumentSetup)(HostDocumentSetup* setup);
  /* Makes the document's present state visible. */
  HostErr(HOSTAPI* RedrawDocument)(void);
} HostDocumentSuite;

#define kHostDocumentViewSuiteName "AI Document View Suite"
#define kHostDocumentViewSuiteVersion 7
typedef struct HostDocumentViewSuite {
  /* The n-th view of the current document (n = 0 is the front view). */
  HostErr(HOSTAPI* GetNthView)(int32_t n, HostViewRef* view);
  /* Zoom factor: 1 shows the artwork at 100 percent. */
  HostErr(HOSTAPI* SetZoom)(HostViewRef view, HostReal zoom);
  /* Converts a point in the view's pixels (y down) into artwork coordinates (y up). */
  HostErr(HOSTAPI* ViewPointToArtworkPoint)(HostViewRef view, const HostIntPoint* viewPoint,
                                            HostRealPoint* artworkPoint);
} HostDocumentViewSuite;

#define kHostUndoSuiteName "AI Undo Suite"
#define kHostUndoSuiteVersion 4
typedef struct HostUndoSuite {
  /* Takes back every document change made since the current command began. */
  HostErr(HOSTAPI* UndoChanges)(void);
} HostUndoSuite;

#ifdef __cplusplus
}
#endif

#endif
