#include "tests/support/EnvironmentOverride.h"

#include <cstdlib>

CEnvironmentOverride::CEnvironmentOverride(const char* name, const char* value) : m_name(name) {
  if (const char* before = std::getenv(name)) m_before = before;
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

CEnvironmentOverride::CEnvironmentOverride(const char* name, const std::string& value)
    : CEnvironmentOverride(name, value.c_str()) {}

CEnvironmentOverride::~CEnvironmentOverride() {
  if (m_before) {
    setenv(m_name.c_str(), m_before->c_str(), 1);
  } else {
    unsetenv(m_name.c_str());
  }
}
