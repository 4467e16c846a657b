// Objects behind opaque handles. A handle's value is a serial number that is never
// reused, with a small kind tag in its low bits, so a stale or foreign handle is found
// dead instead of reaching another object.
#pragma once
#include <cstdint>
#include <map>
#include <memory>

namespace StandIn {

enum class HandleKind : std::uintptr_t { Window = 1, Menu, Dc, Font, Brush, Pen, Bitmap, ImageList, Global, Icon };

// One counter for every kind, so handles of different kinds never share a value.
std::uintptr_t NextHandleSerial();

template <typename T>
class HandleTable {
public:
  template <typename H>
  H Add(std::unique_ptr<T> object, HandleKind kind) {
    std::uintptr_t value = (NextHandleSerial() << 4) | static_cast<std::uintptr_t>(kind);
    objects_[value] = std::move(object);
    return reinterpret_cast<H>(value);
  }
  T* Find(const void* handle) const {
    auto it = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == objects_.end() ? nullptr : it->second.get();
  }
  std::unique_ptr<T> Remove(const void* handle) {
    auto it = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == objects_.end()) return nullptr;
    std::unique_ptr<T> object = std::move(it->second);
    objects_.erase(it);
    return object;
  }
  int Size() const { return static_cast<int>(objects_.size()); }
  const std::map<std::uintptr_t, std::unique_ptr<T>>& All() const { return objects_; }

private:
  std::map<std::uintptr_t, std::unique_ptr<T>> objects_;
};

}  // namespace StandIn
