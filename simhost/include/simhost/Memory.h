// Blocks and memory handles the host lends the module, with the checks a conformance
// host makes on them: blocks freed twice or not by the host, handles disposed twice,
// and what is still allocated when the module shuts down.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "HostSuites.h"

namespace simhost {

class MemoryService {
 public:
  // A block of `size` bytes, filled with a pattern (the host does not clear blocks).
  void* AllocateBlock(size_t size, const std::string& debugName);
  // False, with a breach recorded, for a block that is not a live block of this host.
  bool FreeBlock(void* block);

  // A handle of `size` bytes, filled with a pattern; null while refuseHandles is set.
  HostMemHandle NewHandle(size_t size);
  // False, with a breach recorded, for a handle that is not a live handle of this host.
  bool DisposeHandle(HostMemHandle handle);
  bool IsLiveHandle(HostMemHandle handle) const;
  size_t HandleSize(HostMemHandle handle) const;

  // Out of memory: NewHandle answers success with a null handle.
  bool refuseHandles = false;

  size_t LiveBlocks() const;
  size_t LiveHandles() const;
  // Records a breach for every live block and every live handle except `kept` (what
  // the host itself keeps, such as the filter's parameter record).
  void CheckNothingLeft(const std::vector<HostMemHandle>& kept, const std::string& when);

  // Fill patterns of new and of freed memory.
  static constexpr uint8_t kFreshByte = 0xCD;
  static constexpr uint8_t kFreedByte = 0xDD;

 private:
  struct Block {
    std::unique_ptr<uint8_t[]> bytes;  // kept after freeing, so an address is never reused
    size_t size = 0;
    std::string debugName;
    bool live = true;
  };
  struct Handle {
    std::unique_ptr<void*> slot;  // what the module holds: *slot is the block
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    bool live = true;
  };
  std::map<void*, Block> blocks_;
  std::map<HostMemHandle, Handle> handles_;
};

}  // namespace simhost
