#include "update/PageSearch.h"

#include "appbase/LoadStringOrPlaceholder.h"
#include "device/ShowMessage.h"
#include "platform/net/FtpFile.h"
#include "platform/net/InternetException.h"
#include "platform/ui/MessageMap.h"
#include "resources/ResourceIds.h"
#include "update/AutoUpdate.h"

namespace {

constexpr UINT kInfoBlock = 4096;

// The value after `key` up to the next line feed, read as a version.
CVersion LimitAfter(const CString& text, const char16_t* key) {
  const int start = text.Find(key);
  if (start < 0) return CVersion();
  const int valueStart = start + CString(key).GetLength();
  int end = text.Find(u'\n', valueStart);
  if (end < 0) end = text.GetLength();
  return CVersion(text.Mid(valueStart, end - valueStart));
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CPageSearch, CDialog)
  .OnMessage(WM_UPDATE_CONNECT, &CPageSearch::OnConnect)
  .OnMessage(WM_UPDATE_SEARCH, &CPageSearch::OnSearch)
END_MESSAGE_MAP()
// clang-format on

CPageSearch::CPageSearch(CAutoUpdate& sheet) : CDialog(IDD_UPDATE_SEARCH, &sheet), m_sheet(sheet) {}

BOOL CPageSearch::OnInitDialog() {
  CDialog::OnInitDialog();
  m_sheet.SetWizardButtons(0);
  SetDlgItemText(IDC_UPDATE_SEARCH_TITLE,
                 FormatStringOrPlaceholder(IDS_UPDATE_SEARCHING, m_sheet.GetProductName()).GetString());
  SetDlgItemText(IDC_UPDATE_SECOND_LINE, LoadStringOrPlaceholder(IDS_UPDATE_CONNECTING).GetString());
  GetDlgItem(IDC_UPDATE_MESSAGE)->ShowWindow(SW_HIDE);
  return TRUE;
}

void CPageSearch::OnSetActive() { PostStep(WM_UPDATE_CONNECT); }

void CPageSearch::PostStep(UINT message) {
  m_bStepPending = true;
  PostMessage(message);
}

void CPageSearch::OnLeave() {
  m_sheet.CloseConnection();
  if (m_sheet.IsMandatory())
    if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_CLOSE);
}

LRESULT CPageSearch::OnConnect(WPARAM, LPARAM) {
  m_bStepPending = false;
  CString errorText;
  if (m_sheet.Connect(errorText)) {
    PostStep(WM_UPDATE_SEARCH);
    return 0;
  }
  ShowBrokenConnection(errorText);
  return 0;
}

void CPageSearch::ShowBrokenConnection(const CString& errorText) {
  if (m_sheet.IsMandatory()) {
    const CString product = m_sheet.GetProductName();
    SetDlgItemText(IDC_UPDATE_MESSAGE,
                   FormatStringOrPlaceholder(IDS_UPDATE_BROKEN_CONNECTION, product, product).GetString());
    GetDlgItem(IDC_UPDATE_MESSAGE)->ShowWindow(SW_SHOW);
  }
  GetDlgItem(IDC_UPDATE_SEARCH_TITLE)->ShowWindow(SW_HIDE);
  SetDlgItemText(IDC_UPDATE_SECOND_LINE, errorText.GetString());
  m_sheet.SetWizardButtons(kWizardFinish);
}

LRESULT CPageSearch::OnSearch(WPARAM, LPARAM) {
  m_bStepPending = false;
  SetDlgItemText(IDC_UPDATE_SECOND_LINE, LoadStringOrPlaceholder(IDS_UPDATE_RECEIVING_INFO).GetString());
  try {
    if (m_sheet.IsMandatory()) {
      SearchMandatory();
    } else {
      SearchNewest();
    }
  } catch (const CInternetException& error) {
    // The server failed while listing: shown like a broken connection.
    CString message;
    error.GetErrorMessage(message, 1024);
    m_sheet.CloseConnection();
    ShowBrokenConnection(message);
  }
  return 0;
}

