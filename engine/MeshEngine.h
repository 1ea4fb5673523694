// One run of the filter over the selected meshes, and the Go message that starts one.
#pragma once

#include "HostSuites.h"

struct MeshParams;

// Applies the record's settings to every selected gradient mesh, the last selected
// first. With fromGo and previewShown both set, the preview in the document is the
// result: previewShown becomes 0 and nothing else happens. Otherwise the run first asks
// the host to undo the changes made since the filter command began (the previous
// preview), gathers the selection when it is not gathered, edits the meshes, and then
// releases the selection (fromGo) or asks for a redraw and keeps it (a preview).
//
// Returns 0, or the host's code of the call that failed (document setup, undo, a bounds
// query or a transform). On failure the selection cache is released, every vertex
// reference is given back, and the document is left as far as the run got: earlier
// objects edited, the current one partly. *documentChanged, when given, tells whether
// the run got past its undo step, so that what it changed can be taken back with the
// Undo Suite (a failed preview's caller does that and clears previewShown).
HostErr RunMeshEngine(MeshParams* record, bool* documentChanged = nullptr);

// Fills the selection cache with the selected mesh art (type 11) and other selected art
// (type 8); with nothing selected the cache stays not gathered (count -1).
HostErr GatherSelection();
// Empties the selection cache; safe in either state.
void ReleaseSelection();

// "AI Filter"/"AI Go": runs the engine with fromGo = 1 on the message's record, or on
// the first-use defaults when the message carries none. A failed run is taken back
// through the Undo Suite and its code returned, so the host reports it.
HostErr HandleFilterGo(PluginMessage* message);
