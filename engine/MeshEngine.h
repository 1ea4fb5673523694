// One run of the filter over the selected meshes, and the Go message that starts one.
#pragma once

#include "HostSuites.h"

struct MeshParams;

HostErr RunMeshEngine(MeshParams* record);
HostErr GatherSelection();
void ReleaseSelection();
HostErr HandleFilterGo(PluginMessage* message);
