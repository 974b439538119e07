#pragma once
// Named values under one key of the per-user settings store. Reads leave the output as it was
// when the key or the value is missing. A write the store refuses shows "Failed to write a
// value to the registry." and returns false.

#include <vector>

#include "platform/base/String.h"
#include "platform/registry/RegistryStore.h"

// The program's settings key and the updater's.
inline constexpr const char16_t* kSettingsKey = u"Software\\Jovant\\ZD-Zedo\\Settings";
inline constexpr const char16_t* kUpdaterSettingsKey = u"Software\\Jovant\\DiVudodav\\Settings";

class CRegistry {
 public:
  // Longest text a string value holds, in characters.
  static constexpr int kMaxString = 259;

  explicit CRegistry(const CString& keyPath) : m_strKey(keyPath) {}
  virtual ~CRegistry() = default;

  bool ReadDWORD(const CString& name, DWORD& value) const;
  // flag = (value equals 1).
  bool ReadBool(const CString& name, bool& flag) const;
  // False for a value longer than kMaxString; an empty value leaves text as it was but counts
  // as read.
  bool ReadString(const CString& name, CString& text) const;
  // Create the key when missing.
  bool WriteDWORD(const CString& name, DWORD value);
  bool WriteBool(const CString& name, bool flag);
  // Writes the values in one change of the store; creates the key when missing.
  bool WriteValues(const std::vector<SRegValue>& values);
  // Writes only under an existing key (a missing key writes nothing and is no failure). A text
  // longer than kMaxString is refused, since it could not be read back.
  bool WriteString(const CString& name, const CString& text);

 private:
  static bool Failed();

  CString m_strKey;
};
