#pragma once
// The records the grids exchange with their owner window: the notification record, the cell
// attributes of a display-info request or an ended edit, and the cache hint of virtual mode.

#include "grid/CellBlock.h"
#include "platform/base/String.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/ui/WinUser.h"

// Which fields of a GRIDITEMINFO are meant.
constexpr UINT GIF_TEXT = 0x001;
constexpr UINT GIF_IMAGE = 0x002;
constexpr UINT GIF_PARAM = 0x004;
constexpr UINT GIF_STATE = 0x008;
constexpr UINT GIF_BKCLR = 0x010;
constexpr UINT GIF_FGCLR = 0x020;
constexpr UINT GIF_FORMAT = 0x040;
constexpr UINT GIF_FONT = 0x080;
constexpr UINT GIF_MARGIN = 0x100;
constexpr UINT GIF_ALL = 0x1FF;

// Cell state bits.
constexpr UINT GCS_FOCUSED = 0x01;
constexpr UINT GCS_SELECTED = 0x02;
constexpr UINT GCS_DROPHILITED = 0x04;
constexpr UINT GCS_READONLY = 0x08;
constexpr UINT GCS_FIXED = 0x10;
constexpr UINT GCS_FIXEDROW = 0x20;
constexpr UINT GCS_FIXEDCOL = 0x40;
constexpr UINT GCS_MODIFIED = 0x80;

// Notification codes of the grids to their owner window.
constexpr int GRIDN_CLICK = -2;
constexpr int GRIDN_DBLCLK = -3;
constexpr int GRIDN_RCLICK = -5;
constexpr int GRIDN_SELCHANGING = -100;
constexpr int GRIDN_SELCHANGED = -101;
constexpr int GRIDN_KEYDOWN = -103;
constexpr int GRIDN_BEGINDRAG = -109;
constexpr int GRIDN_CACHEHINT = -113;
constexpr int GRIDN_FOCUSCHANGED = -120;
constexpr int GRIDN_BEGINLABELEDIT = -175;
constexpr int GRIDN_ENDLABELEDIT = -176;
constexpr int GRIDN_GETDISPINFO = -177;
constexpr int GRIDN_EDITUNCHANGED = -195;

struct GRIDITEMINFO {
  int row = 0;
  int col = 0;
  UINT mask = 0;
  UINT state = 0;
  UINT format = 0;
  int image = -1;
  COLORREF backColor = 0;
  COLORREF textColor = 0;
  LPARAM data = 0;
  LOGFONT font{};
  UINT margin = 0;
  CString text;
};

struct GRIDDISPINFO {
  NMHDR hdr;
  GRIDITEMINFO item;
};

// The record of every other notification: the cell concerned, or for key notifications the
// key in `row` and its kind in `col`.
struct SGridCellNotify {
  NMHDR hdr;
  int row = -1;
  int col = -1;
};

// The cache hint of virtual mode: the block of cells the grid is about to ask for.
struct SGridCacheHint {
  NMHDR hdr;
  CCellBlock range;
};
