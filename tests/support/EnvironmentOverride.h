#pragma once
// An environment variable set or removed for as long as the override lives; the value it had
// before (or its absence) comes back when the override goes, so that no test leaves its
// environment to the tests after it.

#include <optional>
#include <string>

class CEnvironmentOverride {
 public:
  // Sets the variable to the value; a null value removes it.
  CEnvironmentOverride(const char* name, const char* value);
  CEnvironmentOverride(const char* name, const std::string& value);
  ~CEnvironmentOverride();
  CEnvironmentOverride(const CEnvironmentOverride&) = delete;
  CEnvironmentOverride& operator=(const CEnvironmentOverride&) = delete;

 private:
  std::string m_name;
  std::optional<std::string> m_before;
};
