#include "document/DateTimeDlg.h"

#include "document/Units.h"
#include "platform/base/DateTimePicture.h"
#include "platform/base/LocalTime.h"
#include "platform/ui/DataExchange.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kMaxPictureText = 32;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CDateTimeDlg, CDialog)
  .OnDestroy(&CDateTimeDlg::OnDestroy)
END_MESSAGE_MAP()
// clang-format on

CDateTimeDlg::CDateTimeDlg(CWnd* parent) : CDialog(IDD_DATETIME, parent) {}

void CDateTimeDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_DATE_PICKER, m_datePicker);
  DDX_Control(dx, IDC_TIME_PICKER, m_timePicker);
}

CString CDateTimeDlg::TimeFormatWithSeconds(const CString& picture) {
  CString result = picture;
  result.Replace(u"mm", u"mm:ss");
  return result;
}

BOOL CDateTimeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const CString datePicture = GetDateFormatString();
  const CString timePicture = TimeFormatWithSeconds(GetTimeFormatString());
  SLocalTime old;
  if (StampToLocalTime(m_oldTime, old)) {
    SetDlgItemText(IDC_OLD_DATE, FormatDatePicture(datePicture, old).Left(kMaxPictureText));
    SetDlgItemText(IDC_OLD_TIME, FormatTimePicture(timePicture, old).Left(kMaxPictureText));
  }
  m_datePicker.SetFormat(datePicture.GetString());
  m_timePicker.SetFormat(timePicture.GetString());
  m_datePicker.SetTime(m_newTime);
  m_timePicker.SetTime(m_newTime);
  return TRUE;
}

void CDateTimeDlg::OnDestroy() {
  // The new time stamp is the day of the date picker at the time of day of the time picker,
  // as local time: exactly what the user sees, on either side of a daylight-saving change.
  SLocalTime date;
  SLocalTime time;
  if (m_datePicker.IsWindow() && m_timePicker.IsWindow() && m_datePicker.GetTime(date) &&
      m_timePicker.GetTime(time)) {
    SLocalTime chosen = date;
    chosen.hour = time.hour;
    chosen.minute = time.minute;
    chosen.second = time.second;
    const std::int64_t stamp = LocalTimeToStamp(chosen);
    if (stamp != -1) m_newTime = stamp;
  }
  CDialog::OnDestroy();
}
