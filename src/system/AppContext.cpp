#include "system/AppContext.h"

#include "core/GbkText.h"

namespace {
TAppContext g_defaultContext;
TAppContext* g_context = &g_defaultContext;
}  // namespace

bool TPathLess::operator()(const std::string& a, const std::string& b) const {
  return core::CompareTextGbk(a, b) < 0;
}

TAppContext& AppContext() { return *g_context; }

TAppContext* SetAppContext(TAppContext* ctx) {
  TAppContext* previous = g_context;
  g_context = ctx ? ctx : &g_defaultContext;
  return previous;
}
