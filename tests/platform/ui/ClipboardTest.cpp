#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"

namespace {

TEST(Clipboard, NamesGiveStableFormats) {
  const UINT first = RegisterClipboardFormat(u"ZD-ZedoClipboardFormat");
  EXPECT_GE(first, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat(u"ZD-ZedoClipboardFormat"), first);
  EXPECT_NE(RegisterClipboardFormat(u"Other Format"), first);
  EXPECT_EQ(RegisterClipboardFormat(u""), 0u);
}

TEST(Clipboard, WithoutUserInterfaceNothingIsOpened) {
  EXPECT_FALSE(OpenClipboard(nullptr));
  std::vector<BYTE> data;
  EXPECT_FALSE(GetClipboardData(RegisterClipboardFormat(u"Private"), data));
}

class ClipboardTest : public ::testing::Test {
 protected:
  CUiApplication app;
  const UINT format = RegisterClipboardFormat(u"ZD-ZedoClipboardFormat");
};

TEST_F(ClipboardTest, BlocksReachTheClipboardWhenItIsClosed) {
  const std::vector<BYTE> block{3, 0, 0, 0, 0xAA, 0x00, 0xFF};
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(OpenClipboard(nullptr)) << "the clipboard is open already";
  EXPECT_FALSE(SetClipboardData(format, block)) << "only after emptying";
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_TRUE(SetClipboardData(format, block));
  EXPECT_FALSE(SetClipboardData(12345, block)) << "an unregistered format";
  ASSERT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());

  std::vector<BYTE> read;
  ASSERT_TRUE(GetClipboardData(format, read));
  EXPECT_EQ(read, block);
  EXPECT_TRUE(IsClipboardFormatAvailable(format));
  EXPECT_FALSE(IsClipboardFormatAvailable(RegisterClipboardFormat(u"Other Format")));

  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(CloseClipboard());
  EXPECT_FALSE(IsClipboardFormatAvailable(format)) << "emptying replaced the content";
}

TEST_F(ClipboardTest, CallsFromAnotherThreadRunOnTheUserInterfaceThread) {
  std::vector<BYTE> read;
  bool placed = false, found = false;
  std::thread worker([&] {
    placed =
        OpenClipboard(nullptr) && EmptyClipboard() && SetClipboardData(format, {1, 2, 3}) && CloseClipboard();
    found = GetClipboardData(format, read);
    CUiApplication::Quit(0);
  });
  app.Run();
  worker.join();
  EXPECT_TRUE(placed);
  EXPECT_TRUE(found);
  EXPECT_EQ(read, (std::vector<BYTE>{1, 2, 3}));
}

}  // namespace

namespace {

TEST_F(ClipboardTest, UnicodeTextIsTheSystemsPlainText) {
  const std::u16string text =
      u"\u0394\u03B9\u03B1\u03B2\u03AC\u03B8\u03BC\u03B9\u03C3\u03B7 \u041F\u0440\u043E\u0431\u0430\r\n";
  std::vector<BYTE> units((text.size() + 1) * 2, 0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    units[2 * i] = BYTE(text[i] & 0xFF);
    units[2 * i + 1] = BYTE(text[i] >> 8);
  }
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, units));
  ASSERT_TRUE(CloseClipboard());

  std::vector<BYTE> back;
  ASSERT_TRUE(GetClipboardData(CF_UNICODETEXT, back));
  EXPECT_EQ(back, units) << "the same units, ended by one zero unit";
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

TEST_F(ClipboardTest, EightBitTextIsWindows1252MadeFromTheSameText) {
  // "Ä€ x" in Windows-1252: C4, 80 (the euro sign), 20, 78, ended by a zero byte.
  const std::vector<BYTE> ansi{0xC4, 0x80, 0x20, 0x78, 0x00};
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(SetClipboardData(CF_TEXT, ansi));
  ASSERT_TRUE(CloseClipboard());
  std::vector<BYTE> units;
  ASSERT_TRUE(GetClipboardData(CF_UNICODETEXT, units));
  EXPECT_EQ(units, (std::vector<BYTE>{0xC4, 0x00, 0xAC, 0x20, 0x20, 0x00, 0x78, 0x00, 0x00, 0x00}));

  // Unicode text reads back as 8-bit text with '?' for what Windows-1252 lacks.
  const std::vector<BYTE> greek{0x94, 0x03, 0x41, 0x00, 0x00, 0x00};  // U+0394, "A"
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, greek));
  ASSERT_TRUE(CloseClipboard());
  std::vector<BYTE> back;
  ASSERT_TRUE(GetClipboardData(CF_TEXT, back));
  EXPECT_EQ(back, (std::vector<BYTE>{'?', 'A', 0x00}));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
}

}  // namespace

