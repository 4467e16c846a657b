// A standard allocator over the chunk pool, for containers a book keeps by the thousand
// (the rows of a sheet's grid): their room is recycled with the book's other small
// objects. Elements of up to 8-byte alignment.
#pragma once
#include <cstddef>

#include "spreadsheet/chunk_pool.h"

namespace QExcel {

template <class T>
class PoolAllocator {
  static_assert(alignof(T) <= 8);

public:
  using value_type = T;

  PoolAllocator() = default;
  template <class U>
  PoolAllocator(const PoolAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) { return static_cast<T*>(ChunkPool::allocate(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { ChunkPool::release(p, n * sizeof(T)); }

  template <class U>
  bool operator==(const PoolAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace QExcel
