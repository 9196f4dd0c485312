// Runs its action when the scope ends, however it ends: the clean-up of a test that a
// failed assertion (which returns from the test body) must not skip.
#pragma once
#include <functional>
#include <utility>

class TAtExit {
 public:
  explicit TAtExit(std::function<void()> action) : action_(std::move(action)) {}
  ~TAtExit() {
    if (action_) action_();
  }
  TAtExit(const TAtExit&) = delete;
  TAtExit& operator=(const TAtExit&) = delete;

 private:
  std::function<void()> action_;
};
