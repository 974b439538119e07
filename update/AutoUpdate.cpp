#include "update/AutoUpdate.h"

#include "appbase/LoadStringOrPlaceholder.h"
#include "platform/net/InternetException.h"
#include "platform/ui/MessageMap.h"
#include "resources/ResourceIds.h"
#include "update/PageDownload.h"
#include "update/PageSearch.h"

namespace {

constexpr DWORD kCheckExitFailed = DWORD(-1);

// Whether a candidate version replaces the best so far: strictly greater, so that the first
// listed of equal versions stays.
bool Better(const CVersion& version, const CVersion& best) { return version > best; }

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CAutoUpdate, CDialog)
  .OnCommand(IDC_UPDATE_NEXT, &CAutoUpdate::OnNext)
  .OnCommand(IDC_UPDATE_FINISH, &CAutoUpdate::OnFinish)
END_MESSAGE_MAP()
// clang-format on

CAutoUpdate::CAutoUpdate(CWnd* parent, const CString& programFolder)
    : CDialog(IDD_UPDATE_WIZARD, parent),
      m_strProgramFolder(programFolder),
      m_pSearchPage(std::make_unique<CPageSearch>(*this)),
      m_pDownloadPage(std::make_unique<CPageDownload>(*this)) {
  if (!m_strProgramFolder.IsEmpty() && m_strProgramFolder.Right(1) != u"/") m_strProgramFolder += u'/';
  m_versionInfo.CreateFromModule(nullptr);
}

CAutoUpdate::~CAutoUpdate() {
  // The check thread uses the connection: it goes first.
  StopCheck();
  if (IsWindow()) DestroyWindow();
}

bool CAutoUpdate::StartCheck(UINT resultMessage) {
  const CVersion own = GetOwnVersion();
  return m_checkWorker.Start(m_pParentWnd, [resultMessage, own](CCheckWorkerState& state) {
    return Check(resultMessage, own, state);
  });
}

DWORD CAutoUpdate::Check(UINT resultMessage, const CVersion& own, CCheckWorkerState& state) {
  // A connection of the thread's own: a thread that outlives its grace period must not share
  // one with a wizard that has gone.
  CAppHelper server;
  server.SetShowMessages(false);
  server.SetStopFlag(&state.StopFlag());
  CFtpConnection* connection = server.ConnectUpdateServer(u"");
  if (!connection) return kCheckExitFailed;
  try {
    SFtpFileEntry chosen;
    CVersion best;
    if (!ChooseNewest(connection->ListFiles(u"*"), own, chosen, best)) best = CVersion();
    state.PostVersion(resultMessage, best);
  } catch (const CInternetException&) {
    return kCheckExitFailed;
  }
  server.CloseConnection();
  return 0;
}

bool CAutoUpdate::Run(bool mandatory, bool showMessages, bool finishAutomatically) {
  StopCheck();
  // The wizard's own connection works without the check's stop flag.
  m_server.SetStopFlag(nullptr);
  m_bMandatory = mandatory;
  m_bShowMessages = showMessages;
  m_bFinishAutomatically = finishAutomatically;
  m_pActivePage = nullptr;
  m_strStartedInstaller.Empty();
  m_bEnded = false;
  return DoModal() == IDOK;
}

bool CAutoUpdate::Connect(CString& errorText) {
  if (m_server.IsConnected()) return true;
  const bool connected = m_server.ConnectUpdateServer(u"") != nullptr;
  m_server.SetShowMessages(m_bShowMessages);
  if (!connected) errorText = m_server.GetLastErrorText();
  return connected;
}

void CAutoUpdate::CloseConnection() { m_server.CloseConnection(); }

void CAutoUpdate::SetInstaller(const CString& name, ULONGLONG size) {
  m_strInstallerName = name;
  m_installerSize = size;
}

CVersion CAutoUpdate::VersionFromInstallerName(const CString& name) {
  if (name.GetLength() <= 5 || name.Right(4) != u".exe") return CVersion();
  const int marker = name.Find(u"_V_");
  if (marker < 0) return CVersion();
  const int dot = name.Find(u'.');
  if (dot < marker) return CVersion();
  CString text = name.Mid(marker + 3, dot - marker - 3);
  text.Replace(u'_', u'.');
  return CVersion(text);
}

bool CAutoUpdate::IsPlainFileName(const CString& name) {
  return !name.IsEmpty() && name != u"." && name != u".." && name.Find(u'/') < 0 && name.Find(u'\\') < 0;
}

