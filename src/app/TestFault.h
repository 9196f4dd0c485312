// A seam for the black-box tests: with the variable PURVEX_TEST_FAULT set to "scan" in
// the program's environment, every scan fails with an error as it starts, so the tests can
// show that a run meeting an error still ends and the window still closes. Without the
// variable (always, outside the tests) nothing changes.
#pragma once

class THandlerTable;

void AddTestFault(THandlerTable& handlers);
