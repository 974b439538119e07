#include <gtest/gtest.h>

#include "tests/toolkit/MenuTestSupport.h"
#include "toolkit/MenuStyle.h"

// On the default system (code 1) the classic style draws no 3-D frames.
TEST(ClassicMenuWithoutFrames, SelectedPictureHasNoRaisedBox) {
  ASSERT_EQ(GetOsVersionCode(), 1);
  COwnerMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  auto pictures = MakeRedSquareList();
  menu.AppendItem(u"Open", 0, 1, pictures.get(), 0);
  menu.AppendItem(u"Check", 0, 2, nullptr, 0);
  CSize size = MeasureMenuItem(menu, 0);
  CRect item(0, 0, size.cx, size.cy);
  const int g = std::max(0, (size.cy - 16 - 4) / 2);

  CCanvas canvas(300, 40);
  DrawMenuItem(menu, 0, canvas, item, ODS_SELECTED);
  EXPECT_EQ(canvas.At(0, g), kUntouched);
  EXPECT_EQ(canvas.At(16 + 3, g + 16 + 3), kUntouched);
  EXPECT_EQ(canvas.At(2 + 8, g + 2 + 8), kRed);

  CCanvas checked(300, 40);
  DrawMenuItem(menu, 1, checked, item, ODS_CHECKED);
  CRect box(1, g + 2, 16 + 1, g + 2 + 16);
  EXPECT_EQ(checked.At(box.left, box.top), LightenColor(GetSysColor(COLOR_MENU), 0.6));
}
