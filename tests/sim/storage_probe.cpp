#include "tests/sim/storage_probe.h"

#include <cstdlib>

#include "sim/storage.h"

namespace {

int failOn = 0;
int requestCount = 0;
int live = 0;

void* probeAllocate(std::size_t count, std::size_t elementSize) {
  ++requestCount;
  if (requestCount == failOn) return nullptr;
  void* block = std::calloc(count, elementSize);
  if (block != nullptr) ++live;
  return block;
}

void probeFree(void* block) {
  --live;
  std::free(block);
}

}  // namespace

StorageProbe::StorageProbe(int failOnRequest) {
  failOn = failOnRequest;
  requestCount = 0;
  live = 0;
  storageSetAllocator(probeAllocate, probeFree);
}

StorageProbe::~StorageProbe() { storageSetAllocator(nullptr, nullptr); }

int StorageProbe::requests() const { return requestCount; }

int StorageProbe::liveBlocks() const { return live; }
