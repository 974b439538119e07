#include "platform/gdi/SystemInfo.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>

#include "platform/gdi/Brush.h"

namespace {

// The classic scheme of the platform.
constexpr COLORREF kSysColors[] = {
    RGB(212, 208, 200),  // 0 scroll bar
    RGB(58, 110, 165),   // 1 desktop
    RGB(10, 36, 106),    // 2 active caption
    RGB(128, 128, 128),  // 3 inactive caption
    RGB(212, 208, 200),  // 4 menu
    RGB(255, 255, 255),  // 5 window
    RGB(0, 0, 0),        // 6 window frame
    RGB(0, 0, 0),        // 7 menu text
    RGB(0, 0, 0),        // 8 window text
    RGB(255, 255, 255),  // 9 caption text
    RGB(212, 208, 200),  // 10 active border
    RGB(212, 208, 200),  // 11 inactive border
    RGB(128, 128, 128),  // 12 application workspace
    RGB(10, 36, 106),    // 13 highlight
    RGB(255, 255, 255),  // 14 highlight text
    RGB(212, 208, 200),  // 15 button face
    RGB(128, 128, 128),  // 16 button shadow
    RGB(128, 128, 128),  // 17 grey text
    RGB(0, 0, 0),        // 18 button text
    RGB(212, 208, 200),  // 19 inactive caption text
    RGB(255, 255, 255),  // 20 button highlight
    RGB(64, 64, 64),     // 21 3-D dark shadow
    RGB(212, 208, 200),  // 22 3-D light
    RGB(0, 0, 0),        // 23 tool-tip text
    RGB(255, 255, 225),  // 24 tool-tip background
    RGB(181, 181, 181),  // 25 unused
    RGB(0, 0, 128),      // 26 hot-tracked item
    RGB(166, 202, 240),  // 27 active caption gradient
    RGB(192, 192, 192),  // 28 inactive caption gradient
    RGB(10, 36, 106),    // 29 menu highlight
    RGB(212, 208, 200),  // 30 menu bar
};
constexpr int kSysColorCount = int(sizeof(kSysColors) / sizeof(kSysColors[0]));

// The real screen, set once the toolkit knows it, and a size pinned by a test over it.
std::mutex g_screenLock;
RECT g_displayScreen{0, 0, 1280, 1024};
RECT g_displayWorkArea{0, 0, 1280, 994};
int g_pinnedWidth = 0;
int g_pinnedHeight = 0;
std::atomic<bool> g_paletteDisplay{false};

std::mutex g_versionLock;
DWORD g_platformId = VER_PLATFORM_WIN32_NT;
DWORD g_major = 6;
DWORD g_minor = 1;
CString g_themeFile;

LOGFONT Tahoma(int weight) {
  LOGFONT lf{};
  lf.lfHeight = -11;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  const char16_t face[] = u"Tahoma";
  std::memcpy(lf.lfFaceName, face, sizeof face);
  return lf;
}

// The colours in force: the classic scheme until SetSysColorValues changes some.
COLORREF g_sysColors[kSysColorCount] = {};
bool g_sysColorsChanged = false;
int g_wheelScrollLines = 3;

}  // namespace

COLORREF GetSysColor(int index) {
  if (index < 0 || index >= kSysColorCount) return 0;
  return g_sysColorsChanged ? g_sysColors[index] : kSysColors[index];
}

void SetSysColorValues(int count, const int* indices, const COLORREF* colors) {
  if (!g_sysColorsChanged) std::copy(std::begin(kSysColors), std::end(kSysColors), g_sysColors);
  g_sysColorsChanged = true;
  for (int i = 0; i < count; ++i)
    if (indices[i] >= 0 && indices[i] < kSysColorCount) g_sysColors[indices[i]] = colors[i];
}

void ResetSysColorValues() { g_sysColorsChanged = false; }

void SetWheelScrollLines(int lines) { g_wheelScrollLines = lines; }

HBRUSH GetSysColorBrush(int index) {
  static HBRUSH brushes[kSysColorCount] = {};
  static std::once_flag once;
  std::call_once(once, [] {
    for (int i = 0; i < kSysColorCount; ++i) {
      brushes[i] = CreateSolidBrush(kSysColors[i]);
      brushes[i]->stock = true;
    }
  });
  return index >= 0 && index < kSysColorCount ? brushes[index] : nullptr;
}

RECT GetScreenRect() {
  std::lock_guard guard(g_screenLock);
  if (g_pinnedWidth > 0 && g_pinnedHeight > 0) return RECT{0, 0, g_pinnedWidth, g_pinnedHeight};
  return g_displayScreen;
}

