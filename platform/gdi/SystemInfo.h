#pragma once
// The platform's system colours, metrics and fonts as fixed tables of the classic Windows
// look, and the operating-system version and theme that the owner-drawn menus choose their
// style from. Version and theme are settings (default: a system that gets the classic style).

#include "platform/base/String.h"
#include "platform/gdi/GdiTypes.h"

constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_DESKTOP = COLOR_BACKGROUND;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CXFIXEDFRAME = SM_CXDLGFRAME;
constexpr int SM_CYFIXEDFRAME = SM_CYDLGFRAME;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_MOUSEPRESENT = 19;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_SWAPBUTTON = 23;
constexpr int SM_CXMIN = 28;
constexpr int SM_CYMIN = 29;
constexpr int SM_CXSIZE = 30;
constexpr int SM_CYSIZE = 31;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXSIZEFRAME = SM_CXFRAME;
constexpr int SM_CYSIZEFRAME = SM_CYFRAME;
constexpr int SM_CXMINTRACK = 34;
constexpr int SM_CYMINTRACK = 35;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXICONSPACING = 38;
constexpr int SM_CYICONSPACING = 39;
constexpr int SM_MENUDROPALIGNMENT = 40;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CYSMCAPTION = 51;
constexpr int SM_CXMENUSIZE = 54;
constexpr int SM_CYMENUSIZE = 55;
constexpr int SM_CXMAXIMIZED = 61;
constexpr int SM_CYMAXIMIZED = 62;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;
constexpr int SM_CXMENUCHECK = 71;
constexpr int SM_CYMENUCHECK = 72;
constexpr int SM_XVIRTUALSCREEN = 76;
constexpr int SM_YVIRTUALSCREEN = 77;
constexpr int SM_CXVIRTUALSCREEN = 78;
constexpr int SM_CYVIRTUALSCREEN = 79;
constexpr int SM_CMONITORS = 80;

// Classic scheme colours; an unknown index gives 0.
COLORREF GetSysColor(int index);
// Changes colours of the scheme (SetSysColors in platform/ui also tells the windows);
// ResetSysColorValues brings back the classic scheme. The stock brushes keep the classic colours.
void SetSysColorValues(int count, const int* indices, const COLORREF* colors);
void ResetSysColorValues();
// The answer of SPI_GETWHEELSCROLLLINES: 3 by default; -1 (as UINT) asks for page scrolling.
void SetWheelScrollLines(int lines);
// A stock brush of the system colour (not to be deleted).
HBRUSH GetSysColorBrush(int index);
// Classic metrics at 96 dpi; an unknown index gives 0.
int GetSystemMetrics(int index);
// Pins the screen size that SM_CXSCREEN, SM_CYSCREEN and their kin and the work area report,
// whatever screen the program runs on (tests use it for a screen of a given size); 0 x 0 lets
// the real screen count again.
void SetScreenSize(int width, int height);
// The pinned size; 0 x 0 while the real screen counts.
SIZE GetPinnedScreenSize();
// The toolkit's primary screen as the program runs on it, its full size and the part that
// panels leave free; the application sets it when it starts. Before that, and without a
// screen, a 1280 x 1024 screen is assumed.
void SetDisplayScreen(const RECT& screen, const RECT& workArea);
// The monitor rectangle and work area, from the pinned size or the real screen.
RECT GetScreenRect();
RECT GetWorkAreaRect();

struct NONCLIENTMETRICS {
  UINT cbSize;
  int iBorderWidth;
  int iScrollWidth;
  int iScrollHeight;
  int iCaptionWidth;
  int iCaptionHeight;
  LOGFONT lfCaptionFont;
  int iSmCaptionWidth;
  int iSmCaptionHeight;
  LOGFONT lfSmCaptionFont;
  int iMenuWidth;
  int iMenuHeight;
  LOGFONT lfMenuFont;
  LOGFONT lfStatusFont;
  LOGFONT lfMessageFont;
  int iPaddedBorderWidth;
};

constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;
constexpr UINT SPI_GETWHEELSCROLLLINES = 0x0068;
constexpr UINT SPI_GETWORKAREA = 0x0030;
constexpr UINT SPI_GETICONTITLELOGFONT = 0x001F;
// Answers SPI_GETNONCLIENTMETRICS (NONCLIENTMETRICS), SPI_GETWHEELSCROLLLINES (UINT, 3),
// SPI_GETWORKAREA (RECT) and SPI_GETICONTITLELOGFONT (LOGFONT); FALSE for anything else.
BOOL SystemParametersInfo(UINT action, UINT param, void* data, UINT winIni);
// The classic fonts: Tahoma 8 pt (height -11) for menus, messages, status and captions
// (captions bold).
LOGFONT GetMenuLogFont();
LOGFONT GetMessageLogFont();

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFO {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
};

// The system version the program sees: by default Windows NT 6.1, which the owner-drawn
// menus draw in the classic style; NT 5.1 (Windows XP) lets them choose the XP style.
BOOL GetVersionEx(OSVERSIONINFO* info);
void SetEmulatedWindowsVersion(DWORD platformId, DWORD major, DWORD minor);
// The current desktop theme file (the value the platform keeps under
// "Software\Microsoft\Plus!\Themes\Current"); empty means it cannot be read. Default empty.
CString GetCurrentThemeFile();
void SetCurrentThemeFile(const CString& themeFile);
// Whether the screen is a palette (256-colour) display: GetDeviceCaps(RASTERCAPS) of
// screen and window contexts then has RC_PALETTE. Default false.
void SetPaletteDisplay(bool palette);
bool IsPaletteDisplay();
