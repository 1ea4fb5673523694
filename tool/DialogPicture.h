// A picture of a modal dialog as the user saw it when it closed: its visible items at
// their rectangles with their texts, values and list entries.
#pragma once

#include <string>

#include "simhost/DialogManager.h"

namespace quibtool {

// PNG bytes; `scale` pixels per dialog unit.
std::string RenderDialogPng(const simhost::DialogRecord& dialog, double scale);

}  // namespace quibtool
