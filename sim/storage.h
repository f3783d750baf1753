// Storage for the simulation's owned arrays. All of it is obtained when the scene is built and
// none afterwards. Blocks come zero-filled, so a record whose initialisation stopped half way
// holds empty links and can still be released safely.
#pragma once

#include <cstddef>

// Obtains a zero-filled block for count elements of elementSize bytes. count 0 succeeds with
// no block (nullptr). Returns false, with block nullptr, when the storage cannot be obtained or
// the size does not fit in memory.
bool storageObtain(void*& block, std::size_t count, std::size_t elementSize);

// Releases a block from storageObtain; nullptr is ignored.
void storageRelease(void* block);

// Typed form of storageObtain.
template <typename T>
bool storageObtainArray(T*& array, std::size_t count) {
  void* block = nullptr;
  const bool obtained = storageObtain(block, count, sizeof(T));
  array = static_cast<T*>(block);
  return obtained;
}

// Seam for tests: replaces the allocator behind storageObtain and storageRelease (the C
// library's calloc and free). Passing nullptr for either restores its default.
using StorageAllocateFn = void* (*)(std::size_t count, std::size_t elementSize);
using StorageFreeFn = void (*)(void* block);
void storageSetAllocator(StorageAllocateFn allocate, StorageFreeFn release);
