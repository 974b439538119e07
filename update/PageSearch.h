#pragma once
// The program-update wizard's first page: connects to the update server, reads the
// installers of the program folder (in mandatory mode first the allowed version range) and
// shows what it found, with Next to download or Finish to end.

#include "device/Version.h"
#include "platform/ui/Dialog.h"

class CAutoUpdate;

// The page's steps, each posted to itself.
constexpr UINT WM_UPDATE_CONNECT = WM_APP + 1121;
constexpr UINT WM_UPDATE_SEARCH = WM_APP + 1122;

class CPageSearch : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CPageSearch(CAutoUpdate& sheet);

  BOOL OnInitDialog() override;
  void OnSetActive();
  // Finish or Cancel on this page.
  void OnLeave();
  bool IsStepPending() const { return m_bStepPending; }
  // The limits of the info file ProductName + ".txt"; true when both are non-zero. False with
  // an error text when the server failed while reading it; without one when it is missing.
  bool ReadVersionLimits(CVersion& lower, CVersion& upper, CString& errorText);

 private:
  LRESULT OnConnect(WPARAM, LPARAM);
  LRESULT OnSearch(WPARAM, LPARAM);
  void SearchNewest();
  void SearchMandatory();
  void ShowBrokenConnection(const CString& errorText);
  void ShowResult(const CString& text, DWORD buttons);
  void PostStep(UINT message);

  CAutoUpdate& m_sheet;
  bool m_bStepPending = false;
};
