#include "tests/tools/ProgramDialog.h"

#include <cstdio>

#include "resources/ProgramResources.h"

bool CreateProgramDialog(CDialog& dialog, const std::string& idText, CWnd& host) {
  const UINT id = UINT(std::stoul(idText));
  RegisterProgramResources(nullptr);
  // A page of a tab sheet is a child dialog: it is made on the host window.
  const auto layout = LoadDialogTemplate(id);
  if (layout && (layout->style & WS_CHILD) && !host.GetSafeHwnd())
    host.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 800, 600), nullptr, 0);
  if (dialog.Create(id, layout && (layout->style & WS_CHILD) ? &host : nullptr)) return true;
  std::fprintf(stderr, "Dialog %u could not be made from its template.\n", id);
  return false;
}
