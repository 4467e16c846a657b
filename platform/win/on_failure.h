// Undoes a scope's work when the scope is left by an exception, and only then: a scope left
// normally (also by a return) keeps what it did. What the undoing itself throws is dropped,
// so that the failure already on its way is the one that goes on.
#pragma once
#include <exception>
#include <utility>

namespace StandIn {

template <class Undo>
class OnFailure {
public:
  explicit OnFailure(Undo undo) : undo_(std::move(undo)) {}
  ~OnFailure() {
    if (std::uncaught_exceptions() <= unwinding_) return;
    try {
      undo_();
    } catch (...) {  // the first failure is the one that goes on
    }
  }
  OnFailure(const OnFailure&) = delete;
  OnFailure& operator=(const OnFailure&) = delete;

private:
  Undo undo_;
  int unwinding_ = std::uncaught_exceptions();
};

}  // namespace StandIn
