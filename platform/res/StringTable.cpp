#include "platform/res/StringTable.h"

#include <algorithm>

#include "platform/res/LanguageModule.h"
#include "platform/res/ResourceLookup.h"
#include "platform/res/StringTableData.h"

bool LoadResString(UINT id, CString& out) {
  // A language module made current translates; the program's own table fills in.
  if (LoadModuleString(AfxGetResourceHandle(), id, out)) return true;
  auto table = BuiltInStringTable();
  auto it = std::lower_bound(table.begin(), table.end(), id,
                             [](const SStringTableEntry& entry, UINT key) { return entry.id < key; });
  if (it == table.end() || it->id != id) {
    out.Empty();
    return false;
  }
  out = CString(it->text, it->length);
  return true;
}

CString ResString(UINT id) {
  CString text;
  LoadResString(id, text);
  return text;
}
