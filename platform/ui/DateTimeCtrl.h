#pragma once
// CDateTimeCtrl: a date or time picker over the toolkit's date-time editor. It shows its value
// with a date or time picture in the platform's notation (DateTimePicture.h) and holds a local
// date and time of the process time zone.

#include <cstdint>

#include "platform/base/LocalTime.h"
#include "platform/ui/Wnd.h"

class CDateTimeCtrl : public CWnd {
 public:
  BOOL SetFormat(LPCTSTR picture);
  // Seconds since 1970 UTC, shown as local time.
  BOOL SetTime(std::int64_t stamp);
  BOOL SetTime(const SLocalTime& local);
  BOOL GetTime(SLocalTime& local) const;
  // The value as the control shows it.
  CString GetDisplayText() const;

 protected:
  std::unique_ptr<WndWidget> CreateWidget(CWnd* parent) override;
};
