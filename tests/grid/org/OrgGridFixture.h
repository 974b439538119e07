#pragma once
// A second grid that has taken over control 520 of a host window, as the step grid dialog's
// grid does; the host records the grid's notices and commands.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "grid/org/CellGridOrg.h"
#include "grid/org/TextCellOrg.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"

struct SOrgNotice {
  int code;
  int row;
  int col;
  bool operator==(const SOrgNotice& other) const {
    return code == other.code && row == other.row && col == other.col;
  }
};

class COrgRecordingHost : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    *result = 0;
    if (header->code == GRIDN_GETDISPINFO) {
      auto* info = reinterpret_cast<GRIDDISPINFO*>(lParam);
      info->item.text.Format(u"d%d.%d", info->item.row, info->item.col);
    } else if (header->code == GRIDN_CACHEHINT) {
      hints.push_back(reinterpret_cast<const SGridCacheHint*>(lParam)->range);
    } else {
      const auto* record = reinterpret_cast<const SGridCellNotify*>(lParam);
      notices.push_back({record->hdr.code, record->row, record->col});
      if (record->hdr.code == GRIDN_BEGINLABELEDIT) *result = beginEditReply;
      if (record->hdr.code == GRIDN_ENDLABELEDIT) *result = endEditReply;
    }
    return TRUE;
  }
  LRESULT OnNextControl(WPARAM, LPARAM) {
    ++nextControlRequests;
    return 0;
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (lParam) commands.push_back(int(wParam));
    return CWnd::OnCommand(wParam, lParam);
  }

  std::vector<SOrgNotice> notices;
  std::vector<CCellBlock> hints;
  std::vector<int> commands;
  int nextControlRequests = 0;
  LRESULT beginEditReply = 0;
  LRESULT endEditReply = 0;
};

class OrgGridOnScreen : public ::testing::Test {
 protected:
  // A grid of the counts whose client area (without scroll bars) is width x height; columns
  // are 60 pixels wide and rows 20 high.
  void Make(int rows, int cols, int fixedRows, int fixedCols, int width = 400, int height = 300) {
    ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_POPUP | WS_VISIBLE, CRect(0, 0, width + 40, height + 40),
                              nullptr, 0));
    ASSERT_TRUE(control.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                               CRect(10, 10, 10 + width + 4, 10 + height + 4), &host, 520));
    grid = std::make_unique<CCellGridOrg>();
    ASSERT_TRUE(grid->SubclassDlgItem(520, &host));
    grid->SetRowCount(rows);
    grid->SetColumnCount(cols);
    grid->SetFixedRowCount(fixedRows);
    grid->SetFixedColumnCount(fixedCols);
    // Sizes of our own, so that whole cells lie inside the client area.
    for (int c = 0; c < cols; ++c) grid->SetColumnWidth(c, 60);
    for (int r = 0; r < rows; ++r) grid->SetRowHeight(r, 20);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) {
        CString text;
        text.Format(u"%d.%d", r, c);
        grid->SetCellText(r, c, text);
      }
    grid->SetFocus();
    PumpMessages();
    host.notices.clear();
    host.commands.clear();
  }
  void TearDown() override {
    if (grid) grid->DestroyWindow();
    grid.reset();
    host.DestroyWindow();
  }
  // The centre of a cell in grid client pixels.
  CPoint CentreOf(int row, int col) {
    CRect rect;
    EXPECT_TRUE(grid->GetCellRect(row, col, rect));
    return rect.CenterPoint();
  }
  void Press(CPoint point, UINT modifiers = 0) {
    SimulateMouse(grid.get(), SimulatedMouseAction::Press, VK_LBUTTON, point, modifiers, MK_LBUTTON);
    PumpMessages();
  }
  void MoveHeld(CPoint point, UINT modifiers = 0) {
    SimulateMouse(grid.get(), SimulatedMouseAction::Move, VK_LBUTTON, point, modifiers, MK_LBUTTON);
    PumpMessages();
  }
  void Release(CPoint point, UINT modifiers = 0) {
    SimulateMouse(grid.get(), SimulatedMouseAction::Release, VK_LBUTTON, point, modifiers, 0);
    PumpMessages();
  }
  void Click(CPoint point, UINT modifiers = 0) {
    Press(point, modifiers);
    Release(point, modifiers);
  }
  void Key(UINT key, const CString& text = CString(), UINT modifiers = 0) {
    SimulateKey(grid.get(), key, true, text, modifiers);
    SimulateKey(grid.get(), key, false, text, modifiers);
    PumpMessages();
  }
  // Paints what is pending and reads a pixel of the grid's client area as 0xRRGGBB.
  COLORREF ScreenPixel(int x, int y) {
    grid->Invalidate();
    grid->UpdateWindow();
    CClientDC dc(grid.get());
    return dc.GetPixel(x, y) & 0xFFFFFF;
  }

  CUiApplication application;
  COrgRecordingHost host;
  CWnd control;
  std::unique_ptr<CCellGridOrg> grid;
};
