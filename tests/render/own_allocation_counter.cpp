// Replaces the allocation entry points in this test program with counting wrappers around
// glibc's own. Whether a C allocation is the program's own is told by its return address: the
// program's code is linked statically into the executable, which dl_iterate_phdr lists first.
#include "tests/render/own_allocation_counter.h"

#include <link.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);
}

namespace {

bool counting = false;
long counted = 0;
std::uintptr_t programStart = 0;
std::uintptr_t programEnd = 0;

int findProgram(dl_phdr_info* info, std::size_t, void*) {
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = info->dlpi_phdr[i];
    if (segment.p_type != PT_LOAD) continue;
    const std::uintptr_t start = info->dlpi_addr + segment.p_vaddr;
    const std::uintptr_t end = start + segment.p_memsz;
    if (programStart == 0 || start < programStart) programStart = start;
    if (end > programEnd) programEnd = end;
  }
  return 1;  // the first object listed is the program itself
}

void noteFrom(const void* caller) {
  const auto address = reinterpret_cast<std::uintptr_t>(caller);
  if (counting && address >= programStart && address < programEnd) ++counted;
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

// operator new too is counted only when the program calls it: libraries written in C++ (the GL
// implementation's shader compiler) reach this replacement as well.
namespace {
void* newBlock(std::size_t size, const void* caller) {
  noteFrom(caller);
  void* block = __libc_malloc(size != 0 ? size : 1);
  if (block == nullptr) std::abort();
  return block;
}
}  // namespace

void* operator new(std::size_t size) { return newBlock(size, __builtin_return_address(0)); }
void* operator new[](std::size_t size) { return newBlock(size, __builtin_return_address(0)); }
void operator delete(void* block) noexcept { __libc_free(block); }
void operator delete[](void* block) noexcept { __libc_free(block); }
void operator delete(void* block, std::size_t) noexcept { __libc_free(block); }
void operator delete[](void* block, std::size_t) noexcept { __libc_free(block); }

OwnAllocationCount::OwnAllocationCount() {
  if (programEnd == 0) dl_iterate_phdr(findProgram, nullptr);
  counted = 0;
  counting = true;
}

OwnAllocationCount::~OwnAllocationCount() { counting = false; }

long OwnAllocationCount::allocations() const { return counted; }
