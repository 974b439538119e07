#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/res/StringTable.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "toolkit/Logo.h"

namespace {

constexpr UINT kNormalPicture = 62, kPressedPicture = 63;
constexpr int kPictureWidth = 40, kPictureHeight = 20;
const COLORREF kNormalColor = RGB(200, 0, 0), kPressedColor = RGB(0, 0, 200);

// A packed 24-bit DIB of one colour, the form of a bitmap resource.
std::vector<BYTE> PackedDib(COLORREF color) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = kPictureWidth;
  header.biHeight = kPictureHeight;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  std::vector<BYTE> dib(sizeof header);
  std::memcpy(dib.data(), &header, sizeof header);
  for (int i = 0; i < kPictureWidth * kPictureHeight; ++i) {
    dib.push_back(GetBValue(color));
    dib.push_back(GetGValue(color));
    dib.push_back(GetRValue(color));
  }
  return dib;
}

// The main window: counts the logo's click messages and the status texts it is asked for.
class CMainProbe : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  static const UINT s_logoClick;
  CLogo* logo = nullptr;
  int clicks = 0;
  bool pressedAtClick = false;
  std::vector<WPARAM> statusTexts;

  LRESULT OnLogoClick(WPARAM, LPARAM) {
    ++clicks;
    pressedAtClick = (logo->GetState() & BST_PUSHED) != 0;
    return 0;
  }
  LRESULT OnPopMessageString(WPARAM wParam, LPARAM) {
    statusTexts.push_back(wParam);
    return 0;
  }
};

const UINT CMainProbe::s_logoClick = RegisterWindowMessage(u"OnLogoClick");

// clang-format off
BEGIN_MESSAGE_MAP(CMainProbe, CWnd)
  .OnRegisteredMessage(CMainProbe::s_logoClick, &CMainProbe::OnLogoClick)
  .OnMessage(WM_POPMESSAGESTRING, &CMainProbe::OnPopMessageString)
END_MESSAGE_MAP()
// clang-format on

class LogoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetBitmapResourceProvider([](UINT id) {
      if (id == kNormalPicture) return PackedDib(kNormalColor);
      if (id == kPressedPicture) return PackedDib(kPressedColor);
      return std::vector<BYTE>();
    });
    ASSERT_TRUE(main.Create(nullptr, u"ZD-Zedo", WS_POPUP | WS_VISIBLE, CRect(0, 0, 500, 300), nullptr, 0));
    AfxSetMainWnd(&main);
    main.logo = &logo;
    ASSERT_TRUE(dockBar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 30), &main, 0xE81B));
    ASSERT_TRUE(
        toolBar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 2, 200, 28), &dockBar, 0xE800));
    dockBar.m_arrBars = {nullptr, &toolBar, nullptr};
    ASSERT_TRUE(
        logo.Create(nullptr, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 10, 10), &dockBar, 128));
    ASSERT_TRUE(logo.LoadBitmaps(kNormalPicture, kPressedPicture));
    logo.SizeToContent();
    logo.Reposition();
  }
  void TearDown() override {
    AfxSetMainWnd(nullptr);
    SetBitmapResourceProvider(nullptr);
  }
  CRect LogoInDockBar() {
    CRect rect;
    logo.GetWindowRect(rect);
    dockBar.ScreenToClient(rect);
    return rect;
  }
  COLORREF LogoPixel() {
    logo.UpdateWindow();
    CClientDC dc(&logo);
    return dc.GetPixel(5, 5);
  }

  CUiApplication application;
  CMainProbe main;
  CDockBar dockBar;
  CControlBar toolBar;
  CLogo logo;
};

TEST_F(LogoTest, StaysAtTheRightEndAndHidesWhenTheToolBarReachesIt) {
  const int edge = GetSystemMetrics(SM_CXEDGE);
  EXPECT_EQ(LogoInDockBar(), CRect(400 - kPictureWidth - edge, 0, 400 - edge, kPictureHeight));
  EXPECT_TRUE(logo.IsWindowVisible());

  dockBar.MoveWindow(0, 0, 230, 30);  // the logo would start at 188, left of the tool bar's end
  logo.Reposition();
  EXPECT_FALSE(logo.IsWindowVisible());

  dockBar.MoveWindow(0, 0, 400, 30);
  logo.Reposition();
  EXPECT_TRUE(logo.IsWindowVisible());
  EXPECT_EQ(LogoInDockBar().left, 400 - kPictureWidth - edge);
}

TEST_F(LogoTest, PressIsReportedOnceBeforeTheReleaseAndShowsThePressedPicture) {
  EXPECT_EQ(LogoPixel(), kNormalColor);
  SimulateMouse(&logo, SimulatedMouseAction::Press, VK_LBUTTON, CPoint(5, 5), 0, MK_LBUTTON);
  EXPECT_EQ(main.clicks, 1);
  EXPECT_TRUE(main.pressedAtClick) << "reported while the button is still down";
  EXPECT_EQ(LogoPixel(), kPressedColor);
  SimulateMouse(&logo, SimulatedMouseAction::Release, VK_LBUTTON, CPoint(5, 5), 0, 0);
  EXPECT_EQ(main.clicks, 1);
  EXPECT_EQ(LogoPixel(), kNormalColor);
}

TEST_F(LogoTest, HandCursorAndLeavingRestoresTheIdleStatusText) {
  SimulateMouseEnter(&logo);
  SimulateMouse(&logo, SimulatedMouseAction::Move, 0, CPoint(3, 3), 0, 0);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
  EXPECT_TRUE(main.statusTexts.empty());
  SimulateMouseLeave(&logo);
  ASSERT_EQ(main.statusTexts.size(), 1u);
  EXPECT_EQ(main.statusTexts[0], WPARAM(AFX_IDS_IDLEMESSAGE));
}

TEST_F(LogoTest, TooltipIsTheTextAfterTheFirstLineBreakOfTheStringWithTheButtonsId) {
  struct SCase {
    int id;
    CString tip;  // empty: no tool
  };
  const CString withBreak = ResString(1045);
  ASSERT_GE(withBreak.Find(u'\n'), 0);
  const SCase cases[] = {
      {1045, withBreak.Mid(withBreak.Find(u'\n') + 1)},
      {28501, ResString(28501)},
      {65000, CString()},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.id);
    logo.SetDlgCtrlID(c.id);
    TOOLINFO info;
    const INT_PTR hit = logo.OnToolHitTest(CPoint(1, 1), &info);
    if (c.tip.IsEmpty()) {
      EXPECT_EQ(hit, -1);
      EXPECT_EQ(info.lpszText, nullptr);
      continue;
    }
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(CString(info.lpszText), c.tip);
    EXPECT_EQ(info.hwnd, &logo);
    CRect client;
    logo.GetClientRect(client);
    EXPECT_EQ(CRect(info.rect), client);
    delete[] info.lpszText;
  }
}

}  // namespace
