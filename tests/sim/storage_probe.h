// Test helper: routes the simulation's storage through a counting allocator that can be told to
// refuse one request, so tests reach the failure paths and check that nothing is left behind.
#pragma once

class StorageProbe {
 public:
  // failOnRequest: the 1-based number of the request to refuse; 0 refuses none.
  explicit StorageProbe(int failOnRequest = 0);
  ~StorageProbe();
  StorageProbe(const StorageProbe&) = delete;
  StorageProbe& operator=(const StorageProbe&) = delete;

  int requests() const;    // allocation requests seen, refused ones included
  int liveBlocks() const;  // blocks handed out and not yet released
};
