#include "sim/storage.h"

#include <cstdint>
#include <cstdlib>

namespace {

void* defaultAllocate(std::size_t count, std::size_t elementSize) {
  return std::calloc(count, elementSize);
}

void defaultFree(void* block) { std::free(block); }

StorageAllocateFn allocateFn = defaultAllocate;
StorageFreeFn freeFn = defaultFree;

}  // namespace

bool storageObtain(void*& block, std::size_t count, std::size_t elementSize) {
  block = nullptr;
  if (count == 0) return true;
  if (elementSize != 0 && count > SIZE_MAX / elementSize) return false;
  block = allocateFn(count, elementSize);
  return block != nullptr;
}

void storageRelease(void* block) {
  if (block != nullptr) freeFn(block);
}

void storageSetAllocator(StorageAllocateFn allocate, StorageFreeFn release) {
  allocateFn = allocate != nullptr ? allocate : defaultAllocate;
  freeFn = release != nullptr ? release : defaultFree;
}
