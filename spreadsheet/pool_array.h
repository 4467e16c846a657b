// An owned array of plain values (characters, code units) whose room comes from the
// chunk pool's lane for strings: a pointer and a count, for texts that a book keeps by
// the hundred thousand.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "spreadsheet/chunk_pool.h"

namespace QExcel {

template <class T>
class PoolArray {
  static_assert(std::is_trivially_copyable_v<T> && alignof(T) <= 8);

public:
  PoolArray() = default;
  PoolArray(const PoolArray& other) { assign(other.data_, other.size_); }
  PoolArray(PoolArray&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
  }
  PoolArray& operator=(const PoolArray& other) {
    if (this != &other) assign(other.data_, other.size_);
    return *this;
  }
  PoolArray& operator=(PoolArray&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    return *this;
  }
  ~PoolArray() { clear(); }

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T* data() { return data_; }
  const T* data() const { return data_; }
  T operator[](size_t i) const { return data_[i]; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + size_; }
  bool operator==(const PoolArray& other) const { return std::equal(begin(), end(), other.begin(), other.end()); }

  void clear() {
    if (data_) ChunkPool::release(data_, size_ * sizeof(T));
    data_ = nullptr;
    size_ = 0;
  }
  // count values whose content the caller fills in.
  T* allocate(size_t count) {
    clear();
    if (count) data_ = static_cast<T*>(ChunkPool::allocate(count * sizeof(T), ChunkPool::Lane::kStrings));
    size_ = static_cast<std::uint32_t>(count);
    return data_;
  }
  void assign(const T* values, size_t count) {
    T* to = allocate(count);
    if (count) std::memcpy(to, values, count * sizeof(T));
  }
  void append(const T* values, size_t count) {
    if (!count) return;
    PoolArray joined;
    T* to = joined.allocate(size_ + count);
    if (size_) std::memcpy(to, data_, size_ * sizeof(T));
    std::memcpy(to + size_, values, count * sizeof(T));
    *this = std::move(joined);
  }

private:
  T* data_ = nullptr;
  std::uint32_t size_ = 0;
};

}  // namespace QExcel
