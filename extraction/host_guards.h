// Guards for what the host lends the plug-in: an opened database object, closed on every way
// out, a selection set and a result-buffer chain, freed on every way out (also when an
// exception, such as a script's error, unwinds through the plug-in).
#pragma once
#include <cstdint>
#include <utility>

#include "platform/host/db_object.h"
#include "platform/host/editor.h"
#include "platform/host/host_status.h"
#include "platform/host/selection.h"

// Holds one open of a database object (null when none) and closes it when the guard ends.
template <typename T>
class OpenedObject {
public:
  OpenedObject() = default;
  // Takes over an open made elsewhere, such as the write open a new object is left with.
  explicit OpenedObject(T* opened) : object_(opened) {}
  OpenedObject(const OpenedObject&) = delete;
  OpenedObject& operator=(const OpenedObject&) = delete;
  ~OpenedObject() { close(); }

  // Opens the object as a T (closing the one held); false when it cannot be opened so.
  bool open(const OvDbObjectId& id, Ovis::OpenMode mode = Ovis::kForRead) {
    close();
    return ovdbOpenObject(object_, id, mode) == Ovis::eOk;
  }
  // The place a host call that opens an object fills (the one held is closed first).
  T*& receive() {
    close();
    return object_;
  }
  // Ends the open before the guard ends, where the object is opened again next.
  void close() {
    if (object_) std::exchange(object_, nullptr)->close();
  }

  T* operator->() const { return object_; }
  T* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

private:
  T* object_ = nullptr;
};

// Holds a selection set of the host editor (none until made) and frees it when the guard ends.
class SelectionSet {
public:
  SelectionSet() = default;
  SelectionSet(const SelectionSet&) = delete;
  SelectionSet& operator=(const SelectionSet&) = delete;
  ~SelectionSet() { free(); }

  // Makes the set as ovedSSGet does with the mode and filter (freeing the one held); the
  // host's status.
  int select(const wchar_t* mode, const OvResBuf* filter = nullptr) {
    free();
    return ovedSSGet(mode, nullptr, nullptr, filter, name_);
  }
  // Frees the set before the guard ends, where it must not outlive a step; nothing when none.
  void free() {
    if (name_[0] == 0 && name_[1] == 0) return;
    ovedSSFree(name_);
    name_[0] = name_[1] = 0;
  }

  const std::int64_t* name() const { return name_; }

private:
  ov_name name_{0, 0};
};

// Holds a result-buffer chain the host built for the plug-in (ovutBuildList; null when
// none) and releases it when the guard ends.
class ResultChain {
public:
  explicit ResultChain(OvResBuf* chain = nullptr) : chain_(chain) {}
  ResultChain(const ResultChain&) = delete;
  ResultChain& operator=(const ResultChain&) = delete;
  ~ResultChain() { reset(); }

  // Releases the chain held and holds this one.
  void reset(OvResBuf* chain = nullptr) {
    if (chain_) ovutRelRb(chain_);
    chain_ = chain;
  }

  OvResBuf* get() const { return chain_; }
  OvResBuf* operator->() const { return chain_; }
  explicit operator bool() const { return chain_ != nullptr; }

private:
  OvResBuf* chain_;
};
