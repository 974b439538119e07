#pragma once
// The restore-calibration dialog (dialog 548, modal): connects to a ZD-2 on a serial port and
// has it take back its factory or its last-used calibration, the two copies it keeps besides
// the active one; a hidden second action dumps the instrument's calibration parameters. Each
// action makes a fresh connection, resets the calibration document and reports in the log.
// Everything runs on the user-interface thread, which waits while the instrument works.

#include <memory>

#include "appbase/WindowPos.h"
#include "calibration/ConnVexa.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "toolkit/ColorRichEditCtrl.h"

class CVexalonDoc;

class CRestoreCalDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  // The sample message of the connection's reader, which this dialog never starts.
  static constexpr UINT kSampleMessage = WM_USER + 108;

  CRestoreCalDlg(bool factoryMode, CVexalonDoc* doc, CWnd* parent);
  ~CRestoreCalDlg() override;

  void OnRestore();
  void OnShowCalInfo();
  void OnExit();
  // Searches the port of the port field (0: every serial port) and waits for the instrument
  // up to the connection's time-out; false when none was connected.
  bool Connect();

  CConnVexa* GetConnection() const { return m_connection.get(); }
  int GetPortNumber() const { return m_portNumber; }

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void LoadSettings();
  void SaveSettings();
  void Log(int kind, const CString& text);
  // The port check and a fresh connection after the document's reset; false ends the action.
  bool Reconnect();
  void DropConnection();

  CVexalonDoc* m_doc;
  std::unique_ptr<CConnVexa> m_connection;
  int m_portNumber = -1;
  int m_storedPortNumber = 0;
  CButton m_restoreButton;
  CButton m_showInfoButton;
  CButton m_exitButton;
  CColorRichEditCtrl m_log;
  CEdit m_portEdit;
  CWindowPos m_windowPos;
  bool m_factoryMode;
};
