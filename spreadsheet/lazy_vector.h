// A vector that is made only when something is put in it. Most cell records never hold
// their data as bytes (they are written straight into the stream): a book keeps a
// million of them, and each pays one pointer for its data instead of a whole empty vector.
#pragma once
#include <cstddef>
#include <memory>
#include <vector>

namespace QExcel {

template <class T>
class LazyVector {
public:
  LazyVector() = default;
  LazyVector(const LazyVector& other)
      : values_(other.values_ ? std::make_unique<std::vector<T>>(*other.values_) : nullptr) {}
  LazyVector(LazyVector&&) noexcept = default;
  LazyVector& operator=(const LazyVector& other) {
    if (this != &other) values_ = other.values_ ? std::make_unique<std::vector<T>>(*other.values_) : nullptr;
    return *this;
  }
  LazyVector& operator=(LazyVector&&) noexcept = default;
  LazyVector& operator=(std::vector<T>&& values) {
    vec() = std::move(values);
    return *this;
  }

  size_t size() const { return values_ ? values_->size() : 0; }
  bool empty() const { return size() == 0; }
  T* data() { return values_ ? values_->data() : nullptr; }
  const T* data() const { return values_ ? values_->data() : nullptr; }
  T* begin() { return data(); }
  T* end() { return data() + size(); }
  const T* begin() const { return data(); }
  const T* end() const { return data() + size(); }
  T& operator[](size_t i) { return (*values_)[i]; }
  const T& operator[](size_t i) const { return (*values_)[i]; }

  // Emptied, and the vector given back.
  void clear() { values_.reset(); }
  void resize(size_t n) {
    if (n || values_) vec().resize(n);
  }
  void assign(size_t n, const T& value) { vec().assign(n, value); }
  template <class It>
  void assign(It first, It last) {
    vec().assign(first, last);
  }
  template <class It>
  void append(It first, It last) {
    vec().insert(vec().end(), first, last);
  }
  void push_back(const T& value) { vec().push_back(value); }

  // The values as a vector; made when there is none.
  std::vector<T>& vec() {
    if (!values_) values_ = std::make_unique<std::vector<T>>();
    return *values_;
  }
  const std::vector<T>& vec() const {
    static const std::vector<T> none;
    return values_ ? *values_ : none;
  }

  friend bool operator==(const LazyVector& a, const std::vector<T>& b) { return a.vec() == b; }

private:
  std::unique_ptr<std::vector<T>> values_;
};

}  // namespace QExcel
