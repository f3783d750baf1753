// Test helper: counts every heap allocation the process makes (malloc, calloc, realloc and so
// every operator new) while a counting scope is open.
#pragma once

class AllocationCount {
 public:
  AllocationCount();   // opens the scope: the count starts at 0
  ~AllocationCount();  // closes it
  AllocationCount(const AllocationCount&) = delete;
  AllocationCount& operator=(const AllocationCount&) = delete;
  long allocations() const;
};