RECT GetWorkAreaRect() {
  std::lock_guard guard(g_screenLock);
  // A pinned screen has a task bar of the classic height along its bottom edge.
  if (g_pinnedWidth > 0 && g_pinnedHeight > 0) return RECT{0, 0, g_pinnedWidth, g_pinnedHeight - 30};
  return g_displayWorkArea;
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CXMAXIMIZED: {
      const RECT screen = GetScreenRect();
      return screen.right - screen.left;
    }
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
    case SM_CYMAXIMIZED: {
      const RECT screen = GetScreenRect();
      return screen.bottom - screen.top;
    }
    case SM_CXFULLSCREEN: {
      const RECT area = GetWorkAreaRect();
      return area.right - area.left;
    }
    case SM_CYFULLSCREEN: {
      const RECT area = GetWorkAreaRect();
      return area.bottom - area.top - GetSystemMetrics(SM_CYCAPTION);
    }
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return 16;
    case SM_CYCAPTION:
      return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CYMENU:
      return 19;
    case SM_MOUSEPRESENT:
    case SM_CMONITORS:
      return 1;
    case SM_CXMIN:
      return 112;
    case SM_CYMIN:
      return 27;
    case SM_CXSIZE:
    case SM_CYSIZE:
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE:
      return 18;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXMINTRACK:
      return 112;
    case SM_CYMINTRACK:
      return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
      return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
      return 75;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CYSMCAPTION:
      return 16;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
      return 13;
    default:
      return 0;
  }
}

void SetScreenSize(int width, int height) {
  std::lock_guard guard(g_screenLock);
  g_pinnedWidth = width;
  g_pinnedHeight = height;
}

SIZE GetPinnedScreenSize() {
  std::lock_guard guard(g_screenLock);
  return SIZE{g_pinnedWidth, g_pinnedHeight};
}

void SetDisplayScreen(const RECT& screen, const RECT& workArea) {
  std::lock_guard guard(g_screenLock);
  g_displayScreen = screen;
  g_displayWorkArea = workArea;
}

LOGFONT GetMenuLogFont() { return Tahoma(FW_NORMAL); }
LOGFONT GetMessageLogFont() { return Tahoma(FW_NORMAL); }

BOOL SystemParametersInfo(UINT action, UINT, void* data, UINT) {
  if (!data) return FALSE;
  switch (action) {
    case SPI_GETNONCLIENTMETRICS: {
      auto* m = static_cast<NONCLIENTMETRICS*>(data);
      const UINT size = m->cbSize ? m->cbSize : UINT(sizeof(NONCLIENTMETRICS));
      NONCLIENTMETRICS metrics{};
      metrics.cbSize = size;
      metrics.iBorderWidth = 1;
      metrics.iScrollWidth = 16;
      metrics.iScrollHeight = 16;
      metrics.iCaptionWidth = 18;
      metrics.iCaptionHeight = 18;
      metrics.lfCaptionFont = Tahoma(FW_BOLD);
      metrics.iSmCaptionWidth = 12;
      metrics.iSmCaptionHeight = 15;
      metrics.lfSmCaptionFont = Tahoma(FW_BOLD);
      metrics.iMenuWidth = 18;
      metrics.iMenuHeight = 18;
      metrics.lfMenuFont = GetMenuLogFont();
      metrics.lfStatusFont = Tahoma(FW_NORMAL);
      metrics.lfMessageFont = GetMessageLogFont();
      std::memcpy(m, &metrics, std::min<std::size_t>(size, sizeof metrics));
      return TRUE;
    }
    case SPI_GETWHEELSCROLLLINES:
      *static_cast<UINT*>(data) = UINT(g_wheelScrollLines);
      return TRUE;
    case SPI_GETWORKAREA:
      *static_cast<RECT*>(data) = GetWorkAreaRect();
      return TRUE;
    case SPI_GETICONTITLELOGFONT:
      *static_cast<LOGFONT*>(data) = Tahoma(FW_NORMAL);
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL GetVersionEx(OSVERSIONINFO* info) {
  if (!info) return FALSE;
  std::lock_guard guard(g_versionLock);
  const DWORD size = info->dwOSVersionInfoSize;
  *info = OSVERSIONINFO{};
  info->dwOSVersionInfoSize = size;
  info->dwPlatformId = g_platformId;
  info->dwMajorVersion = g_major;
  info->dwMinorVersion = g_minor;
  info->dwBuildNumber = g_platformId == VER_PLATFORM_WIN32_NT ? 7601 : 0;
  return TRUE;
}

void SetEmulatedWindowsVersion(DWORD platformId, DWORD major, DWORD minor) {
  std::lock_guard guard(g_versionLock);
  g_platformId = platformId;
  g_major = major;
  g_minor = minor;
}

CString GetCurrentThemeFile() {
  std::lock_guard guard(g_versionLock);
  return g_themeFile;
}

void SetCurrentThemeFile(const CString& themeFile) {
  std::lock_guard guard(g_versionLock);
  g_themeFile = themeFile;
}

void SetPaletteDisplay(bool palette) { g_paletteDisplay = palette; }

bool IsPaletteDisplay() { return g_paletteDisplay; }
