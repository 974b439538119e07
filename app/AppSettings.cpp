#include "app/AppSettings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/VexaZedoApp.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "platform/base/DateTimePicture.h"
#include "platform/base/LocalTime.h"
#include "platform/res/LanguageModule.h"
#include "platform/ui/DataExchange.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kFormatCount = 4;
constexpr int kMaxPictureText = 32;
constexpr const char16_t* kModulePrefix = u"ZD-Zedo_";

bool SameMajorMinor(const CFileVersionInfo& a, const CFileVersionInfo& b) {
  return a.GetProductVersionPart(3) == b.GetProductVersionPart(3) &&
         a.GetProductVersionPart(2) == b.GetProductVersionPart(2);
}

// The language modules of the folder, in the order the file system lists them.
std::vector<CString> ModuleFileNames(const CString& folder) {
  std::vector<CString> names;
  std::error_code error;
  std::filesystem::directory_iterator it(std::filesystem::path(folder.ToUtf8()), error);
  if (error) return names;
  for (const auto& entry : it) {
    const CString name = CString::FromUtf8(entry.path().filename().string());
    const CString extension = kLanguageModuleExtension;
    if (name.Left(CString(kModulePrefix).GetLength()) == kModulePrefix &&
        name.GetLength() > extension.GetLength() && name.Right(extension.GetLength()) == extension)
      names.push_back(name);
  }
  return names;
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CAppSettings, CDialog)
  .OnControl(CBN_SELCHANGE, IDC_DATE_FORMAT, &CAppSettings::OnFormatChanged)
  .OnControl(CBN_SELCHANGE, IDC_TIME_FORMAT, &CAppSettings::OnFormatChanged)
  .OnBnClicked(IDC_RESET, &CAppSettings::OnReset)
END_MESSAGE_MAP()
// clang-format on

CAppSettings::CAppSettings(CWnd* parent) : CDialog(IDD_APP_SETTINGS, parent) {}

void CAppSettings::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_LANGUAGE, m_languageCombo);
  DDX_Control(dx, IDC_DATE_FORMAT, m_dateCombo);
  DDX_Control(dx, IDC_TIME_FORMAT, m_timeCombo);
}

CString CAppSettings::JoinPath(const CString& first, const CString& second) {
  CString path = first.Find(u':') >= 0 ? CString() : CString(u"/");
  path += first + u"/" + second + u"/";
  while (path.Replace(u"//", u"/") > 0) {
  }
  return path;
}

CString CAppSettings::EntryPath(int index) const {
  const CVexaZedoApp* app = GetZedoApp();
  if (!app) return CString();
  if (index <= 0 || index >= int(m_languages.size())) return app->GetProgramPath();
  return JoinPath(app->GetProgramFolder(), u"/") + m_languages[index].GetOriginalFileName();
}

void CAppSettings::FillLanguageList() {
  m_languages.clear();
  m_languageCombo.ResetContent();
  CFileVersionInfo program;
  if (!program.CreateFromModule(nullptr)) return;
  m_languages.push_back(program);
  m_languageCombo.AddString(program.GetInternalName().GetString());
  m_languageCombo.SetCurSel(0);

  CVexaZedoApp* app = GetZedoApp();
  if (!app) return;
  const CString folder = app->GetProgramFolder();
  for (const CString& name : ModuleFileNames(folder)) {
    CFileVersionInfo module;
    if (!module.CreateFromFile(folder + u"/" + name) || !SameMajorMinor(program, module)) continue;
    m_languages.push_back(module);
    m_languageCombo.AddString(module.GetInternalName().GetString());
  }
  const CString current = app->GetLanguageFile(true);
  for (int i = 1; i < int(m_languages.size()); ++i)
    if (EntryPath(i) == current) m_languageCombo.SetCurSel(i);
}

BOOL CAppSettings::OnInitDialog() {
  CDialog::OnInitDialog();
  FillLanguageList();
  for (int i = 0; i < kFormatCount; ++i) {
    m_dateCombo.AddString(LoadStringOrPlaceholder(IDS_DATE_FORMAT_FIRST + UINT(i)).GetString());
    m_timeCombo.AddString(LoadStringOrPlaceholder(IDS_TIME_FORMAT_FIRST + UINT(i)).GetString());
  }
  const CVexaZedoApp* app = GetZedoApp();
  const DWORD format = app ? app->GetDateTimeFormat() : 0;
  int dateIndex = int((format >> 8) & 0xFF);
  int timeIndex = int(format & 0xFF);
  if (dateIndex >= kFormatCount) dateIndex = 0;
  if (timeIndex >= kFormatCount) timeIndex = 0;
  m_dateCombo.SetCurSel(dateIndex);
  m_timeCombo.SetCurSel(timeIndex);
  UpdatePreview();
  return TRUE;
}

void CAppSettings::UpdatePreview() {
  SLocalTime now;
  StampToLocalTime(CurrentTimeStamp(), now);
  CString datePicture;
  CString timePicture;
  m_dateCombo.GetLBText(std::max(0, m_dateCombo.GetCurSel()), datePicture);
  m_timeCombo.GetLBText(std::max(0, m_timeCombo.GetCurSel()), timePicture);
  const CString caption = LoadStringOrPlaceholder(IDS_DATETIME_PREVIEW) + u"  " +
                          FormatDatePicture(datePicture, now).Left(kMaxPictureText) + u" " +
                          FormatTimePicture(timePicture, now).Left(kMaxPictureText);
  SetDlgItemText(IDC_PREVIEW, caption);
}

void CAppSettings::OnFormatChanged() { UpdatePreview(); }

void CAppSettings::OnReset() {
  m_languageCombo.SetCurSel(0);
  m_dateCombo.SetCurSel(0);
  m_timeCombo.SetCurSel(0);
  UpdatePreview();
}

void CAppSettings::OnOK() {
  m_bChanged = m_bDateTimeChanged = m_bLanguageChanged = false;
  CVexaZedoApp* app = GetZedoApp();
  if (app) {
    const CString path = EntryPath(m_languageCombo.GetCurSel());
    if (path != app->GetLanguageFile(true)) m_bChanged = m_bLanguageChanged = true;
    const DWORD format =
        DWORD(std::max(0, m_dateCombo.GetCurSel()) * 256 + std::max(0, m_timeCombo.GetCurSel()));
    if (format != app->GetDateTimeFormat()) m_bChanged = m_bDateTimeChanged = true;
    if (m_bDateTimeChanged) app->SaveDateTimeFormat(format);
    if (m_bLanguageChanged) app->SaveLanguageFile(path);
  }
  CDialog::OnOK();
}
