#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QWidget>

#include "platform/gdi/ImageList.h"
#include "platform/res/ResourceLookup.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ResourceIcons.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"
#include "tests/platform/gdi/Canvas.h"
#include "tests/platform/gdi/TwoPictureIconFile.h"

namespace {

constexpr WORD kIconId = 140;
constexpr WORD kMissingIconId = 141;
// The language module's icon: the same file with the lower left pixel of its 2 × 2 picture
// white instead of green.
std::vector<std::uint8_t> ModuleIconFile() {
  std::vector<std::uint8_t> file = kTwoPictureIconFile;
  for (std::size_t i = 78; i < 81; ++i) file[i] = 0xFF;
  return file;
}
const std::vector<std::uint8_t> kModuleIconFile = ModuleIconFile();
const SResourceModule kLanguageModule{u"ZD-Zedo_Test.zdl"};

// The colour of the lower left pixel of the icon's own picture.
COLORREF LowerLeftColour(HICON icon) {
  Canvas target(2, 2);
  DrawIcon(target.dc.GetSafeHdc(), 0, 0, icon);
  return target.At(0, 1);
}

class WindowIcons : public ::testing::Test {
 protected:
  void SetUp() override {
    AddResource(nullptr, RT_GROUP_ICON, MAKEINTRESOURCEW(kIconId), kTwoPictureIconFile.data(),
                kTwoPictureIconFile.size());
    AddResource(&kLanguageModule, RT_GROUP_ICON, MAKEINTRESOURCEW(kIconId), kModuleIconFile.data(),
                kModuleIconFile.size());
    ASSERT_TRUE(window.CreateEx(0, nullptr, u"icons", WS_OVERLAPPEDWINDOW, CRect(0, 0, 80, 60), nullptr, 0));
  }
  void TearDown() override {
    window.DestroyWindow();
    AfxSetResourceHandle(nullptr);
  }
  QIcon ShownIcon(CWnd& wnd) const { return wnd.GetWidget()->Widget()->windowIcon(); }

  CUiApplication application;
  CWnd window;
};

TEST_F(WindowIcons, LoadedIconsAreSharedAndOutliveDestroyIcon) {
  HICON icon = LoadIcon(nullptr, MAKEINTRESOURCEW(kIconId));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCEW(kIconId)), icon);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCEW(kIconId)), icon);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info)) << "a shared icon stays usable";
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST_F(WindowIcons, AMissingIconOrANameGivenAsTextLoadsNothing) {
  EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCEW(kMissingIconId)), nullptr);
  EXPECT_EQ(LoadIcon(nullptr, u"#140"), nullptr);
  EXPECT_EQ(LoadAppIcon(kMissingIconId), nullptr);
}

TEST_F(WindowIcons, TheApplicationsIconComesFromTheCurrentModuleElseFromTheProgram) {
  EXPECT_EQ(LoadAppIcon(kIconId), LoadIcon(nullptr, MAKEINTRESOURCEW(kIconId)));
  AfxSetResourceHandle(&kLanguageModule);
  HICON fromModule = LoadAppIcon(kIconId);
  ASSERT_NE(fromModule, nullptr);
  EXPECT_NE(fromModule, LoadIcon(nullptr, MAKEINTRESOURCEW(kIconId)));
  EXPECT_EQ(LowerLeftColour(fromModule), RGB(255, 255, 255));
  EXPECT_EQ(LowerLeftColour(LoadIcon(nullptr, MAKEINTRESOURCEW(kIconId))), RGB(0, 255, 0));
}

TEST_F(WindowIcons, SetIconAnswersTheIconItReplacesForEachOfTheTwoKinds) {
  HICON first = LoadIcon(nullptr, MAKEINTRESOURCEW(kIconId));
  AfxSetResourceHandle(&kLanguageModule);
  HICON second = LoadAppIcon(kIconId);
  EXPECT_EQ(window.GetIcon(TRUE), nullptr);
  EXPECT_EQ(window.GetIcon(FALSE), nullptr);
  EXPECT_EQ(window.SetIcon(first, TRUE), nullptr);
  EXPECT_EQ(window.SetIcon(second, TRUE), first);
  EXPECT_EQ(window.SetIcon(first, FALSE), nullptr);
  EXPECT_EQ(window.GetIcon(TRUE), second);
  EXPECT_EQ(window.GetIcon(FALSE), first);
  EXPECT_EQ(window.SendMessage(WM_GETICON, ICON_BIG), reinterpret_cast<LRESULT>(second));
  EXPECT_EQ(window.SetIcon(nullptr, TRUE), second);
  EXPECT_EQ(window.GetIcon(TRUE), nullptr);
}

TEST_F(WindowIcons, ATopLevelWindowShowsEverySizeOfItsIconWithTheMaskAsTransparency) {
  EXPECT_TRUE(ShownIcon(window).isNull());
  window.SetIcon(LoadIcon(nullptr, MAKEINTRESOURCEW(kIconId)), TRUE);
  const QIcon shown = ShownIcon(window);
  ASSERT_FALSE(shown.isNull());
  EXPECT_TRUE(shown.availableSizes().contains(QSize(2, 2)));
  EXPECT_TRUE(shown.availableSizes().contains(QSize(1, 1)));
  const QImage large = shown.pixmap(QSize(2, 2)).toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(large.pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(qAlpha(large.pixel(1, 0)), 0) << "the masked pixel is transparent";
  EXPECT_EQ(large.pixel(1, 1), 0xFF0000FFu);
  window.SetIcon(nullptr, TRUE);
  EXPECT_TRUE(ShownIcon(window).isNull());
}

TEST_F(WindowIcons, AFrameShowsTheIconOfItsResourceIdUntilOneIsSet) {
  CFrameWnd frame;
  ASSERT_TRUE(frame.LoadFrame(kIconId));
  EXPECT_EQ(frame.GetIcon(TRUE), nullptr) << "the resource's icon is the frame's kind's, not one set";
  EXPECT_TRUE(ShownIcon(frame).availableSizes().contains(QSize(2, 2)));
  AfxSetResourceHandle(&kLanguageModule);
  HICON other = LoadAppIcon(kIconId);
  EXPECT_EQ(frame.SetIcon(other, FALSE), nullptr);
  EXPECT_FALSE(ShownIcon(frame).isNull());
  frame.DestroyWindow();
}

}  // namespace
