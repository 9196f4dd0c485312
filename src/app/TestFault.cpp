#include "app/TestFault.h"

#include <stdexcept>

#include "items/ItemHandlers.h"
#include "system/ToolsPaths.h"

void AddTestFault(THandlerTable& handlers) {
  if (EnvironmentValue("PURVEX_TEST_FAULT") != "scan") return;
  handlers.OnScanStart([] { throw std::runtime_error("the fault PURVEX_TEST_FAULT asks for"); });
}
