// The current document and the drawing services over it: art, meshes, bounds,
// transforms, blending, undo, random numbers and the view.
#pragma once

#include "simhost/Document.h"

namespace simhost {

class DocumentHost {
 public:
  Document doc;
};

}  // namespace simhost
