// The built-in sample: a colourful, gently waved gradient mesh on a page, so the tool
// shows the filter at work with no input file.
#pragma once

#include "simhost/Document.h"

namespace quibtool {

simhost::Document SampleDocument();

}  // namespace quibtool
