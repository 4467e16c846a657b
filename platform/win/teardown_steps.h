// The steps of a teardown (a window's destruction, the end of a modal dialog) run one after
// the other whatever each throws (memory run out, in a handler or in the stand-in itself):
// the first thing thrown is kept and thrown on once every step has run, so that a failed
// step never leaves the next ones undone.
#pragma once
#include <exception>

namespace StandIn {

class TeardownSteps {
public:
  template <class Step>
  void run(Step&& step) noexcept {
    try {
      step();
    } catch (...) {
      if (!failure_) failure_ = std::current_exception();
    }
  }
  bool failed() const { return failure_ != nullptr; }
  // Throws the first thing a step threw, if any.
  void rethrow() const {
    if (failure_) std::rethrow_exception(failure_);
  }

private:
  std::exception_ptr failure_;
};

}  // namespace StandIn
