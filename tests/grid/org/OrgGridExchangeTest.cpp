#include <gtest/gtest.h>

#include <string>

#include "grid/org/CellEditOrg.h"
#include "grid/org/CellGridDropTargetOrg.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/OleDropTarget.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/ScriptedAnswers.h"
#include "tests/grid/org/OrgGridFixture.h"

namespace {

class OrgExchange : public OrgGridOnScreen {
 protected:
  void SetUp() override { Make(8, 5, 1, 1); }
  CCellEditOrg* Editor() {
    for (CWnd* child : grid->GetChildren())
      if (auto* editor = dynamic_cast<CCellEditOrg*>(child)) return editor;
    return nullptr;
  }
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const SOrgNotice& notice : host.notices) codes.push_back(notice.code);
    return codes;
  }
  static OleDataBlocks TextBlocks(const std::string& text) {
    return {{CF_TEXT, std::vector<BYTE>(text.begin(), text.end())}};
  }
};

TEST_F(OrgExchange, F2OpensTheEditorAndReturnStoresTheText) {
  grid->SetFocusCell(2, 2);
  Key(VK_F2);
  CCellEditOrg* editor = Editor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->GetDlgCtrlID(), 8);
  editor->SetWindowText(u"new");
  SimulateKey(editor, VK_RETURN, true, u"\r");
  PumpMessages();
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(grid->GetCellText(2, 2), CString(u"new"));
  EXPECT_EQ(Codes(), (std::vector<int>{GRIDN_BEGINLABELEDIT, GRIDN_ENDLABELEDIT}));
}

TEST_F(OrgExchange, AnUnchangedEditSendsNothing) {
  grid->SetFocusCell(2, 2);
  Key(VK_F2);
  ASSERT_NE(Editor(), nullptr);
  SimulateKey(Editor(), VK_RETURN, true, u"\r");
  PumpMessages();
  EXPECT_EQ(Codes(), (std::vector<int>{GRIDN_BEGINLABELEDIT}));
}

TEST_F(OrgExchange, AVetoKeepsTheEditorClosedAndANegativeEndRestoresTheText) {
  grid->SetFocusCell(2, 2);
  host.beginEditReply = -1;
  Key(VK_F2);
  EXPECT_EQ(Editor(), nullptr);
  host.beginEditReply = 0;
  host.endEditReply = -1;
  Key(VK_F2);
  ASSERT_NE(Editor(), nullptr);
  Editor()->SetWindowText(u"refused");
  SimulateKey(Editor(), VK_RETURN, true, u"\r");
  PumpMessages();
  EXPECT_EQ(grid->GetCellText(2, 2), CString(u"2.2"));
}

TEST_F(OrgExchange, CopyPutsTheSelectedBlockAsAnsiTextOnTheClipboard) {
  grid->SetSelectedRange(1, 1, 2, 2);
  grid->SendMessage(WM_COMMAND, 57634);
  std::vector<BYTE> block;
  ASSERT_TRUE(GetClipboardData(CF_TEXT, block));
  const std::string expected = std::string("1.1\t1.2\r\n2.1\t2.2") + '\0';
  EXPECT_EQ(block, std::vector<BYTE>(expected.begin(), expected.end()));
}

TEST_F(OrgExchange, CutEmptiesAndPasteFillsFromTheTopLeftSelectedCell) {
  grid->SetSelectedRange(1, 1, 1, 2);
  grid->SendMessage(WM_COMMAND, 57635);
  EXPECT_EQ(grid->GetCellText(1, 1), CString());
  grid->SetSelectedRange(5, 3, 5, 3);
  grid->SendMessage(WM_COMMAND, 57637);
  EXPECT_EQ(grid->GetCellText(5, 3), CString(u"1.1"));
  EXPECT_EQ(grid->GetCellText(5, 4), CString(u"1.2"));
  EXPECT_EQ(grid->GetSelectedCellRange(), CCellBlock(5, 3, 5, 4));
}

TEST_F(OrgExchange, TheDropTargetRegistersOnceAndTakesOnlyASecondGrid) {
  CCellGridDropTargetOrg other;
  EXPECT_FALSE(other.Register(&host));
  // The grid registered its own target at its first size message.
  SimulateOleDrop(grid.get(), TextBlocks(std::string("x") + '\0'), CentreOf(3, 3), 0);
  EXPECT_EQ(grid->GetCellText(3, 3), CString(u"3.3")) << "drag and drop is off";
  grid->SetDragAndDrop(TRUE);
  const SSimulatedDrop drop = SimulateOleDrop(grid.get(), TextBlocks(std::string("x,y") + '\0'), CentreOf(3, 3), 0);
  EXPECT_EQ(drop.over, DROPEFFECT_MOVE);
  // Outside virtual mode a row drop pastes, as with moving rows off, since no row order exists.
  EXPECT_EQ(grid->GetCellText(3, 3), CString(u"x"));
  EXPECT_EQ(grid->GetCellText(3, 4), CString(u"y"));
}

TEST_F(OrgExchange, AHeaderDragReordersTheColumns) {
  grid->SetColumnDrag(TRUE);
  grid->SetColumnWidth(3, 45);
  CScriptedAnswers answers;
  answers.AddDragDropAnswer(grid.get(), CentreOf(0, 1), 0);
  Press(CentreOf(0, 3));
  MoveHeld(CPoint(CentreOf(0, 3).x + 1, CentreOf(0, 3).y));
  Release(CentreOf(0, 1));
  EXPECT_EQ(grid->GetColumnOrder(), (std::vector<int>{0, 3, 1, 2, 4}));
  EXPECT_EQ(grid->GetColumnWidth(1), 45);
  EXPECT_EQ(grid->GetCellText(2, 1), CString(u"2.3"));
}

TEST_F(OrgExchange, ATallRowGetsAPageOfItsOwn) {
  grid->SetRowHeight(3, 5000);
  CDC printer;
  printer.Attach(CreateMemoryPrinterDC(800, 1000, 96));
  printer.m_bPrinting = TRUE;
  CPrintInfo info;
  info.m_rectDraw.SetRect(0, 0, 800, 1000);
  grid->OnBeginPrinting(&printer, &info);
  EXPECT_EQ(info.GetMaxPage(), 3u);
  grid->OnEndPrinting(&printer, &info);
}

TEST_F(OrgExchange, PrintingAcrossPagesCountsColumnPagesToo) {
  for (int c = 1; c < 5; ++c) grid->SetColumnWidth(c, 400);
  CDC printer;
  printer.Attach(CreateMemoryPrinterDC(800, 1000, 96));
  printer.m_bPrinting = TRUE;
  grid->SetPrintAcrossPages(TRUE);
  CPrintInfo info;
  info.m_rectDraw.SetRect(0, 0, 800, 1000);
  grid->OnBeginPrinting(&printer, &info);
  EXPECT_EQ(grid->GetPrintMetrics().horizontalPages, 4);
  EXPECT_EQ(info.GetMaxPage(), 4u);
  ASSERT_EQ(printer.StartDoc(u"grid"), 1);
  printer.StartPage();
  info.m_nCurPage = 3;
  grid->OnPrint(&printer, &info);
  printer.EndPage();
  printer.EndDoc();
  EXPECT_EQ(grid->GetPrintMetrics().firstColumn, 3);
  grid->OnEndPrinting(&printer, &info);
}

}  // namespace
