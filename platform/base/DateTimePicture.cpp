#include "platform/base/DateTimePicture.h"

#include <clocale>
#include <ctime>

namespace {

const char16_t* const kMonthNames[12] = {u"January",   u"February", u"March",    u"April",
                                         u"May",       u"June",     u"July",     u"August",
                                         u"September", u"October",  u"November", u"December"};
const char16_t* const kDayNames[7] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                      u"Thursday", u"Friday", u"Saturday"};

CString Number(int value, int digits) {
  CString text;
  text.Format(u"%0*d", digits, value);
  return text;
}

CString DateToken(char16_t letter, int count, const SLocalTime& t) {
  switch (letter) {
    case 'd':
      if (count >= 4) return kDayNames[t.dayOfWeek % 7];
      if (count == 3) return CString(kDayNames[t.dayOfWeek % 7]).Left(3);
      return Number(t.day, count);
    case 'M':
      if (count >= 4) return kMonthNames[(t.month + 11) % 12];
      if (count == 3) return CString(kMonthNames[(t.month + 11) % 12]).Left(3);
      return Number(t.month, count);
    case 'y':
      if (count >= 3) return Number(t.year, 4);
      return Number(t.year % 100, count);
    default:  // 'g'
      return u"A.D.";
  }
}

CString TimeToken(char16_t letter, int count, const SLocalTime& t) {
  const int width = count >= 2 ? 2 : 1;
  switch (letter) {
    case 'h':
      return Number(t.hour % 12 == 0 ? 12 : t.hour % 12, width);
    case 'H':
      return Number(t.hour, width);
    case 'm':
      return Number(t.minute, width);
    case 's':
      return Number(t.second, width);
    default: {  // 't'
      const CString marker = t.hour < 12 ? u"AM" : u"PM";
      return count >= 2 ? marker : marker.Left(1);
    }
  }
}

template <class TokenFn>
CString Expand(const CString& picture, const char16_t* letters, TokenFn token) {
  CString out;
  const int n = picture.GetLength();
  for (int i = 0; i < n;) {
    const char16_t c = picture[i];
    if (c == '\'') {
      for (++i; i < n; ++i) {
        if (picture[i] != '\'') {
          out += picture[i];
        } else if (i + 1 < n && picture[i + 1] == '\'') {
          out += u'\'';
          ++i;
        } else {
          ++i;
          break;
        }
      }
      continue;
    }
    if (CString(letters).Find(c) < 0) {
      out += c;
      ++i;
      continue;
    }
    int count = 1;
    while (i + count < n && picture[i + count] == c) ++count;
    out += token(c, count);
    i += count;
  }
  return out;
}

}  // namespace

CString FormatDatePicture(const CString& picture, const SLocalTime& time) {
  return Expand(picture, u"dMyg", [&](char16_t c, int count) { return DateToken(c, count, time); });
}

CString FormatTimePicture(const CString& picture, const SLocalTime& time) {
  return Expand(picture, u"hHmst", [&](char16_t c, int count) { return TimeToken(c, count, time); });
}

CString FormatDateTimeC(const SLocalTime& time) {
  std::tm tm{};
  tm.tm_year = time.year - 1900;
  tm.tm_mon = time.month - 1;
  tm.tm_mday = time.day;
  tm.tm_hour = time.hour;
  tm.tm_min = time.minute;
  tm.tm_sec = time.second;
  tm.tm_wday = time.dayOfWeek;
  char text[64] = {};
  const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
  strftime_l(text, sizeof text, "%c", &tm, c);
  freelocale(c);
  return CString(text);
}
