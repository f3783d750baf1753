// Counting wrappers around glibc's allocator. An allocation is the program's own when it is
// asked for from the program's code, all linked statically into the executable (the first
// object dl_iterate_phdr lists); libraries, the GL implementation and its C++ compiler among
// them, reach these same entry points but are not counted.
#include "tests/support/own_allocation_counter.h"

#include <link.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
}

namespace {

bool counting = false;
long counted = 0;
std::uintptr_t programStart = UINTPTR_MAX;
std::uintptr_t programEnd = 0;

int findProgram(dl_phdr_info* info, std::size_t, void*) {
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    if (info->dlpi_phdr[i].p_type != PT_LOAD) continue;
    const std::uintptr_t start = info->dlpi_addr + info->dlpi_phdr[i].p_vaddr;
    if (start < programStart) programStart = start;
    if (start + info->dlpi_phdr[i].p_memsz > programEnd) {
      programEnd = start + info->dlpi_phdr[i].p_memsz;
    }
  }
  return 1;  // only the program itself
}

void noteFrom(const void* caller) {
  const auto address = reinterpret_cast<std::uintptr_t>(caller);
  if (counting && address >= programStart && address < programEnd) ++counted;
}

void* newBlock(std::size_t size, const void* caller) {
  noteFrom(caller);
  void* block = __libc_malloc(size != 0 ? size : 1);
  if (block == nullptr) std::abort();
  return block;
}

}  // namespace

extern "C" {
void* malloc(std::size_t size) {
  noteFrom(__builtin_return_address(0));
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
  noteFrom(__builtin_return_address(0));
  return __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size) {
  noteFrom(__builtin_return_address(0));
  return __libc_realloc(block, size);
}
}

void* operator new(std::size_t size) { return newBlock(size, __builtin_return_address(0)); }
void* operator new[](std::size_t size) { return newBlock(size, __builtin_return_address(0)); }

OwnAllocationCount::OwnAllocationCount() {
  if (programEnd == 0) dl_iterate_phdr(findProgram, nullptr);
  counted = 0;
  counting = true;
}

OwnAllocationCount::~OwnAllocationCount() { counting = false; }

long OwnAllocationCount::allocations() const { return counted; }
