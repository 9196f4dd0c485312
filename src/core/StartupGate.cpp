#include "core/StartupGate.h"

namespace core {

StartupRefusal CheckStartupGate(const std::string& osName, int majorVersion,
                                const std::function<bool()>& isAdmin) {
  if (osName == "Invalidated") return StartupRefusal::UnknownOS;
  if (majorVersion <= 4) return StartupRefusal::TooOld;
  if (!isAdmin()) return StartupRefusal::NotAdmin;
  return StartupRefusal::None;
}

}  // namespace core