bool CAutoUpdate::ChooseNewest(const std::vector<SFtpFileEntry>& files, const CVersion& own,
                               SFtpFileEntry& chosen, CVersion& version) {
  CVersion best = own;
  bool found = false;
  for (const SFtpFileEntry& file : files) {
    const CVersion candidate = VersionFromInstallerName(file.name);
    if (!IsPlainFileName(file.name) || !Better(candidate, best)) continue;
    best = candidate;
    chosen = file;
    found = true;
  }
  if (found) version = best;
  return found;
}

bool CAutoUpdate::ChooseWithinLimits(const std::vector<SFtpFileEntry>& files, const CVersion& lower,
                                     const CVersion& upper, SFtpFileEntry& chosen, CVersion& version) {
  bool found = false;
  CVersion best;
  for (const SFtpFileEntry& file : files) {
    const CVersion candidate = VersionFromInstallerName(file.name);
    if (candidate.GetValue() == 0 || !IsPlainFileName(file.name)) continue;
    const bool fits = lower == upper ? candidate == lower : (candidate >= lower && candidate <= upper);
    if (!fits || (found && !Better(candidate, best))) continue;
    best = candidate;
    chosen = file;
    found = true;
  }
  if (found) version = best;
  return found;
}

BOOL CAutoUpdate::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(LoadStringOrPlaceholder(IDS_UPDATE_CAPTION).GetString());
  SetWizardButtons(0);
  const std::pair<int, UINT> texts[] = {{IDC_UPDATE_NEXT, IDS_UPDATE_WIZARD_NEXT},
                                        {IDC_UPDATE_BACK, IDS_UPDATE_WIZARD_BACK},
                                        {IDC_UPDATE_FINISH, IDS_UPDATE_WIZARD_FINISH},
                                        {IDCANCEL, IDS_UPDATE_WIZARD_CANCEL}};
  for (const auto& [id, text] : texts)
    if (CWnd* button = GetDlgItem(id)) button->SetWindowText(LoadStringOrPlaceholder(text).GetString());
  ShowPage(*m_pSearchPage, IDD_UPDATE_SEARCH);
  m_pSearchPage->OnSetActive();
  return TRUE;
}

void CAutoUpdate::ShowPage(CDialog& page, UINT templateId) {
  if (m_pActivePage && m_pActivePage->IsWindow()) m_pActivePage->ShowWindow(SW_HIDE);
  if (!page.IsWindow()) page.Create(templateId, this);
  page.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  page.ShowWindow(SW_SHOW);
  m_pActivePage = &page;
}

void CAutoUpdate::SetWizardButtons(DWORD flags) {
  const std::pair<int, DWORD> buttons[] = {
      {IDC_UPDATE_BACK, kWizardBack}, {IDC_UPDATE_NEXT, kWizardNext}, {IDC_UPDATE_FINISH, kWizardFinish}};
  for (const auto& [id, flag] : buttons)
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow((flags & flag) ? TRUE : FALSE);
}

DWORD CAutoUpdate::GetWizardButtons() const {
  DWORD flags = 0;
  const std::pair<int, DWORD> buttons[] = {
      {IDC_UPDATE_BACK, kWizardBack}, {IDC_UPDATE_NEXT, kWizardNext}, {IDC_UPDATE_FINISH, kWizardFinish}};
  for (const auto& [id, flag] : buttons) {
    CWnd* button = GetDlgItem(id);
    if (button && button->IsWindowEnabled()) flags |= flag;
  }
  return flags;
}

void CAutoUpdate::PressButton(DWORD button) {
  if (!(GetWizardButtons() & button)) return;
  switch (button) {
    case kWizardNext:
      OnNext();
      break;
    case kWizardFinish:
      OnFinish();
      break;
    default:
      break;
  }
}

bool CAutoUpdate::IsBusy() const {
  if (m_pActivePage == m_pSearchPage.get()) return m_pSearchPage->IsStepPending();
  if (m_pActivePage == m_pDownloadPage.get()) return m_pDownloadPage->IsStepPending();
  return false;
}

void CAutoUpdate::OnNext() {
  if (m_pActivePage != m_pSearchPage.get()) return;
  ShowPage(*m_pDownloadPage, IDD_UPDATE_DOWNLOAD);
  m_pDownloadPage->OnSetActive();
}

void CAutoUpdate::OnFinish() {
  if (m_pActivePage == m_pSearchPage.get()) m_pSearchPage->OnLeave();
  End(kWizardFinished);
}

void CAutoUpdate::End(int result) {
  m_bEnded = true;
  EndDialog(result);
}

void CAutoUpdate::OnCancel() {
  if (m_pActivePage == m_pSearchPage.get()) m_pSearchPage->OnLeave();
  if (m_pActivePage == m_pDownloadPage.get()) m_pDownloadPage->OnLeave();
  End(IDCANCEL);
}
