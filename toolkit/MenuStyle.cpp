#include "toolkit/MenuStyle.h"

int OsVersionCodeOf(const OSVERSIONINFO& info) {
  if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    if (info.dwMajorVersion < 4) return 0;
    if (info.dwMajorVersion == 4 && info.dwMinorVersion == 10) return 3;
    if (info.dwMajorVersion == 4 && info.dwMinorVersion == 90) return 4;
    return 2;
  }
  if (info.dwMajorVersion == 4) return 5;
  if (info.dwMajorVersion == 5 && info.dwMinorVersion == 0) return 6;
  if (info.dwMajorVersion == 5 && info.dwMinorVersion == 1) return 7;
  return 1;
}

namespace {

BYTE Lighten(BYTE v, double factor) { return BYTE(v + (255 - v) * factor); }
BYTE Darken(BYTE v, double factor) { return BYTE(v - v * factor); }

bool IsValidFactor(double factor) { return factor > 0.0 && factor <= 1.0; }

}  // namespace

int GetOsVersionCode() {
  OSVERSIONINFO info{};
  info.dwOSVersionInfoSize = sizeof info;
  GetVersionEx(&info);
  return OsVersionCodeOf(info);
}

bool IsClassicTheme() {
  // The theme is read into a buffer of 260 bytes; a longer value cannot be read.
  constexpr int kBufferBytes = 260;
  CString theme = GetCurrentThemeFile();
  if (theme.IsEmpty() || (theme.GetLength() + 1) * 2 > kBufferBytes) return false;
  CString suffix = u"windows classic.theme";
  if (theme.GetLength() < suffix.GetLength()) return false;
  CString end = theme.Right(suffix.GetLength());
  for (int i = 0; i < end.GetLength(); ++i) {
    char16_t ch = end[i];
    if (ch >= u'A' && ch <= u'Z') ch = char16_t(ch + 32);
    if (ch != suffix[i]) return false;
  }
  return true;
}

bool IsXpMenuStyle() { return GetOsVersionCode() == 7 && !IsClassicTheme(); }

COLORREF LightenColor(COLORREF color, double factor) {
  if (!IsValidFactor(factor)) return color;
  return RGB(Lighten(GetRValue(color), factor), Lighten(GetGValue(color), factor),
             Lighten(GetBValue(color), factor));
}

COLORREF DarkenColor(COLORREF color, double factor) {
  if (!IsValidFactor(factor)) return color;
  return RGB(Darken(GetRValue(color), factor), Darken(GetGValue(color), factor),
             Darken(GetBValue(color), factor));
}
