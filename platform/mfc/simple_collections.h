// CSimpleArray and CSimpleMap: small ordered containers in the manner of the ATL ones.
// Indexes are checked: an index outside the array is an error the caller sees as a false
// result (Remove/SetAt), and operator[] on a bad index throws std::out_of_range.
#pragma once
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "platform/win/win32_types.h"

template <typename T>
class CSimpleArray {
public:
  int GetSize() const { return static_cast<int>(items_.size()); }
  BOOL Add(const T& item) {
    items_.push_back(item);
    return TRUE;
  }
  BOOL Remove(const T& item) {
    int i = Find(item);
    return i >= 0 ? RemoveAt(i) : FALSE;
  }
  BOOL RemoveAt(int index) {
    if (index < 0 || index >= GetSize()) return FALSE;
    items_.erase(items_.begin() + index);
    return TRUE;
  }
  void RemoveAll() { items_.clear(); }
  BOOL SetAtIndex(int index, const T& item) {
    if (index < 0 || index >= GetSize()) return FALSE;
    items_[static_cast<size_t>(index)] = item;
    return TRUE;
  }
  int Find(const T& item) const {
    for (int i = 0; i < GetSize(); ++i)
      if (items_[static_cast<size_t>(i)] == item) return i;
    return -1;
  }
  T& operator[](int index) { return items_.at(static_cast<size_t>(index)); }
  const T& operator[](int index) const { return items_.at(static_cast<size_t>(index)); }
  T* GetData() { return items_.empty() ? nullptr : items_.data(); }
  const T* GetData() const { return items_.empty() ? nullptr : items_.data(); }

private:
  std::vector<T> items_;
};

template <typename K, typename V>
class CSimpleMap {
public:
  int GetSize() const { return static_cast<int>(keys_.size()); }
  BOOL Add(const K& key, const V& value) {
    keys_.push_back(key);
    values_.push_back(value);
    return TRUE;
  }
  BOOL Remove(const K& key) {
    int i = FindKey(key);
    return i >= 0 ? RemoveAt(i) : FALSE;
  }
  BOOL RemoveAt(int index) {
    if (index < 0 || index >= GetSize()) return FALSE;
    keys_.erase(keys_.begin() + index);
    values_.erase(values_.begin() + index);
    return TRUE;
  }
  void RemoveAll() {
    keys_.clear();
    values_.clear();
  }
  // Replaces the value of the first entry with this key; false when there is none.
  BOOL SetAt(const K& key, const V& value) {
    int i = FindKey(key);
    if (i < 0) return FALSE;
    values_[static_cast<size_t>(i)] = value;
    return TRUE;
  }
  BOOL SetAtIndex(int index, const K& key, const V& value) {
    if (index < 0 || index >= GetSize()) return FALSE;
    keys_[static_cast<size_t>(index)] = key;
    values_[static_cast<size_t>(index)] = value;
    return TRUE;
  }
  // The value of the first entry with this key, or a default-constructed value.
  V Lookup(const K& key) const {
    int i = FindKey(key);
    return i >= 0 ? values_[static_cast<size_t>(i)] : V();
  }
  int FindKey(const K& key) const {
    for (int i = 0; i < GetSize(); ++i)
      if (keys_[static_cast<size_t>(i)] == key) return i;
    return -1;
  }
  int FindVal(const V& value) const {
    for (int i = 0; i < GetSize(); ++i)
      if (values_[static_cast<size_t>(i)] == value) return i;
    return -1;
  }
  K& GetKeyAt(int index) { return keys_.at(static_cast<size_t>(index)); }
  const K& GetKeyAt(int index) const { return keys_.at(static_cast<size_t>(index)); }
  V& GetValueAt(int index) { return values_.at(static_cast<size_t>(index)); }
  const V& GetValueAt(int index) const { return values_.at(static_cast<size_t>(index)); }

private:
  std::vector<K> keys_;
  std::vector<V> values_;
};
