#include "registry/RegistryCategories.h"

#include "items/ItemSummary.h"
#include "registry/RegistryCaches.h"
#include "system/AppContext.h"

namespace {

// A new scan of the ActiveX category forgets what the last one reported.
void ForgetBrokenClasses() { RegistryCaches().ClearBrokenClasses(); }

}  // namespace

const std::vector<TRegistryCategory>& RegistryCategories() {
  using V = TRegistryViews;
  static const std::vector<TRegistryCategory> kCategories = {
      {"冗余动态链接库", V::Both, nullptr, nullptr},
      {"无效的软件", V::Both, nullptr, nullptr},
      {"无效的安装程序", V::Both, nullptr, nullptr},
      {"无效的反安装程序", V::Both, nullptr, nullptr},
      {"无效的帮助", V::Both, nullptr, nullptr},
      {"无效的开始菜单", V::Both, nullptr, nullptr},
      {"无效的右键菜单", V::Native, nullptr, nullptr},
      {"错误的ActiveX信息", V::Native, nullptr, ForgetBrokenClasses},
      {"错误的文件关联", V::Native, nullptr, nullptr},
      {"错误的类信息", V::Both, nullptr, nullptr},
      {"无效的Windows防火墙设置", V::Native, nullptr, nullptr},
      {"无效的MUI缓存", V::Native, nullptr, nullptr},
      {"无效的启动项目", V::Native, nullptr, nullptr},
      {"无效的应用程序路径", V::Native, nullptr, nullptr},
      {"无效的字体", V::Native, nullptr, nullptr},
  };
  return kCategories;
}

TItemHandler RegistryCategoryHandler(TRegistryViews views, TRegistryCheck check, std::function<void()> begin) {
  TItemHandler handler;
  handler.UnitWord = kUnitItems;
  handler.Scan = [views, check, begin](TItemScan& scan) {
    if (begin) begin();
    if (!check) return;
    const bool wow64 = AppContext().IsWow64();
    if (views == TRegistryViews::Native) {
      TRegistryRun run(scan, wow64);
      check(run);
      return;
    }
    TRegistryRun defaultView(scan, false);
    check(defaultView);
    if (!wow64 || defaultView.Stopped()) return;
    TRegistryRun view64(scan, true);
    check(view64);
  };
  return handler;
}

void RegisterRegistryCategories(THandlerTable& handlers) {
  for (const TRegistryCategory& c : RegistryCategories())
    handlers.Register(c.Caption, RegistryCategoryHandler(c.Views, c.Check ? TRegistryCheck(c.Check) : nullptr,
                                                         c.Begin ? std::function<void()>(c.Begin) : nullptr));
}