void CPageSearch::SearchNewest() {
  const CString product = m_sheet.GetProductName();
  const CVersion own = m_sheet.GetOwnVersion();
  SFtpFileEntry chosen;
  CVersion version;
  if (!CAutoUpdate::ChooseNewest(m_sheet.GetServer().GetConnection()->ListFiles(u"*"), own, chosen,
                                 version)) {
    m_sheet.SetInstaller(CString(), 0);
    ShowResult(FormatStringOrPlaceholder(IDS_UPDATE_NONE_AVAILABLE, product), kWizardFinish);
    if (m_sheet.IsFinishAutomatically()) m_sheet.PressButton(kWizardFinish);
    return;
  }
  m_sheet.SetInstaller(chosen.name, chosen.size);
  ShowResult(FormatStringOrPlaceholder(IDS_UPDATE_FOUND, product, version.Format(3), own.Format(3)),
             kWizardNext);
}

void CPageSearch::SearchMandatory() {
  const CString product = m_sheet.GetProductName();
  const CVersion own = m_sheet.GetOwnVersion();
  CVersion lower;
  CVersion upper;
  CString errorText;
  if (!ReadVersionLimits(lower, upper, errorText)) {
    if (!errorText.IsEmpty()) {
      ShowBrokenConnection(errorText);
      return;
    }
    m_sheet.CloseConnection();
    m_sheet.End(IDCANCEL);
    return;
  }
  if (own >= lower && own <= upper) {
    m_sheet.CloseConnection();
    m_sheet.End(IDCANCEL);
    return;
  }
  SFtpFileEntry chosen;
  CVersion version;
  const bool found = CAutoUpdate::ChooseWithinLimits(m_sheet.GetServer().GetConnection()->ListFiles(u"*"),
                                                     lower, upper, chosen, version);
  const bool tooNew = own > upper;
  if (!found) {
    m_sheet.SetInstaller(CString(), 0);
    const CString text =
        tooNew ? FormatStringOrPlaceholder(IDS_UPDATE_PREVIOUS_MISSING, product, upper.Format(3), product)
               : FormatStringOrPlaceholder(IDS_UPDATE_MINIMUM_MISSING, product, lower.Format(3), product);
    ShowResult(text, kWizardFinish);
    return;
  }
  m_sheet.SetInstaller(chosen.name, chosen.size);
  const CString text =
      tooNew ? FormatStringOrPlaceholder(IDS_UPDATE_PREVIOUS_OFFERED, product, version.Format(3), product)
             : FormatStringOrPlaceholder(IDS_UPDATE_MINIMUM_OFFERED, product, version.Format(3), product);
  ShowResult(text, kWizardNext);
}

void CPageSearch::ShowResult(const CString& text, DWORD buttons) {
  GetDlgItem(IDC_UPDATE_SEARCH_TITLE)->ShowWindow(SW_HIDE);
  GetDlgItem(IDC_UPDATE_SECOND_LINE)->ShowWindow(SW_HIDE);
  SetDlgItemText(IDC_UPDATE_MESSAGE, text.GetString());
  GetDlgItem(IDC_UPDATE_MESSAGE)->ShowWindow(SW_SHOW);
  m_sheet.SetWizardButtons(buttons);
}

bool CPageSearch::ReadVersionLimits(CVersion& lower, CVersion& upper, CString& errorText) {
  const CString fileName = m_sheet.GetProductName() + u".txt";
  CFtpConnection* connection = m_sheet.GetServer().GetConnection();
  try {
    bool listed = false;
    for (const SFtpFileEntry& file : connection->ListFiles(u"*")) listed = listed || file.name == fileName;
    if (!listed) return false;
    // ASCII transfers may change the line ends and so the length: read to the transfer's end.
    auto file = connection->OpenFile(fileName, false);
    CString text;
    char block[kInfoBlock];
    while (UINT count = file->Read(block, kInfoBlock))
      for (UINT i = 0; i < count; ++i) text += char16_t(static_cast<unsigned char>(block[i]));
    file->Close();
    text.MakeLower();
    lower = LimitAfter(text, u"minversion:");
    upper = LimitAfter(text, u"maxversion:");
  } catch (const CInternetException& error) {
    CString message;
    error.GetErrorMessage(message, 1024);
    if (m_sheet.IsShowingMessages()) ShowMessage(kErrorMessage, message);
    errorText = FormatStringOrPlaceholder(IDS_UPDATE_INFO_FILE_FAILED, fileName);
    return false;
  }
  if (lower.GetValue() == 0 || upper.GetValue() == 0) return false;
  if (lower > upper) std::swap(lower, upper);
  return true;
}
