#include "tests/tools/ProgramDialog.h"

#include <cstdio>

#include "resources/ProgramResources.h"

bool CreateProgramDialog(CDialog& dialog, const std::string& idText, CWnd& host) {
  const UINT id = UINT(std::stoul(idText));
  RegisterProgramResources(nullptr);
  const auto dialogTemplate = LoadDialogTemplate(id);
  CWnd* parent = nullptr;
  if (dialogTemplate && (dialogTemplate->style & WS_CHILD)) {
    CRect rect(0, 0, dialogTemplate->cx, dialogTemplate->cy);
    dialog.MapDialogRect(rect);
    host.CreateEx(0, nullptr, u"host", WS_POPUP, rect, nullptr, 0);
    parent = &host;
  }
  if (dialog.Create(id, parent)) return true;
  std::fprintf(stderr, "Dialog %u could not be made from its template.\n", id);
  return false;
}
