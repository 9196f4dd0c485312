// Check boxes of the cleaning item tree: six states, three kinds of box.
#pragma once
#include <cstdint>

// Ordered so that "checked or mixed" is everything from Checked on; the pressed variants
// are the looks a box has while the mouse button is held on it.
enum class TCheckState : uint8_t {
  Unchecked,
  UncheckedPressed,
  Checked,
  CheckedPressed,
  Mixed,
  MixedPressed,
};

enum class TCheckType : uint8_t {
  None,      // no box; ignored when a parent sums up its children
  CheckBox,  // plain box (findings): checked or unchecked
  TriState,  // groups and items: follows the children, and pushes its own state down
};

inline bool IsCheckedOrMixed(TCheckState s) { return s >= TCheckState::Checked; }
inline bool IsChecked(TCheckState s) {
  return s == TCheckState::Checked || s == TCheckState::CheckedPressed;
}
inline bool IsUnchecked(TCheckState s) {
  return s == TCheckState::Unchecked || s == TCheckState::UncheckedPressed;
}
inline bool IsMixed(TCheckState s) {
  return s == TCheckState::Mixed || s == TCheckState::MixedPressed;
}
inline bool IsPressed(TCheckState s) { return (static_cast<uint8_t>(s) & 1) != 0; }

// The state without its pressed look, and with it.
inline TCheckState NormalState(TCheckState s) {
  return static_cast<TCheckState>(static_cast<uint8_t>(s) & ~1u);
}
inline TCheckState PressedState(TCheckState s) {
  return static_cast<TCheckState>(static_cast<uint8_t>(s) | 1u);
}
