#pragma once
// Moves the time stamps of the selected measurements: it shows the current time stamp and lets
// the user pick the new date and time; the caller applies the shift (new − old, in seconds)
// after OK.

#include <cstdint>

#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/Dialog.h"

class CDateTimeDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CDateTimeDlg(CWnd* parent = nullptr);

  void SetOldTime(std::int64_t time) { m_oldTime = time; }
  void SetNewTime(std::int64_t time) { m_newTime = time; }
  std::int64_t GetTimeShift() const { return m_newTime - m_oldTime; }
  BOOL OnInitDialog() override;

  // The program's time picture with seconds: "mm" becomes "mm:ss".
  static CString TimeFormatWithSeconds(const CString& picture);

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnDestroy();

  std::int64_t m_oldTime = 0;
  std::int64_t m_newTime = 0;
  CDateTimeCtrl m_datePicker;
  CDateTimeCtrl m_timePicker;
};
