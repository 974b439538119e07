#include "tests/tools/ProgramDialog.h"

#include <cstdio>

#include "resources/ProgramResources.h"

bool CreateProgramDialog(CDialog& dialog, const std::string& idText) {
  const UINT id = UINT(std::stoul(idText));
  RegisterProgramResources(nullptr);
  if (dialog.Create(id)) return true;
  std::fprintf(stderr, "Dialog %u could not be made from its template.\n", id);
  return false;
}
