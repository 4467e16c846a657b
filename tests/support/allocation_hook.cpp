#include "tests/support/allocation_hook.h"

#include <cstdlib>
#include <new>

namespace {

AllocationHook* current = nullptr;
bool inHook = false;  // the hook's own allocations go to the heap

void* allocateAsked(std::size_t size) {
  if (current && !inHook) {
    inHook = true;
    void* given = nullptr;
    try {
      given = current->allocate(size);
    } catch (...) {
      inHook = false;
      throw;
    }
    inHook = false;
    if (given) return given;
  }
  void* block = std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  return block;
}

void* allocateOrNull(std::size_t size) noexcept {
  try {
    return allocateAsked(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void release(void* block) noexcept {
  if (block && !(current && current->owns(block))) std::free(block);
}

}  // namespace

ScopedAllocationHook::ScopedAllocationHook(AllocationHook& hook) : previous_(current) { current = &hook; }

ScopedAllocationHook::~ScopedAllocationHook() { current = previous_; }

void* LargeAllocationsRefused::allocate(std::size_t size) {
  if (size < from_) return nullptr;
  ++refused_;
  throw std::bad_alloc();
}

// The program's allocation functions, all of them on the heap but for what a hook gives.
void* operator new(std::size_t size) { return allocateAsked(size); }
void* operator new[](std::size_t size) { return allocateAsked(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { release(block); }
