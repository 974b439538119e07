#pragma once
// The program-update wizard's second page: downloads the chosen installer into the program
// folder, one block per posted message with the window served between blocks, and starts it.
// The data goes to a temporary file beside the target, which becomes the installer only when
// exactly the listed size arrived; a partial download is deleted, never left or started.

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/ui/Dialog.h"
#include "platform/ui/ProgressCtrl.h"

class CAutoUpdate;
class CFtpFile;

// The page's steps, each posted to itself.
constexpr UINT WM_UPDATE_OPEN = WM_APP + 1123;
constexpr UINT WM_UPDATE_NEXT_BLOCK = WM_APP + 1124;
constexpr UINT WM_UPDATE_RUN_INSTALLER = WM_APP + 1125;

class CPageDownload : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  // Blocks per installer; smaller installers are read a byte per block.
  static constexpr ULONGLONG kBlockCount = 10000;
  // A block is read through a buffer of at most this size, whatever size the listing gives.
  static constexpr size_t kReadBufferSize = 65536;

  explicit CPageDownload(CAutoUpdate& sheet);
  ~CPageDownload() override;

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnSetActive();
  // Cancel on this page.
  void OnLeave();
  bool IsStepPending() const { return m_bStepPending; }
  // Shows the failure text with Finish alone and ends the transfer.
  void Fail(const CString& text);

 private:
  LRESULT OnOpen(WPARAM, LPARAM);
  LRESULT OnNextBlock(WPARAM, LPARAM);
  LRESULT OnRunInstaller(WPARAM, LPARAM);
  bool CreateLocalFile();
  bool OpenTempFile(const CString& targetPath);
  void ReadBlock();
  void ShowCount(const CString& text);
  void CloseTransfer();
  void DiscardLocalFile();
  void PostStep(UINT message);

  CAutoUpdate& m_sheet;
  CProgressCtrl m_progress;
  std::unique_ptr<CFtpFile> m_pServerFile;
  struct SCloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, SCloseFile> m_pLocalFile;
  CString m_strTargetPath;
  CString m_strTempPath;
  ULONGLONG m_downloaded = 0;
  std::vector<char> m_block;  // the read buffer, kept between blocks
  bool m_bStepPending = false;
};
