#include "appbase/Registry.h"
#include "document/ZedoDoc.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr const char16_t* kProjectFilter = u"ZD-Zedo Project (*.jvd)|*.jvd|All Files (*.*)|*.*||";

}  // namespace

bool CZedoDoc::AskProjectPath(bool open, CString& path) {
  CString folder;
  CRegistry(kSettingsKey).ReadString(u"ProjectsPath", folder);
  CFileDialog dialog(open, u"jvd", open ? CString(u"*.jvd") : path, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     kProjectFilter);
  dialog.m_ofn.lpstrInitialDir = folder;
  if (dialog.DoModal() != IDOK) return false;
  path = dialog.GetPathName();
  return true;
}
