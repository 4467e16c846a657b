// An intrusive reference-counted pointer. The count is the first 32-bit word of the
// pointee (its RefCounted base); the pointee is deleted when the last RefPtr lets go.
#pragma once
#include <cstdint>

namespace QExcel {

class RefCounted {
public:
  RefCounted() = default;
  // A copy is a new object: it starts without owners.
  RefCounted(const RefCounted&) {}
  RefCounted& operator=(const RefCounted&) { return *this; }
  std::uint32_t refCount = 0;
};

template <class T>
class RefPtr {
public:
  RefPtr() = default;
  RefPtr(T* p) : p_(p) { acquire(p_); }
  RefPtr(const RefPtr& other) : p_(other.p_) { acquire(p_); }
  RefPtr(RefPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
  ~RefPtr() { release(p_); }

  // The new pointee is taken before the old one is released, so self-assignment is safe.
  RefPtr& operator=(const RefPtr& other) { return reset(other.p_); }
  RefPtr& operator=(T* p) { return reset(p); }
  RefPtr& operator=(RefPtr&& other) noexcept {
    if (this != &other) {
      T* old = p_;
      p_ = other.p_;
      other.p_ = nullptr;
      release(old);
    }
    return *this;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }

private:
  RefPtr& reset(T* p) {
    T* old = p_;
    acquire(p);
    p_ = p;
    release(old);
    return *this;
  }
  static void acquire(T* p) {
    if (p) ++p->refCount;
  }
  static void release(T* p) {
    if (p && --p->refCount == 0) delete p;
  }

  T* p_ = nullptr;
};

}  // namespace QExcel
