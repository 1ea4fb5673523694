// Blocks and memory handles the host lends the module.
#pragma once

namespace simhost {

class MemoryService {
 public:
};

}  // namespace simhost
