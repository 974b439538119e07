// What the mouse does over a series cell: the hand cursor and the underline of the hovered
// link, the comment dialog and the menus that write the choice to the document.

#include "document/CommentDlg.h"
#include "platform/ui/Cursor.h"
#include "resources/ResourceIds.h"
#include "tests/views/SeriesCellFixture.h"

namespace {

// A series cell that counts its drawings on the screen.
class CCountingSeriesCell : public CSeriesCell {
  DECLARE_DYNCREATE(CCountingSeriesCell)

 public:
  BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL erase, BOOL plain) override {
    if (dc && !dc->IsPrinting()) ++screenDrawings;
    return CSeriesCell::Draw(dc, row, col, rect, erase, plain);
  }
  int screenDrawings = 0;
};
IMPLEMENT_DYNCREATE(CCountingSeriesCell, CSeriesCell)

class SeriesCellInteractionTest : public SeriesCellTest {
 protected:
  void SetUp() override {
    grid.SetCellType(kDetailRow, 1, RUNTIME_CLASS(CCountingSeriesCell));
    grid.SetCellColumnRange(kDetailRow, 1, kColumns - 1);
    Load({CurveRecord()});
    Open();
  }
  CCountingSeriesCell& Counting() { return static_cast<CCountingSeriesCell&>(Cell()); }
  // A copy of what the grid window shows.
  HBITMAP Picture() {
    grid.UpdateWindow();
    return CopyWindowImage(&grid);
  }
  // Whether the two pictures differ inside the rectangle (cell coordinates).
  bool Differs(HBITMAP first, HBITMAP second, const CRect& rect) {
    const CRect cell = CellRect();
    CDC a;
    CDC b;
    a.CreateCompatibleDC(nullptr);
    b.CreateCompatibleDC(nullptr);
    HGDIOBJ oldA = a.SelectObject(HGDIOBJ(first));
    HGDIOBJ oldB = b.SelectObject(HGDIOBJ(second));
    bool differs = false;
    for (int y = rect.top; y < rect.bottom && !differs; ++y)
      for (int x = rect.left; x < rect.right && !differs; ++x)
        differs = a.GetPixel(cell.left + x, cell.top + y) != b.GetPixel(cell.left + x, cell.top + y);
    a.SelectObject(oldA);
    b.SelectObject(oldB);
    return differs;
  }
  void Click(int code) { Cell().OnClick(PointIn(code)); }
  // Where a popup for the area opens: below its text's left end, on the screen.
  CPoint PopupPoint(int code) {
    const CRect area = AreasOf(code)[0];
    const CRect cell = CellRect();
    CPoint point(cell.left + area.left, cell.top + area.bottom);
    grid.ClientToScreen(&point);
    return point;
  }
  CScriptedAnswers answers;
};

TEST_F(SeriesCellInteractionTest, TheHandShowsOverLinksAndEachChangeOfLinkRepaintsOnce) {
  const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
  const int before = Counting().screenDrawings;
  HoverCellPoint(PointIn(CSeriesCell::AREA_UNIT));
  EXPECT_EQ(GetCursor(), hand);
  EXPECT_EQ(Cell().GetHoveredArea(), CSeriesCell::AREA_UNIT);
  Paint();
  HoverCellPoint(PointIn(CSeriesCell::AREA_UNIT) + CPoint(1, 0));
  Paint();
  HoverCellPoint(PointIn(CSeriesCell::AREA_FAILURE_CLASS_1));
  EXPECT_EQ(Cell().GetHoveredArea(), CSeriesCell::AREA_FAILURE_CLASS_1);
  Paint();
  EXPECT_EQ(Counting().screenDrawings - before, 2) << "one repaint per change of the hovered link";

  HoverCellPoint(CPoint(5, 5));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
  EXPECT_EQ(Cell().GetHoveredArea(), CSeriesCell::AREA_NONE);
}

