#include "update/PageDownload.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "appbase/LoadStringOrPlaceholder.h"
#include "platform/net/FtpFile.h"
#include "platform/net/InternetException.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/ShellExecute.h"
#include "resources/ResourceIds.h"
#include "update/AutoUpdate.h"

namespace {

// The download goes to this name beside the installer until it is complete.
constexpr const char16_t* kPartialSuffix = u".part";
constexpr double kBytesPerMegabyte = 1048576.0;
constexpr int kProgressRange = 100;

std::filesystem::path PathOf(const CString& text) { return std::filesystem::u8path(text.ToUtf8()); }

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CPageDownload, CDialog)
  .OnMessage(WM_UPDATE_OPEN, &CPageDownload::OnOpen)
  .OnMessage(WM_UPDATE_NEXT_BLOCK, &CPageDownload::OnNextBlock)
  .OnMessage(WM_UPDATE_RUN_INSTALLER, &CPageDownload::OnRunInstaller)
END_MESSAGE_MAP()
// clang-format on

CPageDownload::CPageDownload(CAutoUpdate& sheet)
    : CDialog(IDD_UPDATE_DOWNLOAD, &sheet), m_sheet(sheet), m_block(kReadBufferSize) {}

CPageDownload::~CPageDownload() {
  CloseTransfer();
  DiscardLocalFile();
}

BOOL CPageDownload::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_UPDATE_DOWNLOAD_TITLE,
                 FormatStringOrPlaceholder(IDS_UPDATE_DOWNLOADING, m_sheet.GetInstallerName()).GetString());
  return TRUE;
}

void CPageDownload::OnSetActive() {
  m_sheet.SetWizardButtons(0);
  PostStep(WM_UPDATE_OPEN);
}

void CPageDownload::PostStep(UINT message) {
  m_bStepPending = true;
  PostMessage(message);
}

void CPageDownload::OnLeave() {
  CloseTransfer();
  DiscardLocalFile();
}

LRESULT CPageDownload::OnOpen(WPARAM, LPARAM) {
  m_bStepPending = false;
  CString errorText;
  if (!m_sheet.Connect(errorText)) {
    Fail(errorText);
    return 0;
  }
  if (!CAutoUpdate::IsPlainFileName(m_sheet.GetInstallerName())) {
    Fail(LoadStringOrPlaceholder(IDS_UPDATE_DOWNLOAD_FAILED));
    return 0;
  }
  m_strTargetPath = m_sheet.GetProgramFolder() + m_sheet.GetInstallerName();
  if (!CreateLocalFile()) return 0;
  try {
    m_pServerFile = m_sheet.GetServer().GetConnection()->OpenFile(m_sheet.GetInstallerName(), true);
  } catch (const CInternetException& error) {
    CString message;
    error.GetErrorMessage(message, 1024);
    Fail(message);
    return 0;
  }
  m_downloaded = 0;
  m_progress.SetPos(0);
  CString count;
  count.Format(u"%ld", long(m_downloaded));
  ShowCount(count);
  RedrawWindow();
  PostStep(WM_UPDATE_NEXT_BLOCK);
  return 0;
}

bool CPageDownload::OpenTempFile(const CString& targetPath) {
  m_strTempPath = targetPath + kPartialSuffix;
  m_pLocalFile.reset(std::fopen(m_strTempPath.ToUtf8().c_str(), "wb"));
  if (!m_pLocalFile) m_strTempPath.Empty();
  return m_pLocalFile != nullptr;
}

bool CPageDownload::CreateLocalFile() {
  if (OpenTempFile(m_strTargetPath)) return true;
  CFileDialog dialog(FALSE, u"exe", m_sheet.GetInstallerName().GetString(),
                     OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, u"(*.exe)|*.exe|", this);
  // A cancelled choice lets the first block fail: there is nowhere to write it.
  if (dialog.DoModal() != IDOK) return true;
  m_strTargetPath = dialog.GetPathName();
  if (OpenTempFile(m_strTargetPath)) {
    SetDlgItemText(IDC_UPDATE_DOWNLOAD_TITLE,
                   FormatStringOrPlaceholder(IDS_UPDATE_DOWNLOADING, dialog.GetFileName()).GetString());
    return true;
  }
  // Nothing can be written: the page waits for Cancel.
  m_sheet.SetWizardButtons(0);
  return false;
}

void CPageDownload::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_UPDATE_PROGRESS, m_progress);
}

