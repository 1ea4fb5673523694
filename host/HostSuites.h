/* Everything the module may see of the host, in one include. */
#ifndef QUIB_HOST_SUITES_H
#define QUIB_HOST_SUITES_H

#include "HostAppSuites.h"
#include "HostArtSuites.h"
#include "HostBasic.h"
#include "HostDialogSuites.h"
#include "HostDocumentSuites.h"
#include "HostMathSuites.h"
#include "HostMeshSuites.h"
#include "HostSPSuites.h"

#endif
