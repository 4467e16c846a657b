// The data bytes and CONTINUE piece offsets of a record, made only when something is put
// in them. Most cell records never hold either (they are written straight into the
// stream): a book keeps a million of them, and each pays one pointer for both vectors.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace QExcel {

// The two vectors, made together when either is first written to.
class RecordVectors {
public:
  struct Both {
    std::vector<char> data;
    std::vector<std::uint32_t> continueOffsets;
  };

  RecordVectors() = default;
  RecordVectors(const RecordVectors& other) : both_(other.both_ ? std::make_unique<Both>(*other.both_) : nullptr) {}
  RecordVectors(RecordVectors&&) noexcept = default;
  RecordVectors& operator=(const RecordVectors& other) {
    if (this != &other) both_ = other.both_ ? std::make_unique<Both>(*other.both_) : nullptr;
    return *this;
  }
  RecordVectors& operator=(RecordVectors&&) noexcept = default;

  // The vector; an empty one when neither is made.
  template <class T>
  const std::vector<T>& get(std::vector<T> Both::*member) const {
    static const std::vector<T> none;
    return both_ ? (*both_).*member : none;
  }
  // The vector, made when neither is.
  template <class T>
  std::vector<T>& make(std::vector<T> Both::*member) {
    if (!both_) both_ = std::make_unique<Both>();
    return (*both_).*member;
  }
  bool made() const { return both_ != nullptr; }
  // Empties the vector and gives its room back; both go once both are empty.
  template <class T>
  void clear(std::vector<T> Both::*member) {
    if (!both_) return;
    std::vector<T>().swap((*both_).*member);
    if (both_->data.empty() && both_->continueOffsets.empty()) both_.reset();
  }

private:
  std::unique_ptr<Both> both_;
};

// One of a record's two vectors, as a vector that is made only when something is put in
// it. A handle to the record's storage, for the length of an expression.
template <class T>
class LazyVector {
public:
  using Member = std::vector<T> RecordVectors::Both::*;
  LazyVector(RecordVectors& vectors, Member member) : vectors_(vectors), member_(member) {}

  size_t size() const { return values().size(); }
  bool empty() const { return size() == 0; }
  T* data() { return vectors_.made() ? vec().data() : nullptr; }
  T* begin() { return data(); }
  T* end() { return data() + size(); }
  T& operator[](size_t i) { return vec()[i]; }

  // Emptied, and the vector given back.
  void clear() { vectors_.clear(member_); }
  void resize(size_t n) {
    if (n || !values().empty()) vec().resize(n);
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
  LazyVector& operator=(std::vector<T>&& values) {
    vec() = std::move(values);
    return *this;
  }

  // The values as a vector; made when there is none.
  std::vector<T>& vec() { return vectors_.make(member_); }
  const std::vector<T>& values() const { return vectors_.get(member_); }

  friend bool operator==(const LazyVector& a, const std::vector<T>& b) { return a.values() == b; }

private:
  RecordVectors& vectors_;
  Member member_;
};

}  // namespace QExcel
