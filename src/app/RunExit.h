// Runs restore when a scope is left by an error: the entry points of a scan or clean use
// it so that no error leaves a run half-alive (flags set, buttons off, the window
// refusing to close).
#pragma once
#include <exception>
#include <functional>
#include <utility>

class TRunExit {
 public:
  explicit TRunExit(std::function<void()> restore)
      : restore_(std::move(restore)), errors_(std::uncaught_exceptions()) {}
  ~TRunExit() {
    if (std::uncaught_exceptions() > errors_) restore_();
  }
  TRunExit(const TRunExit&) = delete;
  TRunExit& operator=(const TRunExit&) = delete;

 private:
  std::function<void()> restore_;
  int errors_;
};
