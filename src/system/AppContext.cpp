#include "system/AppContext.h"

namespace {
TAppContext g_defaultContext;
TAppContext* g_context = &g_defaultContext;
}  // namespace

TAppContext& AppContext() { return *g_context; }

TAppContext* SetAppContext(TAppContext* ctx) {
  TAppContext* previous = g_context;
  g_context = ctx ? ctx : &g_defaultContext;
  return previous;
}
