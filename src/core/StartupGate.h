// Which systems and users the interactive program refuses, in the order they are tested.
#pragma once
#include <functional>
#include <string>

namespace core {

enum class StartupRefusal {
  None,
  UnknownOS,  // name "Invalidated"
  TooOld,     // major version 4 or lower
  NotAdmin,   // token without the Administrators group
};

// isAdmin is asked only when the version tests pass.
StartupRefusal CheckStartupGate(const std::string& osName, int majorVersion,
                                const std::function<bool()>& isAdmin);

}  // namespace core
