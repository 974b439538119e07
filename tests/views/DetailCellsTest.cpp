#include <gtest/gtest.h>

#include "platform/gdi/SystemInfo.h"
#include "platform/ui/PaintDC.h"
#include "tests/views/GridPageFixture.h"
#include "views/DetailGripperCell.h"
#include "views/DetailLeftCell.h"

namespace {

struct SGripperClick {
  CPoint point;
  bool expanded;
  bool selected;
};

// Each click swaps only the image pair it hits; a click beside both changes nothing.
TEST_F(GridPageTest, GripperClicksSwapTheirImagePairIndependently) {
  Load(Tests(1));
  auto* gripper = dynamic_cast<CDetailGripperCell*>(Grid().GetCell(1, 0));
  ASSERT_NE(gripper, nullptr);
  EXPECT_FALSE(gripper->IsExpanded());
  EXPECT_TRUE(gripper->IsSelected());
  const SGripperClick clicks[] = {{CPoint(10, 5), true, true},    {CPoint(35, 5), true, false},
                                  {CPoint(54, 5), true, false},   {CPoint(2, 5), true, false},
                                  {CPoint(10, 18), false, false}, {CPoint(31, 2), false, true}};
  for (const SGripperClick& click : clicks) {
    gripper->OnClick(click.point);
    EXPECT_EQ(gripper->IsExpanded(), click.expanded) << click.point.x << "," << click.point.y;
    EXPECT_EQ(gripper->IsSelected(), click.selected) << click.point.x << "," << click.point.y;
    int shown = 0;
    for (const MULTIBMPINFO& info : gripper->GetBitmapInfos()) shown += info.hidden ? 0 : 1;
    EXPECT_EQ(shown, 2) << "one image of each pair";
  }
}

TEST_F(GridPageTest, TheDetailCellsAreAtLeastAScrollBarWideAndHigh) {
  Load(Tests(1));
  CClientDC dc(&Grid());
  auto* gripper = dynamic_cast<CDetailGripperCell*>(Grid().GetCell(1, 0));
  auto* left = dynamic_cast<CDetailLeftCell*>(Grid().GetCell(2, 0));
  ASSERT_NE(left, nullptr);
  EXPECT_GE(gripper->GetCellExtent(&dc).cy, GetSystemMetrics(SM_CYHSCROLL));
  CGradientCell plain;
  plain.SetGrid(&Grid());
  EXPECT_EQ(left->GetCellExtent(&dc).cx, plain.GetCellExtent(&dc).cx + GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_TRUE(left->Draw(nullptr, 2, 0, CRect(0, 0, 56, 10), TRUE, FALSE));
}

}  // namespace
