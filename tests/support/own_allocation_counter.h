// Test helper: counts the heap allocations this program's own code makes (operator new, and
// malloc, calloc and realloc called from the program itself) while a counting scope is open.
// Allocations a shared library makes on its own behalf, such as the GL implementation's, are
// not counted.
#pragma once

class OwnAllocationCount {
 public:
  OwnAllocationCount();   // opens the scope: the count starts at 0
  ~OwnAllocationCount();  // closes it
  OwnAllocationCount(const OwnAllocationCount&) = delete;
  OwnAllocationCount& operator=(const OwnAllocationCount&) = delete;
  long allocations() const;
};
