#include <gtest/gtest.h>

#include "document/ZedoDoc.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"
#include "resources/ProgramResources.h"

namespace {

class ChoiceMenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterProgramResources(nullptr);
    ASSERT_TRUE(owner.Create(nullptr, u"owner", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr, 0));
  }
  void TearDown() override { owner.DestroyWindow(); }
  const SPopupMenuRequest& Shown(std::size_t count) {
    m_shown = answers.GetPopupMenus();
    EXPECT_EQ(m_shown.size(), count);
    return m_shown.back();
  }
  static std::vector<UINT> Ids(const SPopupMenuRequest& request) {
    std::vector<UINT> ids;
    for (const SPopupMenuItem& item : request.items) {
      EXPECT_TRUE(item.state & MF_OWNERDRAW) << item.id;
      ids.push_back(item.id);
    }
    return ids;
  }

  CUiApplication app;
  CScriptedAnswers answers;
  CWnd owner;
  CZedoDoc doc;
  std::vector<SPopupMenuRequest> m_shown;
};

TEST_F(ChoiceMenusTest, ChoicesMapToTheirValues) {
  answers.AddPopupMenuAnswer(11);
  int percent = -1;
  ASSERT_TRUE(doc.TrackPercentMenu(&owner, 500, 100, 200, 40, percent));
  EXPECT_EQ(percent, 100);
  EXPECT_EQ(Ids(Shown(1)), (std::vector<UINT>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));

  answers.AddPopupMenuAnswer(6);
  BYTE code = 0;
  ASSERT_TRUE(doc.TrackFailureClassMenu(&owner, 500, 100, 200, 40, code));
  EXPECT_EQ(code, 5);
  EXPECT_EQ(Shown(2).items.size(), 6u);

  answers.AddPopupMenuAnswer(2);
  BYTE key = 0;
  ASSERT_TRUE(doc.TrackSortKeyMenu(&owner, 500, 100, 200, 40, key));
  EXPECT_EQ(key, 1);
  EXPECT_EQ(Shown(3).items.size(), 3u);

  answers.AddPopupMenuAnswer(3);
  BYTE unit = 0;
  ASSERT_TRUE(doc.TrackUnitMenu(&owner, 500, 100, 200, 40, unit));
  EXPECT_EQ(unit, 2);
  EXPECT_EQ(Shown(4).items.size(), 5u);
}

TEST_F(ChoiceMenusTest, NarrowCellsCentreOnTheCellAndWideOnesOnTheMouse) {
  BYTE unit = 4;
  EXPECT_FALSE(doc.TrackUnitMenu(&owner, 500, 100, 250, 40, unit)) << "dismissed";
  EXPECT_EQ(unit, 4);
  EXPECT_EQ(Shown(1).x, 175);
  EXPECT_EQ(m_shown[0].y, 40);
  EXPECT_TRUE(m_shown[0].flags & TPM_CENTERALIGN);
  EXPECT_TRUE(m_shown[0].flags & TPM_RETURNCMD);
  doc.TrackUnitMenu(&owner, 500, 100, 251, 40, unit);
  EXPECT_EQ(Shown(2).x, 500);
}

TEST_F(ChoiceMenusTest, ExcludeMenuHasOneItemAtTheMouse) {
  bool chosen = false;
  EXPECT_FALSE(doc.TrackExcludeMenu(&owner, 30, 60, chosen));
  EXPECT_FALSE(chosen);
  answers.AddPopupMenuAnswer(1);
  EXPECT_TRUE(doc.TrackExcludeMenu(&owner, 30, 60, chosen));
  EXPECT_TRUE(chosen);
  const SPopupMenuRequest& shown = Shown(2);
  EXPECT_EQ(Ids(shown), (std::vector<UINT>{1}));
  EXPECT_EQ(shown.x, 30);
  EXPECT_EQ(shown.y, 60);
  EXPECT_FALSE(shown.flags & TPM_CENTERALIGN);
}

}  // namespace
