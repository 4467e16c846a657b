// A test's say over the program's allocations: while a hook is set, every allocation made
// through operator new asks it first, so that a test can hand out memory of its own for
// some requests (many large texts sharing one block of characters) or refuse them, as a
// machine out of memory would. A test program that links this file has its operator new
// and delete replaced; the others keep the library's.
#pragma once
#include <cstddef>

class AllocationHook {
public:
  AllocationHook() = default;
  AllocationHook(const AllocationHook&) = delete;
  AllocationHook& operator=(const AllocationHook&) = delete;
  virtual ~AllocationHook() = default;

  // Memory for a request of the given size, or null to take it from the heap; may throw
  // std::bad_alloc. Called only while the hook is set, never for its own allocations.
  virtual void* allocate(std::size_t size) = 0;
  // Whether the block is one the hook handed out (it is then not given back to the heap).
  virtual bool owns(const void* block) const { return false; }
};

// Sets the hook for its own lifetime; what the hook handed out must be freed within it.
class ScopedAllocationHook {
public:
  explicit ScopedAllocationHook(AllocationHook& hook);
  ~ScopedAllocationHook();
  ScopedAllocationHook(const ScopedAllocationHook&) = delete;
  ScopedAllocationHook& operator=(const ScopedAllocationHook&) = delete;

private:
  AllocationHook* previous_;
};

// Refuses every allocation of at least the given size while set: a large block, such as a
// whole file's bytes or a long text, cannot be had.
class LargeAllocationsRefused : public AllocationHook {
public:
  explicit LargeAllocationsRefused(std::size_t from) : from_(from) {}
  void* allocate(std::size_t size) override;
  // How many allocations were refused.
  int refused() const { return refused_; }

private:
  std::size_t from_;
  int refused_ = 0;
};