TEST_F(SeriesCellInteractionTest, HoveringUnderlinesTheUnitAloneOrTheWholeComment) {
  doc.SetComment(0, u"three little words");
  grid.Invalidate();
  Paint();
  const HBITMAP plain = Picture();
  HoverCellPoint(PointIn(CSeriesCell::AREA_UNIT));
  const HBITMAP unit = Picture();
  EXPECT_TRUE(Differs(plain, unit, AreasOf(CSeriesCell::AREA_UNIT)[0]));
  EXPECT_FALSE(Differs(plain, unit, AreasOf(CSeriesCell::AREA_FAILURE_CLASS_1)[0]));
  for (const CRect& token : AreasOf(CSeriesCell::AREA_COMMENT)) EXPECT_FALSE(Differs(plain, unit, token));

  HoverCellPoint(AreasOf(CSeriesCell::AREA_COMMENT).back().CenterPoint());
  const HBITMAP comment = Picture();
  const std::vector<CRect> tokens = AreasOf(CSeriesCell::AREA_COMMENT);
  ASSERT_EQ(tokens.size(), 5u) << "three words and two spaces";
  for (std::size_t word : {0u, 2u, 4u}) EXPECT_TRUE(Differs(plain, comment, tokens[word])) << "word " << word;
  EXPECT_FALSE(Differs(plain, comment, AreasOf(CSeriesCell::AREA_UNIT)[0]));
  SavePicture("series-cell-hovered-comment.png");
  for (HBITMAP picture : {plain, unit, comment}) DeleteObject(picture);
}

TEST_F(SeriesCellInteractionTest, AClickBetweenLinksDoesNothingAndKeepsTheHover) {
  HoverCellPoint(PointIn(CSeriesCell::AREA_UNIT));
  Cell().OnClick(CPoint(5, 5));
  EXPECT_TRUE(answers.GetPopupMenus().empty());
  EXPECT_TRUE(answers.GetModalDialogs().empty());
  EXPECT_EQ(Cell().GetHoveredArea(), CSeriesCell::AREA_UNIT);
}

TEST_F(SeriesCellInteractionTest, TheUnitMenuStoresTheChoiceAndRefreshesTheTestEverywhere) {
  const CPoint popup = PopupPoint(CSeriesCell::AREA_UNIT);
  HoverCellPoint(PointIn(CSeriesCell::AREA_UNIT));
  answers.AddPopupMenuAnswer(1 + 2);  // PSI
  Click(CSeriesCell::AREA_UNIT);
  EXPECT_EQ(doc.GetUnit(0), 2);
  EXPECT_EQ(Cell().GetHoveredArea(), CSeriesCell::AREA_NONE);
  ASSERT_EQ(answers.GetPopupMenus().size(), 1u);
  const SPopupMenuRequest menu = answers.GetPopupMenus()[0];
  EXPECT_EQ(menu.owner, static_cast<void*>(&grid));
  EXPECT_EQ(menu.y, popup.y);
  EXPECT_EQ(menu.items.size(), 5u);
  PumpMessages();
  EXPECT_EQ(host.notices, (std::vector<int>{0}));

  // The next paint shows the test in its new unit.
  grid.Invalidate();
  Paint();
  CPictureDC picture(10, 10);
  picture.dc.SelectObject(Cell().GetFontObject());
  EXPECT_EQ(AreasOf(CSeriesCell::AREA_UNIT)[0].Width(), picture.dc.GetTextExtent(CString(u"PSI")).cx);
}

TEST_F(SeriesCellInteractionTest, TheFailureMenusStoreClassAndPercentOfTheirMode) {
  answers.AddPopupMenuAnswer(1 + 3);  // class "BC"
  Click(CSeriesCell::AREA_FAILURE_CLASS_1 + 1);
  answers.AddPopupMenuAnswer(1 + 8);  // 80 %
  Click(CSeriesCell::AREA_FAILURE_PERCENT_1 + 2);
  CString text;
  int percent = 0;
  BYTE code = 0;
  ASSERT_TRUE(doc.GetFailureMode(0, 2, text, percent, code));
  EXPECT_EQ(text, u"BC");
  EXPECT_EQ(percent, 30);
  ASSERT_TRUE(doc.GetFailureMode(0, 3, text, percent, code));
  EXPECT_EQ(text, u"CD");
  EXPECT_EQ(percent, 80);
  ASSERT_TRUE(doc.GetFailureMode(0, 1, text, percent, code));
  EXPECT_EQ(text, u"AB");
  EXPECT_EQ(percent, 60);
  ASSERT_EQ(answers.GetPopupMenus().size(), 2u);
  EXPECT_EQ(answers.GetPopupMenus()[0].items.size(), 6u);
  EXPECT_EQ(answers.GetPopupMenus()[1].items.size(), 11u);
  PumpMessages();
  EXPECT_EQ(host.notices, (std::vector<int>{0, 0}));
}

