#include <gtest/gtest.h>

#include "platform/gdi/Dc.h"
#include "platform/gdi/GuiApplication.h"
#include "toolkit/SensitiveArea.h"

namespace {

// Two overlapping regions of equal priority 1 over a region of priority 0, and one of
// priority -1 apart from them.
class OverlappingRegions : public ::testing::Test {
 protected:
  void SetUp() override {
    areas.Add(CRect(0, 0, 10, 10), 0, 1, 100, u"first", true);
    areas.Add(CRect(5, 5, 20, 20), 1, 2, 200, nullptr, true);
    areas.Add(CRect(5, 5, 20, 20), 1, 3, 300, u"tie", true);
    areas.Add(CRect(30, 30, 40, 40), -1, 4, 400, u"never", true);
    areas.Add(CRect(50, 50, 60, 60), 5, 5, 500, u"disabled", false);
  }
  CSensitiveArea areas;
};

TEST_F(OverlappingRegions, HighestPriorityWinsFirstAddedAmongEqualsEdgesInclusive) {
  struct SCase {
    CPoint point;
    int id;  // 0: no hit
  };
  const SCase cases[] = {
      {{0, 0}, 1},   {{10, 10}, 2},  // the right and bottom edge of the first is inside, the overlap goes to
                                     // 2
      {{3, 3}, 1},   {{20, 20}, 2},  // bottom-right corner
      {{21, 20}, 0}, {{20, 21}, 0}, {{-1, 0}, 0}, {{35, 35}, 0},  // priority -1 is never found
      {{55, 55}, 0},                                              // added with enable false
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
    int id = 0;
    EXPECT_EQ(areas.HitTest(c.point, &id, nullptr, nullptr, nullptr), c.id != 0);
    EXPECT_EQ(id, c.id);
  }
}

TEST_F(OverlappingRegions, HitFillsTheOutputsAndEmptiesTheTooltipOfAnEntryWithout) {
  int id = 0, data = 0;
  CString tooltip = u"stale";
  CRect rect;
  ASSERT_TRUE(areas.HitTest(CPoint(7, 7), &id, &data, &tooltip, rect));
  EXPECT_EQ(id, 2);
  EXPECT_EQ(data, 200);
  EXPECT_TRUE(tooltip.IsEmpty());
  EXPECT_EQ(rect, CRect(5, 5, 20, 20));

  ASSERT_TRUE(areas.HitTest(CPoint(1, 1), &id, &data, &tooltip, rect));
  EXPECT_EQ(tooltip, CString(u"first"));
}

TEST_F(OverlappingRegions, MissLeavesTheOutputsAlone) {
  int id = -7, data = -8;
  CString tooltip = u"kept";
  CRect rect(1, 2, 3, 4);
  EXPECT_FALSE(areas.HitTest(CPoint(100, 100), &id, &data, &tooltip, rect));
  EXPECT_EQ(id, -7);
  EXPECT_EQ(data, -8);
  EXPECT_EQ(tooltip, CString(u"kept"));
  EXPECT_EQ(rect, CRect(1, 2, 3, 4));

  areas.RemoveAll();
  EXPECT_FALSE(areas.HitTest(CPoint(1, 1), &id, nullptr, nullptr, nullptr));
}

TEST(SensitiveAreaText, TextRegionIsOneLineOfTheTextExtent) {
  EnsureGuiApplication();
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  const CString text = u"Peak load";
  const CSize extent = dc.GetTextExtent(text);
  ASSERT_GT(extent.cx, 0);

  CSensitiveArea areas;
  CRect out;
  RECT result = areas.AddText(out, &dc, 10, 20, text, 0, 9, 0, nullptr, false);
  EXPECT_EQ(CRect(result), CRect(10, 20, 10 + extent.cx, 20 + extent.cy));
  EXPECT_EQ(out, CRect(result));
  EXPECT_FALSE(areas.HitTest(CPoint(11, 21), nullptr, nullptr, nullptr, nullptr)) << "nothing stored";

  areas.AddText(out, &dc, 10, 20, text, 0, 9, 0, nullptr, true);
  int id = 0;
  EXPECT_TRUE(areas.HitTest(CPoint(10 + extent.cx, 20 + extent.cy), &id, nullptr, nullptr, nullptr));
  EXPECT_EQ(id, 9);
}

}  // namespace
