#include <gtest/gtest.h>

#include "document/ZedoDoc.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TabCtrl.h"
#include "resources/ResourceIds.h"
#include "tests/app/ShellFixture.h"
#include "tests/document/MeasFixtures.h"
#include "views/TabGrid.h"
#include "views/TabSheet.h"
#include "views/TabSummary.h"

namespace {

bool IsCommandGrayed(HMENU bar, UINT id) { return (GetMenuState(bar, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

class TabSheetTest : public ShellTest {
 protected:
  void SetUp() override {
    Start();
    Frame().MoveWindow(0, 0, 1000, 700);
    PumpMessages();
  }
  CChildView& View() { return *Frame().GetChildView(); }
  CTabSheet& Sheet() { return *View().GetTabSheet(); }
  void Download(int count) {
    std::vector<BYTE> bytes;
    for (int i = 0; i < count; ++i) {
      const std::vector<BYTE> raw = CRawRecord().Id(unsigned(i + 1)).Bytes();
      bytes.insert(bytes.end(), raw.begin(), raw.end());
    }
    const SMeasDeviceInfo device = DeviceBlock(16000);
    ASSERT_TRUE(Frame().GetDocument().AddDownloadedData(bytes.data(), bytes.size(), &device));
    PumpMessages();
  }
  bool Grayed(UINT id) {
    CMenu* bar = Frame().GetMenu();
    Frame().UpdateMenuEntries(bar);
    return IsCommandGrayed(bar->m_hMenu, id);
  }
};

TEST_F(TabSheetTest, TheViewHoldsTheGridPageAndTheSummaryPage) {
  ASSERT_NE(View().GetTabSheet(), nullptr);
  EXPECT_EQ(Sheet().GetPageCount(), 2);
  EXPECT_EQ(Sheet().GetPage(0), View().GetGridPage());
  EXPECT_EQ(Sheet().GetPage(1), View().GetSummaryPage());
  EXPECT_EQ(Sheet().GetActivePage(), View().GetGridPage());
  CTabCtrl* tabs = Sheet().GetTabControl();
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->GetItemText(0), u"Measurement Data");
  EXPECT_EQ(tabs->GetItemText(1), u"Summary");
  EXPECT_TRUE(Sheet().GetExStyle() & WS_EX_CONTROLPARENT);

  CRect client, sheet, page;
  View().GetClientRect(client);
  Sheet().GetClientRect(sheet);
  EXPECT_EQ(sheet.Size(), client.Size());
  View().GetGridPage()->GetClientRect(page);
  EXPECT_EQ(page.Width(), sheet.Width() - 8);
  EXPECT_EQ(page.Height(), sheet.Height() - 26);
}

TEST_F(TabSheetTest, EveryNoticeSetsTheTabTextsAgain) {
  CTabCtrl* tabs = Sheet().GetTabControl();
  tabs->SetItemText(0, u"x");
  tabs->SetItemText(1, u"y");
  Frame().GetDocument().UpdateAllViews(nullptr, 7);
  PumpMessages();
  EXPECT_EQ(tabs->GetItemText(0), u"Measurement Data");
  EXPECT_EQ(tabs->GetItemText(1), u"Summary");
}

TEST_F(TabSheetTest, TheSheetSizesOnlyTheActivePage) {
  Sheet().SetActivePage(1);
  Sheet().SendMessage(WM_SIZE, 0, MAKELPARAM(500, 300));
  CRect page;
  View().GetSummaryPage()->GetClientRect(page);
  EXPECT_EQ(page.Size(), CSize(492, 274));
}

// The edit commands reach the active page; the summary page answers none of the grid's.
TEST_F(TabSheetTest, DeleteAndSelectAllFollowTheActivePage) {
  EXPECT_TRUE(Grayed(ID_EDIT_SELECT_ALL));
  Download(3);
  EXPECT_FALSE(Grayed(ID_EDIT_SELECT_ALL));
  EXPECT_TRUE(Grayed(ID_EDIT_DELETE)) << "nothing selected";
  Frame().SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
  EXPECT_FALSE(Grayed(ID_EDIT_DELETE));
  EXPECT_FALSE(Grayed(ID_EDIT_COPY));

  Sheet().SetActivePage(1);
  EXPECT_TRUE(Grayed(ID_EDIT_SELECT_ALL));
  EXPECT_TRUE(Grayed(ID_EDIT_DELETE));
  EXPECT_EQ(Sheet().DeleteSelected(), 0);
  EXPECT_EQ(Sheet().Paste(), 0);
  EXPECT_EQ(Frame().GetDocument().GetCount(), 3);

  Sheet().SetActivePage(0);
  EXPECT_EQ(Sheet().Copy(), 1);
  EXPECT_FALSE(Grayed(ID_EDIT_PASTE)) << "the project's measurements are on the clipboard";
  answers.AddMessageBoxAnswer(IDYES);
  Frame().SendMessage(WM_COMMAND, ID_EDIT_DELETE);
  PumpMessages();
  EXPECT_EQ(Frame().GetDocument().GetCount(), 0);
  Frame().SendMessage(WM_COMMAND, ID_EDIT_PASTE);
  PumpMessages();
  EXPECT_EQ(Frame().GetDocument().GetCount(), 3);
}

}  // namespace
