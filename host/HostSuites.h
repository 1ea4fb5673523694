/* Everything the module may see of the host, in one include. */
#ifndef QUIB_HOST_SUITES_H
#define QUIB_HOST_SUITES_H

#include "HostBasic.h"
#include "HostSPSuites.h"
#include "HostAppSuites.h"
#include "HostArtSuites.h"
#include "HostMeshSuites.h"
#include "HostMathSuites.h"
#include "HostDocumentSuites.h"
#include "HostDialogSuites.h"

#endif
