#pragma once
// A grid in a host window that records the grid's notices, for the grid tests.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "grid/CellGrid.h"
#include "platform/gdi/Bitmap.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"

struct SNotice {
  int code;
  int row;
  int col;
  bool operator==(const SNotice& other) const {
    return code == other.code && row == other.row && col == other.col;
  }
};

class CRecordingHost : public CWnd {
 public:
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == GRIDN_GETDISPINFO) {
      auto* info = reinterpret_cast<GRIDDISPINFO*>(lParam);
      info->item.text.Format(u"V%d.%d", info->item.row, info->item.col);
      ++dispInfoRequests;
    } else if (header->code == GRIDN_CACHEHINT) {
      hints.push_back(reinterpret_cast<const SGridCacheHint*>(lParam)->range);
    } else {
      const auto* record = reinterpret_cast<const SGridCellNotify*>(lParam);
      notices.push_back({record->hdr.code, record->row, record->col});
    }
    auto reply = replies.find(header->code);
    *result = reply == replies.end() ? 0 : reply->second;
    return TRUE;
  }
  // A WM_COMMAND from the grid is recorded as a notice with the code WM_COMMAND and the control
  // id and notification code in place of the cell.
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    notices.push_back({int(WM_COMMAND), int(LOWORD(DWORD(wParam))), int(HIWORD(DWORD(wParam)))});
    return TRUE;
  }

  // The answers to notices by code; 0 where none is given.
  std::map<int, LRESULT> replies;
  std::vector<SNotice> notices;
  std::vector<CCellBlock> hints;
  int dispInfoRequests = 0;
};

// A grid of the given counts filling a host of the given client size, without frame.
class GridOnScreen : public ::testing::Test {
 protected:
  void Make(int rows, int cols, int fixedRows, int fixedCols, int width = 400, int height = 300,
            bool isVirtual = false) {
    ASSERT_TRUE(
        host.CreateEx(0, nullptr, u"host", WS_POPUP | WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0));
    grid = std::make_unique<CCellGrid>();
    if (isVirtual) grid->SetVirtualMode(TRUE);
    ASSERT_TRUE(grid->Create(CRect(0, 0, width, height), &host, 100, WS_CHILD | WS_VISIBLE));
    grid->SetRowCount(rows);
    grid->SetColumnCount(cols);
    grid->SetFixedRowCount(fixedRows);
    grid->SetFixedColumnCount(fixedCols);
    host.notices.clear();
  }
  void TearDown() override {
    if (grid) grid->DestroyWindow();
    grid.reset();
    host.DestroyWindow();
  }
  // Paints what is pending and reads a pixel of the grid's window as 0xRRGGBB.
  COLORREF ScreenPixel(int x, int y) {
    grid->Invalidate();
    grid->UpdateWindow();
    CClientDC dc(grid.get());
    return dc.GetPixel(x, y) & 0xFFFFFF;
  }

  CUiApplication application;
  CRecordingHost host;
  std::unique_ptr<CCellGrid> grid;
};
