#pragma once
// The per-user settings store that stands in for the registry's current-user root. Keys are
// paths such as "Software\Jovant\ZD-Zedo\Settings"; each holds typed values (strings and
// DWORDs kept apart). Key paths and value names compare without regard to ASCII case, as the
// registry's do. The store is one text file, "$XDG_CONFIG_HOME/ZD-Zedo/registry.txt"
// (XDG_CONFIG_HOME defaults to ~/.config), read on every call and replaced as a whole on every
// change, so that two running copies of the program see each other's settings. Every call is
// safe from any thread and process.

#include <string>
#include <vector>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

// True when the key or any key below it holds a value, or the key was created.
bool RegKeyExists(const CString& keyPath);
// Creates the key when missing; false when the store cannot be written.
bool RegCreateKey(const CString& keyPath);

// Reads fail (false, output unchanged) when the key or the value is missing or has the other type.
bool RegGetString(const CString& keyPath, const CString& name, CString& value);
bool RegGetDword(const CString& keyPath, const CString& name, DWORD& value);

// Writes create the key when missing and replace a value of the same name of either type.
// False when the store cannot be written (the store is then unchanged).
bool RegSetString(const CString& keyPath, const CString& name, const CString& value);
bool RegSetDword(const CString& keyPath, const CString& name, DWORD value);
// One value of several written together: a string, or a DWORD when isDword is set.
struct SRegValue {
  static SRegValue String(const CString& name, const CString& text) { return {name, false, text, 0}; }
  static SRegValue Dword(const CString& name, DWORD value) { return {name, true, CString(), value}; }

  CString name;
  bool isDword = false;
  CString text;
  DWORD dword = 0;
};
// Writes all the values under the key in one change of the store, as the single writes above
// would one after the other; all of them or, when the store cannot be written, none.
bool RegSetValues(const CString& keyPath, const std::vector<SRegValue>& values);
// False when the value did not exist or the store cannot be written.
bool RegDeleteValue(const CString& keyPath, const CString& name);

// The names of the values directly under the key, in the order they were first written.
std::vector<CString> RegEnumValueNames(const CString& keyPath);

// The file that holds the store.
std::string RegStoreFilePath();