LRESULT CPageDownload::OnNextBlock(WPARAM, LPARAM) {
  m_bStepPending = false;
  const ULONGLONG size = m_sheet.GetInstallerSize();
  if (m_downloaded == size && size != 0) {
    m_pServerFile.reset();
    return 0;
  }
  try {
    ReadBlock();
  } catch (const CInternetException&) {
    Fail(LoadStringOrPlaceholder(IDS_UPDATE_DOWNLOAD_FAILED));
    return 0;
  }
  if (!m_pServerFile) return 0;
  // Between blocks the window is served, so that a large installer never blocks it for long.
  PumpWaitingMessages();
  if (!m_pServerFile) return 0;
  if (m_downloaded != size) {
    PostStep(WM_UPDATE_NEXT_BLOCK);
    return 0;
  }
  m_pLocalFile.reset();
  CloseTransfer();
  m_sheet.CloseConnection();
  std::error_code error;
  std::filesystem::rename(PathOf(m_strTempPath), PathOf(m_strTargetPath), error);
  if (error) {
    Fail(LoadStringOrPlaceholder(IDS_UPDATE_DOWNLOAD_FAILED));
    return 0;
  }
  m_strTempPath.Empty();
  PostStep(WM_UPDATE_RUN_INSTALLER);
  return 0;
}

// One block into the temporary file, read through the page's buffer in pieces. Fails the page
// when nothing can be written, when the data ends before the listed size (or the size is 0),
// and when more data follows the listed size: a file that differs from its listing is not the
// installer that was offered.
void CPageDownload::ReadBlock() {
  const ULONGLONG size = m_sheet.GetInstallerSize();
  if (!m_pLocalFile || !m_pServerFile || size == 0) {
    Fail(LoadStringOrPlaceholder(IDS_UPDATE_DOWNLOAD_FAILED));
    return;
  }
  ULONGLONG left = std::min(std::max<ULONGLONG>(1, size / kBlockCount), size - m_downloaded);
  while (left > 0) {
    const UINT piece = UINT(std::min<ULONGLONG>(left, m_block.size()));
    const UINT count = m_pServerFile->Read(m_block.data(), piece);
    if (count == 0 || std::fwrite(m_block.data(), 1, count, m_pLocalFile.get()) != count) {
      Fail(LoadStringOrPlaceholder(IDS_UPDATE_DOWNLOAD_FAILED));
      return;
    }
    m_downloaded += count;
    left -= count;
  }
  if (m_downloaded == size && m_pServerFile->Read(m_block.data(), 1) != 0) {
    Fail(LoadStringOrPlaceholder(IDS_UPDATE_DOWNLOAD_FAILED));
    return;
  }
  m_progress.SetPos(int(double(m_downloaded) / double(size) * kProgressRange));
  CString megabytes;
  megabytes.Format(u"%0.2f", double(float(double(m_downloaded) / kBytesPerMegabyte)));
  ShowCount(FormatStringOrPlaceholder(IDS_UPDATE_MB_DOWNLOADED, megabytes));
}

void CPageDownload::ShowCount(const CString& text) {
  CString shown;
  GetDlgItemText(IDC_UPDATE_DOWNLOAD_STATUS, shown);
  if (shown != text) SetDlgItemText(IDC_UPDATE_DOWNLOAD_STATUS, text.GetString());
}

LRESULT CPageDownload::OnRunInstaller(WPARAM, LPARAM) {
  m_bStepPending = false;
  ShellExecute(m_sheet.GetSafeHwnd(), u"open", m_strTargetPath.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
  m_sheet.SetStartedInstaller(m_strTargetPath);
  m_sheet.End(IDOK);
  return 0;
}

void CPageDownload::Fail(const CString& text) {
  SetDlgItemText(IDC_UPDATE_DOWNLOAD_TITLE, text.GetString());
  GetDlgItem(IDC_UPDATE_DOWNLOAD_STATUS)->ShowWindow(SW_HIDE);
  GetDlgItem(IDC_UPDATE_PROGRESS)->ShowWindow(SW_HIDE);
  m_sheet.SetWizardButtons(kWizardFinish);
  CloseTransfer();
  DiscardLocalFile();
}

void CPageDownload::CloseTransfer() {
  if (m_pServerFile) m_pServerFile->Close();
  m_pServerFile.reset();
  m_sheet.CloseConnection();
}

void CPageDownload::DiscardLocalFile() {
  m_pLocalFile.reset();
  if (m_strTempPath.IsEmpty()) return;
  std::error_code error;
  std::filesystem::remove(PathOf(m_strTempPath), error);
  m_strTempPath.Empty();
}
