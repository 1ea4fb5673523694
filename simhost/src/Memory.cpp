#include "simhost/Memory.h"

#include <cstdio>
#include <cstring>

#include "simhost/SimHost.h"

namespace simhost {

namespace {

std::string Address(const void* pointer) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", pointer);
  return text;
}

}  // namespace

void* MemoryService::AllocateBlock(size_t size, const std::string& debugName) {
  Block block;
  block.bytes.reset(new uint8_t[size > 0 ? size : 1]);
  std::memset(block.bytes.get(), kFreshByte, size > 0 ? size : 1);
  block.size = size;
  block.debugName = debugName;
  void* address = block.bytes.get();
  blocks_[address] = std::move(block);
  return address;
}

bool MemoryService::FreeBlock(void* address) {
  auto found = blocks_.find(address);
  if (found == blocks_.end()) {
    Host().suites.RecordBreach("block not allocated by the host",
                               "FreeBlock of " + Address(address));
    return false;
  }
  Block& block = found->second;
  if (!block.live) {
    Host().suites.RecordBreach("block freed twice",
                               "\"" + block.debugName + "\" at " + Address(address));
    return false;
  }
  block.live = false;
  std::memset(block.bytes.get(), kFreedByte, block.size);
  return true;
}

HostMemHandle MemoryService::NewHandle(size_t size) {
  if (refuseHandles) return nullptr;
  Handle handle;
  handle.bytes.reset(new uint8_t[size > 0 ? size : 1]);
  std::memset(handle.bytes.get(), kFreshByte, size > 0 ? size : 1);
  handle.size = size;
  handle.slot.reset(new void*(handle.bytes.get()));
  HostMemHandle key = handle.slot.get();
  handles_[key] = std::move(handle);
  return key;
}

bool MemoryService::DisposeHandle(HostMemHandle key) {
  auto found = handles_.find(key);
  if (found == handles_.end()) {
    Host().suites.RecordBreach("handle not made by the host", "DisposeHandle of " + Address(key));
    return false;
  }
  Handle& handle = found->second;
  if (!handle.live) {
    Host().suites.RecordBreach("handle disposed twice", "handle " + Address(key));
    return false;
  }
  handle.live = false;
  // The slot stays (so a second dispose is recognised); the block itself goes, so a
  // module that reads it afterwards is caught by the address sanitizer.
  handle.bytes.reset();
  *handle.slot = nullptr;
  return true;
}

bool MemoryService::IsLiveHandle(HostMemHandle key) const {
  auto found = handles_.find(key);
  return found != handles_.end() && found->second.live;
}

size_t MemoryService::HandleSize(HostMemHandle key) const {
  auto found = handles_.find(key);
  return found != handles_.end() && found->second.live ? found->second.size : 0;
}

size_t MemoryService::LiveBlocks() const {
  size_t count = 0;
  for (const auto& entry : blocks_) count += entry.second.live ? 1 : 0;
  return count;
}

size_t MemoryService::LiveHandles() const {
  size_t count = 0;
  for (const auto& entry : handles_) count += entry.second.live ? 1 : 0;
  return count;
}

void MemoryService::CheckNothingLeft(const std::vector<HostMemHandle>& kept,
                                     const std::string& when) {
  for (const auto& entry : blocks_) {
    if (entry.second.live) {
      Host().suites.RecordBreach("block never freed", "\"" + entry.second.debugName + "\" (" +
                                                          std::to_string(entry.second.size) +
                                                          " bytes) " + when);
    }
  }
  for (const auto& entry : handles_) {
    bool isKept = false;
    for (HostMemHandle keptHandle : kept) isKept = isKept || keptHandle == entry.first;
    if (entry.second.live && !isKept) {
      Host().suites.RecordBreach(
          "handle never disposed",
          "handle of " + std::to_string(entry.second.size) + " bytes " + when);
    }
  }
}

}  // namespace simhost
