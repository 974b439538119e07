#include "app/data/ProgramFolder.h"

namespace {

CString& Folder() {
  static CString folder;
  return folder;
}

}  // namespace

const CString& GetProgramFolder() { return Folder(); }

void SetProgramFolder(const CString& folder) { Folder() = folder; }
