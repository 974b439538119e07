#pragma once
// Every test gets its own temporary folder, settings store (XDG_CONFIG_HOME) and user data
// folder (XDG_DATA_HOME), and finds the environment as the test before it found it: a test that
// leaves a variable changed fails, and the variable is put back. So a test program passes the
// same whether each test runs in its own process or all run in one.

#include <string>

// The temporary folder of the running test; outside a test, that of the test process. All are
// removed when the process ends.
const std::string& TestTempDir();
// A path inside TestTempDir.
std::string TestPath(const std::string& name);
// Sets the time zone of the process (TZ) until the running test ends, for tests whose local
// times depend on it.
void PinTimeZone(const char* zone);
// Runs the tests of the program with the per-process and per-test environment; what main
// returns.
int RunTestProgram(int argc, char** argv);
