// Replaces the C library's allocation entry points in this test program with counting
// wrappers around glibc's own implementations.
#include "tests/sim/allocation_counter.h"

#include <cstddef>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
}

namespace {
bool counting = false;
long counted = 0;

void note() {
  if (counting) ++counted;
}
}  // namespace

extern "C" {
void* malloc(std::size_t size) {
  note();
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
  note();
  return __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size) {
  note();
  return __libc_realloc(block, size);
}
}

AllocationCount::AllocationCount() {
  counted = 0;
  counting = true;
}

AllocationCount::~AllocationCount() { counting = false; }

long AllocationCount::allocations() const { return counted; }