namespace {

// The window that emptied the clipboard still owns it after closing: it may add data in a
// later opening, while another window (or no window) may not.
TEST_F(ClipboardTest, TheWindowThatEmptiedItMayAddDataLater) {
  CWnd owner, other;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, u"owner", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  ASSERT_TRUE(other.CreateEx(0, nullptr, u"other", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  const std::vector<BYTE> text{'a', 0, 0, 0};
  const std::vector<BYTE> block{1, 2, 3};
  ASSERT_TRUE(OpenClipboard(&owner));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, text));
  ASSERT_TRUE(CloseClipboard());

  ASSERT_TRUE(OpenClipboard(&other));
  EXPECT_FALSE(SetClipboardData(format, block)) << "not the owner";
  CloseClipboard();
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(SetClipboardData(format, block)) << "no window owns nothing";
  CloseClipboard();

  ASSERT_TRUE(OpenClipboard(&owner));
  EXPECT_TRUE(SetClipboardData(format, block));
  ASSERT_TRUE(CloseClipboard());
  std::vector<BYTE> read;
  ASSERT_TRUE(GetClipboardData(format, read));
  EXPECT_EQ(read, block);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT)) << "what it set first stays";

  ASSERT_TRUE(OpenClipboard(&other));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(CloseClipboard());
  ASSERT_TRUE(OpenClipboard(&owner));
  EXPECT_FALSE(SetClipboardData(format, block)) << "another window emptied it since";
  CloseClipboard();
  owner.DestroyWindow();
  other.DestroyWindow();
}

TEST_F(ClipboardTest, AWindowMadeWhereTheDestroyedOwnerWasDoesNotOwnIt) {
  const std::vector<BYTE> text{'a', 0, 0, 0};
  auto owner = std::make_unique<CWnd>();
  ASSERT_TRUE(owner->CreateEx(0, nullptr, u"owner", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  ASSERT_TRUE(OpenClipboard(owner.get()));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, text));
  ASSERT_TRUE(CloseClipboard());
  owner->DestroyWindow();
  owner.reset();

  // Often at the very address of the one before.
  auto later = std::make_unique<CWnd>();
  ASSERT_TRUE(later->CreateEx(0, nullptr, u"later", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  ASSERT_TRUE(OpenClipboard(later.get()));
  EXPECT_FALSE(SetClipboardData(format, text)) << "not the owner";
  CloseClipboard();
  later->DestroyWindow();
}

// A bitmap the clipboard refuses stays the caller's; one it takes is its image, which the owner
// keeps when it opens the clipboard again.
TEST_F(ClipboardTest, ABitmapBecomesTheClipboardsImage) {
  CWnd owner;
  owner.CreateEx(0, nullptr, u"owner", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
  CClientDC window(&owner);
  CDC screen;
  screen.CreateCompatibleDC(&window);
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&window, 5, 3));
  CBitmap* old = screen.SelectObject(&bitmap);
  screen.FillSolidRect(0, 0, 5, 3, RGB(10, 20, 30));
  screen.SelectObject(old);
  // Handed over as a bare handle: once taken, the clipboard may free it at once.
  HBITMAP handle = HBITMAP(bitmap.Detach());

  ASSERT_TRUE(OpenClipboard(&owner));
  EXPECT_FALSE(SetClipboardData(CF_BITMAP, handle)) << "only after emptying";
  EXPECT_EQ(GetObjectType(handle), OBJ_BITMAP) << "a refused bitmap stays";
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_FALSE(SetClipboardData(CF_UNICODETEXT, handle)) << "a bitmap is no text";
  ASSERT_TRUE(SetClipboardData(CF_BITMAP, handle));
  ASSERT_TRUE(CloseClipboard());

  ASSERT_TRUE(OpenClipboard(&owner));
  HBITMAP copy = GetClipboardBitmap();
  CloseClipboard();
  ASSERT_NE(copy, nullptr);
  BITMAP info{};
  GetObject(copy, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 5);
  EXPECT_EQ(info.bmHeight, 3);
  CBitmap* previous = screen.SelectObject(CBitmap::FromHandle(copy));
  EXPECT_EQ(screen.GetPixel(4, 2), RGB(10, 20, 30));
  screen.SelectObject(previous);
  DeleteObject(copy);
  owner.DestroyWindow();
}

}  // namespace
