#pragma once
// Date and time pictures as the platform's date and time formatting reads them, in the
// invariant locale (English month and day names, "AM" and "PM"):
//   date: d dd (day), ddd dddd (day name), M MM (month), MMM MMMM (month name),
//         y (year in century, no zero), yy (two digits), yyyy (four digits), g gg (era "A.D.")
//   time: h hh (12-hour), H HH (24-hour), m mm, s ss, t ("A"/"P"), tt ("AM"/"PM")
// Text in single quotes is copied ('' is a quote); any other character is copied as it is.

#include "platform/base/LocalTime.h"
#include "platform/base/String.h"

CString FormatDatePicture(const CString& picture, const SLocalTime& time);
CString FormatTimePicture(const CString& picture, const SLocalTime& time);

// The date and time as the C library's "%c" gives them in the C locale, which the program
// keeps whatever the user's locale: "Thu Dec 10 09:05:07 2026".
CString FormatDateTimeC(const SLocalTime& time);
