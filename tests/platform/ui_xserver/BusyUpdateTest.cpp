// A window shown just before long work on the user-interface thread, updated by that work
// through RedrawWindow, as a progress dialog is during an export: the X server itself shows
// each update, read back with xwd while the work still holds up the event loop.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/Static.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WndWidget.h"

namespace {

constexpr UINT kProbeMessage = WM_APP + 7;
// Long enough for a loaded machine's X server and window manager to map the window.
constexpr DWORD kMappingDeadlineMs = 20000;

// A window painted white, counting the probe messages that only the event loop delivers.
class CBusyWnd : public CWnd {
 public:
  int probes = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT) {
      CPaintDC dc(this);
      CRect client;
      GetClientRect(client);
      dc.FillSolidRect(client, RGB(255, 255, 255));
      return 0;
    }
    if (message == kProbeMessage) ++probes;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// A window's pixels as xwd reads them from the X server: a header of big-endian 32-bit fields
// (its own size first), the colour table, then rows of 24- or 32-bit pixels.
class CServerPicture {
 public:
  bool Read(unsigned long windowId) {
    const std::string command = "xwd -silent -id " + std::to_string(windowId);
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    m_data.clear();
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      m_data.insert(m_data.end(), buffer, buffer + n);
    if (pclose(pipe) != 0 || m_data.size() < 100) return false;
    const uint32_t headerSize = Field(0);
    m_width = Field(4);
    m_height = Field(5);
    m_littleEndian = Field(7) == 0;
    m_bytesPerPixel = Field(11) / 8;
    m_stride = Field(12);
    m_pixels = headerSize + 12 * Field(19);
    return (m_bytesPerPixel == 3 || m_bytesPerPixel == 4) &&
           m_pixels + size_t(m_stride) * m_height <= m_data.size();
  }
  // 0xRRGGBB, or 0xFF000000 outside the picture.
  uint32_t Pixel(int x, int y) const {
    if (x < 0 || y < 0 || uint32_t(x) >= m_width || uint32_t(y) >= m_height) return 0xFF000000u;
    const unsigned char* p = m_data.data() + m_pixels + size_t(y) * m_stride + size_t(x) * m_bytesPerPixel;
    if (m_littleEndian) return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    const unsigned char* last = p + m_bytesPerPixel - 3;
    return uint32_t(last[0]) << 16 | uint32_t(last[1]) << 8 | last[2];
  }

 private:
  uint32_t Field(int index) const {
    const unsigned char* p = m_data.data() + 4 * index;
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
  }
  std::vector<unsigned char> m_data;
  uint32_t m_width = 0, m_height = 0, m_stride = 0, m_bytesPerPixel = 0;
  size_t m_pixels = 0;
  bool m_littleEndian = true;
};

TEST(BusyUpdate, TheServerShowsEachUpdateWhileTheWorkHoldsUpTheEventLoop) {
  if (std::system("command -v xwd > /dev/null") != 0) GTEST_SKIP() << "xwd is not installed";
  CUiApplication application;
  CBusyWnd window;
  CProgressCtrl progress;
  CStatic text;
  ASSERT_TRUE(
      window.CreateEx(0, nullptr, u"busy", WS_POPUP | WS_CAPTION, CRect(40, 40, 340, 140), nullptr, 0));
  ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 290, 30), &window, 1));
  ASSERT_TRUE(text.Create(u"", WS_CHILD | WS_VISIBLE, CRect(10, 50, 290, 70), &window, 2));
  progress.SetRange(0, 100);
  window.ShowWindow(SW_SHOW);
  // The work begins: nothing from here on runs the event loop.
  window.PostMessage(kProbeMessage);
  const unsigned long id = QtWidgetOf(&window)->winId();

  auto step = [&](int percent, const char16_t* caption) {
    progress.SetPos(percent);
    progress.RedrawWindow();
    text.SetWindowText(caption);
    text.RedrawWindow();
  };
  // The work updates its window until the server shows it painted: white around the
  // controls. (A window manager maps the window a moment after it was shown.)
  CServerPicture first;
  const DWORD start = GetTickCount();
  bool painted = false;
  while (!painted && GetTickCount() - start < kMappingDeadlineMs) {
    step(10, u"Step one");
    painted = first.Read(id) && first.Pixel(150, 40) == 0xFFFFFFu && first.Pixel(295, 95) == 0xFFFFFFu;
  }
  ASSERT_TRUE(painted) << "the window never showed painted; at (150, 40): " << std::hex
                       << first.Pixel(150, 40);

  step(90, u"\u2588\u2588\u2588\u2588\u2588\u2588 step two");
  CServerPicture second;
  ASSERT_TRUE(second.Read(id));
  EXPECT_NE(first.Pixel(220, 20), second.Pixel(220, 20)) << "the bar's new position is not on the screen";
  EXPECT_NE(first.Pixel(14, 60), second.Pixel(14, 60)) << "the new text is not on the screen";
  EXPECT_EQ(window.probes, 0) << "the event loop ran during the work";
}

}  // namespace
