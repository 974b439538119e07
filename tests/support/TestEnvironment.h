#pragma once
// Every test program runs each test in its own process with its own temporary folder,
// settings store (XDG_CONFIG_HOME) and working folder, so that tests never collide.

#include <string>

// The temporary folder of the running test process (created at start, removed at exit).
const std::string& TestTempDir();
// A path inside TestTempDir.
std::string TestPath(const std::string& name);
// Sets the time zone of the process (TZ), for tests whose local times depend on it.
void PinTimeZone(const char* zone);
