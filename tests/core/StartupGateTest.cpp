#include "core/StartupGate.h"

#include <gtest/gtest.h>

using core::CheckStartupGate;
using core::StartupRefusal;

namespace {
struct AdminProbe {
  bool answer;
  int asked = 0;
  std::function<bool()> Fn() {
    return [this] {
      ++asked;
      return answer;
    };
  }
};
}  // namespace

TEST(StartupGate, FirstFailingTestWins) {
  AdminProbe nonAdmin{false};
  EXPECT_EQ(CheckStartupGate("Invalidated", 10, nonAdmin.Fn()), StartupRefusal::UnknownOS);
  EXPECT_EQ(CheckStartupGate("Invalidated", 3, nonAdmin.Fn()), StartupRefusal::UnknownOS);
  EXPECT_EQ(CheckStartupGate("", 4, nonAdmin.Fn()), StartupRefusal::TooOld);
  EXPECT_EQ(CheckStartupGate("98", 4, nonAdmin.Fn()), StartupRefusal::TooOld);
  EXPECT_EQ(nonAdmin.asked, 0) << "the token is read only when the version passes";
  EXPECT_EQ(CheckStartupGate("XP", 5, nonAdmin.Fn()), StartupRefusal::NotAdmin);
  EXPECT_EQ(nonAdmin.asked, 1);
}

TEST(StartupGate, SupportedSystemsPassForAdministrators) {
  AdminProbe admin{true};
  struct {
    const char* name;
    int major;
  } systems[] = {{"2000", 5}, {"XP", 5}, {"2003", 5}, {"Vista", 6}, {"2008", 6}, {"7", 6}, {"", 6}};
  for (const auto& s : systems)
    EXPECT_EQ(CheckStartupGate(s.name, s.major, admin.Fn()), StartupRefusal::None) << s.name;
}