TEST_F(SeriesCellInteractionTest, ClosingAMenuWithoutAChoiceChangesNothing) {
  for (int code : {int(CSeriesCell::AREA_UNIT), int(CSeriesCell::AREA_FAILURE_CLASS_1),
                   int(CSeriesCell::AREA_FAILURE_PERCENT_1)})
    Click(code);
  EXPECT_EQ(answers.GetPopupMenus().size(), 3u);
  EXPECT_EQ(doc.GetUnit(0), 1);
  CString text;
  int percent = 0;
  BYTE code = 0;
  ASSERT_TRUE(doc.GetFailureMode(0, 1, text, percent, code));
  EXPECT_EQ(text, u"AB");
  EXPECT_EQ(percent, 60);
  PumpMessages();
  EXPECT_TRUE(host.notices.empty());
}

TEST_F(SeriesCellInteractionTest, TheCommentDialogStoresTheTextOnOkOnly) {
  doc.SetComment(0, u"old");
  grid.Invalidate();
  Paint();
  answers.AddModalDialogScript([](CWnd& dialog) {
    EXPECT_EQ(dialog.GetDlgItem(IDC_COMMENT)->GetWindowTextString(), u"old");
    dialog.GetDlgItem(IDC_COMMENT)->SetWindowText(u"changed");
    dialog.SendMessage(WM_COMMAND, WPARAM(IDCANCEL));
  });
  Click(CSeriesCell::AREA_COMMENT);
  EXPECT_EQ(doc.GetComment(0), u"old");

  answers.AddModalDialogScript([](CWnd& dialog) {
    dialog.GetDlgItem(IDC_COMMENT)->SetWindowText(u"new\r\ntext");
    dialog.SendMessage(WM_COMMAND, WPARAM(IDOK));
  });
  Click(CSeriesCell::AREA_COMMENT);
  EXPECT_EQ(doc.GetComment(0), u"new\r\ntext");
  ASSERT_EQ(answers.GetModalDialogs().size(), 2u);
  EXPECT_EQ(answers.GetModalDialogs()[0].templateId, IDD_COMMENT);
  PumpMessages();
  EXPECT_TRUE(host.notices.empty()) << "the comment sends no notice";
}

TEST_F(SeriesCellInteractionTest, TheGridHandsTheMouseOverAndClicksOnTheRowToTheCell) {
  const CRect cell = CellRect();
  const CPoint unit = PointIn(CSeriesCell::AREA_UNIT) + cell.TopLeft();
  ASSERT_GT(unit.x, grid.GetColumnWidth(0) + grid.GetColumnWidth(1, 1)) << "the link lies beyond column 1";
  CPoint screen = unit;
  grid.ClientToScreen(&screen);
  SetCursorPos(screen.x, screen.y);
  SimulateMouse(&grid, SimulatedMouseAction::Move, 0, unit, 0, 0);
  EXPECT_EQ(Cell().GetHoveredArea(), CSeriesCell::AREA_UNIT);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));

  answers.AddPopupMenuAnswer(1 + 0);  // "A"
  SimulateClick(&grid, PointIn(CSeriesCell::AREA_FAILURE_CLASS_1 + 2) + cell.TopLeft());
  CString text;
  int percent = 0;
  BYTE code = 0;
  ASSERT_TRUE(doc.GetFailureMode(0, 3, text, percent, code));
  EXPECT_EQ(text, u"A");
  EXPECT_EQ(answers.GetPopupMenus().size(), 1u);
}

}  // namespace
