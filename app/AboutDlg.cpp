#include "app/AboutDlg.h"

#include "app/VexaZedoApp.h"
#include "resources/ResourceIds.h"

namespace {

// Sets the control's text when the dialog has the control (language modules may lack some).
void SetIfPresent(CWnd& dialog, int id, const CString& text) {
  if (dialog.GetDlgItem(id)) dialog.SetDlgItemText(id, text);
}

CString Number(int value) {
  CString text;
  text.Format(u"%d", value);
  return text;
}

CString MajorMinor(const CFileVersionInfo& version) {
  CString text;
  text.Format(u"%d.%d", int(version.GetProductVersionPart(3)), int(version.GetProductVersionPart(2)));
  return text;
}

}  // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const CVexaZedoApp* app = GetZedoApp();
  if (!app) return TRUE;
  const CFileVersionInfo& program = app->GetProgramVersion();
  if (!program.GetFileVersion().IsEmpty()) {
    SetIfPresent(*this, IDC_ABOUT_VERSION, MajorMinor(program));
    SetIfPresent(*this, IDC_ABOUT_BUILD, Number(program.GetProductVersionPart(1)));
    SetIfPresent(*this, IDC_ABOUT_REVISION, Number(program.GetProductVersionPart(0)));
    SetIfPresent(*this, IDC_ABOUT_DESCRIPTION, program.GetFileDescription());
  }
  const CFileVersionInfo& language = app->GetLanguageVersion();
  if (!language.GetFileVersion().IsEmpty()) {
    SetIfPresent(*this, IDC_ABOUT_COMMENTS, language.GetComments());
    SetIfPresent(*this, IDC_ABOUT_COPYRIGHT, language.GetLegalCopyright());
    SetIfPresent(*this, IDC_ABOUT_LANGUAGE_DESCRIPTION, language.GetFileDescription());
    SetIfPresent(*this, IDC_ABOUT_LANGUAGE_VERSION, MajorMinor(language));
    SetIfPresent(*this, IDC_ABOUT_LANGUAGE_BUILD, Number(language.GetProductVersionPart(1)));
    SetIfPresent(*this, IDC_ABOUT_LANGUAGE_REVISION, Number(language.GetProductVersionPart(0)));
  } else {
    SetIfPresent(*this, IDC_ABOUT_COMMENTS, program.GetComments());
    SetIfPresent(*this, IDC_ABOUT_COPYRIGHT, program.GetLegalCopyright());
  }
  return TRUE;
}
