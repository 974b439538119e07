#include "appbase/ProgramFolder.h"

namespace {

CString& Folder() {
  static CString folder;
  return folder;
}

CString& TempLogFolder() {
  static CString folder;
  return folder;
}

}  // namespace

const CString& GetProgramFolder() { return Folder(); }

void SetProgramFolder(const CString& folder) { Folder() = folder; }

const CString& GetTempLogFolder() { return TempLogFolder(); }

void SetTempLogFolder(const CString& folder) { TempLogFolder() = folder; }
