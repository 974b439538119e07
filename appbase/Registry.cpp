#include "appbase/Registry.h"

#include "platform/registry/RegistryStore.h"
#include "platform/ui/MessageBox.h"

bool CRegistry::Failed() {
  MessageBox(nullptr, u"Failed to write a value to the registry.", u"ZD-Zedo", MB_OK | MB_ICONERROR);
  return false;
}

bool CRegistry::ReadDWORD(const CString& name, DWORD& value) const {
  return RegGetDword(m_strKey, name, value);
}

bool CRegistry::ReadBool(const CString& name, bool& flag) const {
  DWORD value = 0;
  if (!ReadDWORD(name, value)) return false;
  flag = value == 1;
  return true;
}

bool CRegistry::ReadString(const CString& name, CString& text) const {
  CString value;
  if (!RegGetString(m_strKey, name, value) || value.GetLength() > kMaxString) return false;
  if (!value.IsEmpty()) text = value;
  return true;
}

bool CRegistry::WriteDWORD(const CString& name, DWORD value) {
  return RegSetDword(m_strKey, name, value) || Failed();
}

bool CRegistry::WriteBool(const CString& name, bool flag) { return WriteDWORD(name, flag ? 1 : 0); }

bool CRegistry::WriteValues(const std::vector<SRegValue>& values) {
  return RegSetValues(m_strKey, values) || Failed();
}

bool CRegistry::WriteString(const CString& name, const CString& text) {
  if (!RegKeyExists(m_strKey)) return true;
  if (text.GetLength() > kMaxString) return Failed();
  return RegSetString(m_strKey, name, text) || Failed();
}
