#include <gtest/gtest.h>

#include <functional>

#include "platform/gdi/IconFile.h"
#include "platform/gdi/ImageList.h"
#include "tests/platform/gdi/Canvas.h"
#include "tests/platform/gdi/TwoPictureIconFile.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);

HICON Read(const std::vector<std::uint8_t>& file, int cx, int cy) {
  return CreateIconFromIconFile(file.data(), file.size(), cx, cy);
}

CSize SizeOf(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return CSize(0, 0);
  BITMAP bitmap{};
  GetObject(info.hbmColor, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return CSize(bitmap.bmWidth, bitmap.bmHeight);
}

TEST(IconFile, ThePictureOfTheSizeAskedForIsTheIconsOwnAndItsMaskLetsTheTargetThrough) {
  HICON icon = Read(kTwoPictureIconFile, 2, 2);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(SizeOf(icon), CSize(2, 2));
  Canvas target(2, 2);
  target.dc.FillSolidRect(0, 0, 2, 2, kGrey);
  EXPECT_TRUE(DrawIcon(target.dc.GetSafeHdc(), 0, 0, icon));
  EXPECT_EQ(target.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(target.At(1, 0), kGrey);
  EXPECT_EQ(target.At(0, 1), RGB(0, 255, 0));
  EXPECT_EQ(target.At(1, 1), RGB(0, 0, 255));
  DestroyIcon(icon);
}

TEST(IconFile, WithoutTheSizeTheSmallestLargerPictureIsTakenElseTheLargest) {
  const struct {
    int cx;
    CSize expected;
  } cases[] = {{1, CSize(1, 1)}, {2, CSize(2, 2)}, {16, CSize(2, 2)}, {32, CSize(2, 2)}};
  for (const auto& c : cases) {
    HICON icon = Read(kTwoPictureIconFile, c.cx, c.cx);
    ASSERT_NE(icon, nullptr) << c.cx;
    EXPECT_EQ(SizeOf(icon), c.expected) << "asked for " << c.cx;
    DestroyIcon(icon);
  }
}

TEST(IconFile, MalformedFilesGiveNoIcon) {
  using Change = std::function<void(std::vector<std::uint8_t>&)>;
  const struct {
    const char* what;
    Change change;
  } cases[] = {
      {"empty", [](auto& f) { f.clear(); }},
      {"a cursor file (type 2)", [](auto& f) { f[2] = 2; }},
      {"no pictures", [](auto& f) { f[4] = 0; }},
      {"more pictures than entries", [](auto& f) { f[4] = 12; }},
      {"a picture past the end", [](auto& f) { f[22 + 12] = 0x67; }},
      {"a picture cut short", [](auto& f) { f.resize(f.size() - 1); }},
      {"a picture too small for its mask", [](auto& f) { f[6 + 8] = 0x28 + 4; }},
      {"an odd picture height", [](auto& f) { f[38 + 8] = 3; }},
      {"a picture of no width", [](auto& f) { f[38 + 4] = 0; }},
      {"a picture wider than any icon", [](auto& f) { f[38 + 7] = 0x7F; }},
      {"a picture taller than any icon", [](auto& f) { f[38 + 9] = 0x02; }},
      {"an unknown colour depth", [](auto& f) { f[38 + 14] = 7; }},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> file = kTwoPictureIconFile;
    c.change(file);
    EXPECT_EQ(CreateIconFromIconFile(file.data(), file.size(), 32, 32), nullptr) << c.what;
  }
  EXPECT_EQ(CreateIconFromIconFile(nullptr, 0, 32, 32), nullptr);
}

}  // namespace
