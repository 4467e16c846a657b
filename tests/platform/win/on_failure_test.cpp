#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/win/on_failure.h"

namespace {

// Undoes through a guard of its own while it is destroyed, as a cleanup does while an
// exception passes: only a failure of its own scope undoes.
struct CleansUpWithAGuard {
  int& undone;
  bool fail;
  ~CleansUpWithAGuard() {
    try {
      StandIn::OnFailure undo([this] { ++undone; });
      if (fail) throw std::runtime_error("cleanup");
    } catch (const std::runtime_error&) {
    }
  }
};

}  // namespace

TEST(OnFailure, UndoesOnlyWhenItsScopeIsLeftByAnException) {
  int undone = 0;
  auto scope = [&](bool fail) {
    StandIn::OnFailure undo([&] { ++undone; });
    if (fail) throw std::runtime_error("first");
  };
  scope(false);
  EXPECT_EQ(undone, 0);
  EXPECT_THROW(scope(true), std::runtime_error);
  EXPECT_EQ(undone, 1);

  // What the undoing throws is dropped: the first failure goes on.
  try {
    StandIn::OnFailure undo([] { throw std::logic_error("second"); });
    throw std::runtime_error("first");
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "first");
  }

  // Within the unwinding of another failure, a scope left normally keeps its work.
  for (bool fail : {false, true}) {
    undone = 0;
    try {
      CleansUpWithAGuard cleanup{undone, fail};
      throw std::runtime_error("outer");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(undone, fail ? 1 : 0);
  }
}
