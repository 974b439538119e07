// zdtool grid SCRIPT: runs a script (a file, or "-" for standard input) against one extended
// grid with control id 100 that fills a host window titled "zdtool grid". One command a line;
// the first failing line is reported as "line N: TEXT" on standard error and ends the run.
//
// Build: new R C FR FC [W H] [virtual]; fill; load FILE.jvd; rows, cols, fixed-rows,
//   fixed-cols N; height ROWS PX; width COLS PX; text|copytext R C "T"; back|textcolor R C
//   0xBBGGRR; state|format R C 0xHH; range R FIRST LAST; type R C text|gradient|multibmp|bar;
//   set R C NAME V...; option NAME V; reply CODE V; log CODE,...|all|none.
// Act: vscroll|hscroll CODE [POS]; wheel DELTA X Y; select|deselect R1 C1 R2 C2;
//   select-rows R C [additive]; select-all; clear-selection; focus R C; ensure-visible R C;
//   autosize column C|row R|columns.
// Input: mouse press|release|move|dblclick|rpress|rrelease X Y [shift] [ctrl] (a pressed button
//   stays held until released); key NAME [shift] [ctrl]; type "T" (keys and typing go to the
//   window with the keyboard focus; with three words `type` sets a cell type); subarea R C L,T,R,B|- "TITLE"
//   "TEXT".
// Look: facts; cell R C; heights A-B; widths A-B; at X Y; editor; tip; render FILE.png;
//   paint FILE.png (the grid's own drawing); window FILE.png (with the editor and tips over
//   it); pixel render|paint X Y.
// Drag and drop: drag-to X Y [ctrl] (where the grid's next drag is dropped); drop-text X Y "T"
//   [ctrl] (outside text dropped on the grid; prints drop_effect=N, the answer to the over).
// Clipboard: clip-put-ansi HEX puts the bytes as a CF_TEXT block only.
// Print: print [cancel] [selection] [group N] [record "..."] [page W H DPI] [pdf FILE] [now T]
//   (GridPrintCommand.h).

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "document/ZedoDoc.h"
#include "grid/BarRangeCell.h"
#include "grid/CellEdit.h"
#include "grid/CellGrid.h"
#include "grid/GradientCell.h"
#include "grid/MultiBmpCell.h"
#include "grid/TextCell.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/OleDropTarget.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "tests/tools/CmdProjectSupport.h"
#include "tests/tools/GridHost.h"
#include "tests/tools/GridPrintCommand.h"
#include "tests/tools/GridScriptInput.h"
#include "tests/tools/GridScriptLine.h"
#include "tests/tools/ScriptInput.h"
#include "tests/tools/ZdTool.h"
#include "toolkit/ImageObj.h"

namespace {

constexpr UINT kGridId = 100;

struct SScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The pixels of a picture, top row first, as red, green and blue bytes.
struct SPicture {
  int width = 0;
  int height = 0;
  std::vector<BYTE> rgb;
};

DWORD Crc32(const std::vector<BYTE>& data) {
  DWORD crc = 0xFFFFFFFF;
  for (BYTE byte : data) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

SPicture ReadPicture(CBitmap& bitmap) {
  BITMAP info{};
  bitmap.GetBitmap(&info);
  SPicture picture{int(info.bmWidth), int(info.bmHeight), {}};
  std::vector<BYTE> bits(std::size_t(info.bmWidthBytes) * std::size_t(info.bmHeight));
  bitmap.GetBitmapBits(DWORD(bits.size()), bits.data());
  picture.rgb.reserve(std::size_t(picture.width) * std::size_t(picture.height) * 3);
  for (int y = 0; y < picture.height; ++y) {
    const BYTE* row = bits.data() + std::size_t(y) * std::size_t(info.bmWidthBytes);
    for (int x = 0; x < picture.width; ++x) {
      picture.rgb.push_back(row[x * 4 + 2]);
      picture.rgb.push_back(row[x * 4 + 1]);
      picture.rgb.push_back(row[x * 4]);
    }
  }
  return picture;
}

void SavePng(CBitmap& bitmap, const std::string& path) {
  CImageObj image;
  BYTE* png = nullptr;
  std::int32_t size = 0;
  if (!image.CreateFromHBITMAP(bitmap) || !image.EncodeToMemory(png, size, IMAGE_TYPE_PNG))
    throw SScriptError(image.GetLastError());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(png), size);
  std::free(png);
  if (!out) throw SScriptError(path + " could not be written");
}

class CGridScript {
 public:
  CGridScript() { BuildCommands(); }
  ~CGridScript() { Close(); }

  void Run(const std::vector<SGridScriptWord>& words) {
    auto command = m_commands.find(words[0].text);
    if (command == m_commands.end()) throw SScriptError("unknown command " + words[0].text);
    m_args.assign(words.begin() + 1, words.end());
    command->second();
    PumpMessages();
  }

 private:
  using Command = std::function<void()>;

  // ---- arguments
  void Expect(std::size_t count) const {
    if (m_args.size() < count) throw SScriptError("missing arguments");
  }
  long long Number(std::size_t i) const {
    Expect(i + 1);
    try {
      std::size_t used = 0;
      const long long value = std::stoll(m_args[i].text, &used, 0);
      if (used != m_args[i].text.size()) throw std::invalid_argument("trailing");
      return value;
    } catch (const std::exception&) {
      throw SScriptError("not a number: " + m_args[i].text);
    }
  }
  int Int(std::size_t i) const { return int(Number(i)); }
  double Real(std::size_t i) const {
    Expect(i + 1);
    try {
      return std::stod(m_args[i].text);
    } catch (const std::exception&) {
      throw SScriptError("not a number: " + m_args[i].text);
    }
  }
  const CString& Text(std::size_t i) const {
    Expect(i + 1);
    return m_args[i].value;
  }
  // A number or a range A-B.
  std::pair<int, int> Span(std::size_t i) const {
    Expect(i + 1);
    const std::string& word = m_args[i].text;
    const std::size_t dash = word.find('-', 1);
    try {
      if (dash == std::string::npos) return {std::stoi(word), std::stoi(word)};
      return {std::stoi(word.substr(0, dash)), std::stoi(word.substr(dash + 1))};
    } catch (const std::exception&) {
      throw SScriptError("not a range: " + word);
    }
  }
  CCellGrid& Grid() const {
    if (!m_grid) throw SScriptError("no grid: use new first");
    return *m_grid;
  }
  template <class Cell>
  Cell& CellAs(int row, int col) const {
    auto* cell = dynamic_cast<Cell*>(Grid().GetCell(row, col));
    if (!cell) throw SScriptError("the cell has not that type");
    return *cell;
  }
  // Runs a command kept in a source of its own, reporting its failure as the script's.
  template <class F>
  static void Rethrown(F&& command) {
    try {
      command();
    } catch (const SScriptError&) {
      throw;
    } catch (const std::runtime_error& failure) {
      throw SScriptError(failure.what());
    }
  }
  static void Check(BOOL ok, const char* what) {
    if (!ok) throw SScriptError(what);
  }

  // ---- building
  void Close() {
    // The grid's window goes first, so that its last notices find no owner to print them.
    if (m_grid) m_grid->DestroyWindow();
    m_grid.reset();
    if (m_host) m_host->DestroyWindow();
    m_host.reset();
  }

  void New() {
    Expect(4);
    int width = 640, height = 480;
    std::size_t next = 4;
    if (m_args.size() >= 6 && m_args[4].text != "virtual") {
      width = Int(4);
      height = Int(5);
      next = 6;
    }
    const bool isVirtual = m_args.size() > next && m_args[next].text == "virtual";
    Close();
    m_host = std::make_unique<CGridHost>();
    Check(m_host->CreateEx(0, nullptr, u"zdtool grid", WS_POPUP | WS_VISIBLE, CRect(0, 0, width, height),
                           nullptr, 0),
          "the host window cannot be made");
    CRect client;
    m_host->GetClientRect(client);
    m_grid = std::make_unique<CCellGrid>();
    if (isVirtual) m_grid->SetVirtualMode(TRUE);
    Check(m_grid->Create(client, m_host.get(), kGridId, WS_CHILD | WS_VISIBLE), "the grid cannot be made");
    Check(m_grid->SetRowCount(Int(0)) && m_grid->SetColumnCount(Int(1)) && m_grid->SetFixedRowCount(Int(2)) &&
              m_grid->SetFixedColumnCount(Int(3)),
          "the counts cannot be set");
    m_grid->SetFocus();
    m_heldButtons = 0;
  }

  void Fill() {
    CCellGrid& grid = Grid();
    for (int r = 0; r < grid.GetRowCount(); ++r)
      for (int c = 0; c < grid.GetColumnCount(); ++c) {
        CString text;
        text.Format(u"R%dC%d", r, c);
        grid.SetCellText(r, c, text);
      }
    grid.RefreshWindow();
  }

  void Load() {
    Expect(1);
    CProjectSession session;
    CZedoDoc doc;
    Check(doc.OnFileOpen(CString::FromUtf8(m_args[0].text)), "the project cannot be read");
    CCellGrid& grid = Grid();
    static const char16_t* const kHeading[] = {u"slot", u"id",       u"date_time", u"peak_load",
                                               u"area", u"diameter", u"load_rate"};
    Check(grid.SetColumnCount(7) && grid.SetRowCount(doc.GetCount() + 1) && grid.SetFixedRowCount(1),
          "the counts cannot be set");
    for (int c = 0; c < 7; ++c) grid.SetCellText(0, c, kHeading[c]);
    auto pair = [](const CString& value, const CString& unit) {
      return unit.IsEmpty() ? value : value + u" " + unit;
    };
    for (int i = 0; i < doc.GetCount(); ++i) {
      const int row = i + 1;
      CString text, value, unit;
      text.Format(u"%u", unsigned(doc.GetSlotId(i)));
      grid.SetCellText(row, 0, text);
      text.Format(u"%u", doc.GetId(i));
      grid.SetCellText(row, 1, text);
      doc.GetDateTimeText(i, text);
      grid.SetCellText(row, 2, text);
      BYTE converted = 1;
      doc.GetPeakLoad(i, converted, value, unit);
      grid.SetCellText(row, 3, pair(value, unit));
      doc.GetAreaText(i, value, unit);
      grid.SetCellText(row, 4, pair(value, unit));
      doc.GetDiameterText(i, value, unit);
      grid.SetCellText(row, 5, pair(value, unit));
      doc.GetLoadRateText(i, value, unit);
      grid.SetCellText(row, 6, pair(value, unit));
    }
  }

  void Sizes(bool rows) {
    const auto [first, last] = Span(0);
    const int px = Int(1);
    for (int i = first; i <= last; ++i)
      Check(rows ? Grid().SetRowHeight(i, px) : Grid().SetColumnWidth(i, px), "no such row or column");
  }

  void CellType() {
    static const std::map<std::string, const CRuntimeClass*> kTypes = {
        {"text", RUNTIME_CLASS(CTextCell)},
        {"gradient", RUNTIME_CLASS(CGradientCell)},
        {"multibmp", RUNTIME_CLASS(CMultiBmpCell)},
        {"bar", RUNTIME_CLASS(CBarRangeCell)}};
    Expect(3);
    auto type = kTypes.find(m_args[2].text);
    if (type == kTypes.end()) throw SScriptError("unknown cell type " + m_args[2].text);
    Check(Grid().SetCellType(Int(0), Int(1), type->second), "the cell type cannot be set");
  }

  void SetCellValue() {
    Expect(4);
    const int row = Int(0), col = Int(1);
    const std::string& name = m_args[2].text;
    CCellBase* cell = Grid().GetCell(row, col);
    if (!cell) throw SScriptError("no such cell");
    auto bar = [&]() -> CBarRangeCell& { return CellAs<CBarRangeCell>(row, col); };
    auto color = [&](std::size_t i) { return COLORREF(Number(i)); };
    if (name == "corners") {
      auto& gradient = CellAs<CGradientCell>(row, col);
      gradient.SetTopLeftColor(color(3));
      gradient.SetTopRightColor(color(4));
      gradient.SetBottomLeftColor(color(5));
      gradient.SetBottomRightColor(color(6));
    } else if (name == "min") {
      bar().SetMinValue(Real(3));
    } else if (name == "max") {
      bar().SetMaxValue(Real(3));
    } else if (name == "marker") {
      bar().SetMarkerValue(Real(3));
    } else if (name == "marker_hidden") {
      bar().SetMarkerHidden(Int(3));
    } else if (name == "a_low") {
      bar().SetRangeALow(Real(3));
    } else if (name == "a_high") {
      bar().SetRangeAHigh(Real(3));
    } else if (name == "a_hidden") {
      bar().SetRangeAHidden(Int(3));
    } else if (name == "b_low") {
      bar().SetRangeBLow(Real(3));
    } else if (name == "b_high") {
      bar().SetRangeBHigh(Real(3));
    } else if (name == "b_hidden") {
      bar().SetRangeBHidden(Int(3));
    } else if (name == "a_colors") {
      bar().SetRangeAColors(color(3), color(4));
    } else if (name == "b_colors") {
      bar().SetRangeBColors(color(3), color(4));
    } else if (name == "overlap_colors") {
      bar().SetOverlapColors(color(3), color(4));
    } else if (name == "draw_selected") {
      cell->SetDrawSelected(Int(3));
    } else if (name == "frame_focus") {
      cell->SetFrameFocus(Int(3));
    } else if (name == "margin") {
      cell->SetMargin(UINT(Int(3)));
    } else {
      throw SScriptError("unknown cell setter " + name);
    }
  }

  void Option() {
    Expect(2);
    CCellGrid& grid = Grid();
    const std::string& name = m_args[0].text;
    const int v = Int(1);
    static const std::map<std::string, std::function<void(CCellGrid&, int)>> kOptions = {
        {"whole_row_scrolling", [](CCellGrid& g, int v) { g.SetWholeRowScrolling(v); }},
        {"whole_row_selection", [](CCellGrid& g, int v) { g.SetWholeRowSelection(v); }},
        {"single_row_selection", [](CCellGrid& g, int v) { g.SetSingleRowSelection(v); }},
        {"selection", [](CCellGrid& g, int v) { g.EnableSelection(v); }},
        {"editable", [](CCellGrid& g, int v) { g.SetEditable(v); }},
        {"drag_drop", [](CCellGrid& g, int v) { g.SetDragAndDrop(v); }},
        {"grid_lines", [](CCellGrid& g, int v) { g.SetGridLines(v); }},
        {"grid_line_color", [](CCellGrid& g, int v) { g.SetGridLineColor(COLORREF(v)); }},
        {"background_color", [](CCellGrid& g, int v) { g.SetGridBkColor(COLORREF(v)); }},
        {"header_sort", [](CCellGrid& g, int v) { g.SetHeaderSort(v); }},
        {"copy_header", [](CCellGrid& g, int v) { g.SetCopyHeader(v); }},
        {"wheel_lines", [](CCellGrid& g, int v) { g.SetWheelScrollLines(v); }},
        {"double_buffering", [](CCellGrid& g, int v) { g.SetDoubleBuffering(v); }},
        {"frame_focus_cell", [](CCellGrid& g, int v) { g.SetFrameFocusCell(v); }},
        {"allow_draw", [](CCellGrid& g, int v) { g.SetRedraw(v, TRUE); }},
        {"use_alt_colors", [](CCellGrid& g, int v) { g.SetUseAltColors(v); }},
        {"fixed_column_selection", [](CCellGrid& g, int v) { g.SetFixedColumnSelection(v); }},
        {"fixed_row_selection", [](CCellGrid& g, int v) { g.SetFixedRowSelection(v); }},
        {"handle_tab", [](CCellGrid& g, int v) { g.SetHandleTabKey(v); }},
        {"auto_size_style", [](CCellGrid& g, int v) { g.SetAutoSizeStyle(v); }},
        {"row_resize", [](CCellGrid& g, int v) { g.SetRowResize(v); }},
        {"column_resize", [](CCellGrid& g, int v) { g.SetColumnResize(v); }},
        {"sort_column", [](CCellGrid& g, int v) { g.SetSortColumn(v); }},
        {"sort_ascending", [](CCellGrid& g, int v) { g.SetSortAscending(v); }},
        {"mouse_mode", [](CCellGrid& g, int v) { g.SetMouseMode(v); }},
        {"print_at_screen_size", [](CCellGrid& g, int v) { g.SetPrintAtScreenSize(v); }},
    };
    auto option = kOptions.find(name);
    if (option == kOptions.end()) throw SScriptError("unknown option " + name);
    option->second(grid, v);
    grid.RefreshWindow();
  }

  void Log() {
    Expect(1);
    const std::string& word = m_args[0].text;
    if (word == "all") return m_host->LogAll(true);
    if (word == "none") return m_host->LogOnly({});
    std::set<int> codes;
    std::stringstream list(word);
    for (std::string code; std::getline(list, code, ',');) {
      try {
        codes.insert(std::stoi(code));
      } catch (const std::exception&) {
        throw SScriptError("not a code: " + code);
      }
    }
    m_host->LogOnly(codes);
  }

  // ---- acting
  void Scroll(int bar) {
    static const std::map<std::string, UINT> kCodes = {{"lineup", SB_LINEUP},
                                                       {"linedown", SB_LINEDOWN},
                                                       {"pageup", SB_PAGEUP},
                                                       {"pagedown", SB_PAGEDOWN},
                                                       {"top", SB_TOP},
                                                       {"bottom", SB_BOTTOM},
                                                       {"thumbtrack", SB_THUMBTRACK},
                                                       {"thumbposition", SB_THUMBPOSITION},
                                                       {"endscroll", SB_ENDSCROLL}};
    Expect(1);
    auto code = kCodes.find(m_args[0].text);
    if (code == kCodes.end()) throw SScriptError("unknown scroll code " + m_args[0].text);
    const int pos = m_args.size() > 1 ? Int(1) : 0;
    if (code->second == SB_ENDSCROLL) {
      Grid().SendMessage(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, SB_ENDSCROLL);
      return;
    }
    if (code->second == SB_THUMBPOSITION && m_args.size() > 1)
      SimulateScrollBar(&Grid(), bar, SB_THUMBTRACK, pos);
    SimulateScrollBar(&Grid(), bar, code->second, pos);
  }

  void Autosize() {
    Expect(1);
    const std::string& what = m_args[0].text;
    if (what == "columns") return Grid().AutoSizeColumns();
    if (what == "column") return Check(Grid().AutoSizeColumn(Int(1)), "the column cannot be auto-sized");
    if (what == "row") return Check(Grid().AutoSizeRow(Int(1)), "the row cannot be auto-sized");
    throw SScriptError("autosize column C, row R or columns");
  }

  // ---- input
  // The MK_SHIFT and MK_CONTROL words after the first `from` arguments.
  UINT Modifiers(std::size_t from) const {
    UINT modifiers = 0;
    for (std::size_t i = from; i < m_args.size(); ++i) {
      if (m_args[i].text == "shift")
        modifiers |= MK_SHIFT;
      else if (m_args[i].text == "ctrl")
        modifiers |= MK_CONTROL;
      else
        throw SScriptError("not a modifier: " + m_args[i].text);
    }
    return modifiers;
  }

  void Mouse() {
    struct SAction {
      SimulatedMouseAction action;
      UINT button;
      UINT heldAfter;  // MK_ bits added (press) or, negated, taken away (release)
      bool press;
    };
    static const std::map<std::string, SAction> kActions = {
        {"press", {SimulatedMouseAction::Press, VK_LBUTTON, MK_LBUTTON, true}},
        {"release", {SimulatedMouseAction::Release, VK_LBUTTON, MK_LBUTTON, false}},
        {"dblclick", {SimulatedMouseAction::DoubleClick, VK_LBUTTON, MK_LBUTTON, true}},
        {"rpress", {SimulatedMouseAction::Press, VK_RBUTTON, MK_RBUTTON, true}},
        {"rrelease", {SimulatedMouseAction::Release, VK_RBUTTON, MK_RBUTTON, false}},
        {"move", {SimulatedMouseAction::Move, 0, 0, true}}};
    Expect(3);
    auto action = kActions.find(m_args[0].text);
    if (action == kActions.end()) throw SScriptError("unknown mouse action " + m_args[0].text);
    const SAction& a = action->second;
    m_heldButtons = a.press ? (m_heldButtons | a.heldAfter) : (m_heldButtons & ~a.heldAfter);
    SimulateMouse(&Grid(), a.action, a.button, CPoint(Int(1), Int(2)), Modifiers(3), m_heldButtons);
  }

  CWnd* FocusTarget() {
    CWnd* focus = CWnd::GetFocus();
    return focus ? focus : &Grid();
  }

  void Key() {
    Expect(1);
    UINT key = 0;
    if (!KeyByName(m_args[0].text, key)) throw SScriptError("unknown key " + m_args[0].text);
    const UINT modifiers = Modifiers(1);
    const CString text = KeyText(key, modifiers);
    SimulateKey(FocusTarget(), key, true, text, modifiers);
    PumpMessages();
    SimulateKey(FocusTarget(), key, false, text, modifiers);
  }

  void Type() {
    const CString& text = Text(0);
    for (int i = 0; i < text.GetLength(); ++i) {
      TypeCharacter(FocusTarget(), text[i]);
      PumpMessages();
    }
  }

  void SubArea() {
    Expect(5);
    CCellBase* cell = Grid().GetCell(Int(0), Int(1));
    if (!cell) throw SScriptError("no such cell");
    CRect area;
    const bool whole = m_args[2].text == "-";
    if (!whole && std::sscanf(m_args[2].text.c_str(), "%d,%d,%d,%d", &area.left, &area.top, &area.right,
                              &area.bottom) != 4)
      throw SScriptError("not a rectangle: " + m_args[2].text);
    Check(cell->AddSubArea(whole ? nullptr : &area, Text(3), Text(4)), "the sub-area cannot be added");
  }

  // ---- looking
  void Editor() {
    CCellGrid& grid = Grid();
    const CCellAddr focus = grid.GetFocusCell();
    CCellBase* cell = grid.GetCell(focus.row, focus.col);
    auto* editor = cell ? dynamic_cast<CCellEdit*>(cell->GetEditor()) : nullptr;
    if (!editor || !editor->GetSafeHwnd()) {
      std::printf("editor=none\n");
      return;
    }
    DWORD start = 0, end = 0;
    editor->SendMessage(EM_GETSEL, WPARAM(&start), LPARAM(&end));
    CRect rect;
    editor->GetWindowRect(rect);
    grid.ScreenToClient(rect);
    std::printf("editor=open row=%d col=%d text=%s sel=%u,%u rect=%d,%d,%d,%d\n", editor->GetRow(),
                editor->GetColumn(), Quote(editor->GetWindowTextString()).c_str(), unsigned(start),
                unsigned(end), int(rect.left), int(rect.top), int(rect.right), int(rect.bottom));
  }

  void Tip() {
    CCellGrid& grid = Grid();
    if (grid.GetTipText().IsEmpty() && grid.GetTipTitle().IsEmpty()) {
      std::printf("tip=none\n");
      return;
    }
    const CRect& rect = grid.GetTipRect();
    CToolTipCtrl* tips = grid.GetToolTip();
    std::printf("tip=set title=%s text=%s rect=%d,%d,%d,%d shown=%s\n", Quote(grid.GetTipTitle()).c_str(),
                Quote(grid.GetTipText()).c_str(), int(rect.left), int(rect.top), int(rect.right),
                int(rect.bottom), Quote(tips ? tips->GetShownText() : CString()).c_str());
  }

  void Facts() {
    CCellGrid& grid = Grid();
    const CCellAddr topLeft = grid.GetTopLeftScrollCell();
    const CCellBlock visible = grid.GetVisibleCellRange();
    const CCellAddr focus = grid.GetFocusCell();
    const CCellBlock selected = grid.GetSelectedCellRange();
    std::printf("rows=%d\ncols=%d\nfixed_rows=%d\nfixed_cols=%d\n", grid.GetRowCount(), grid.GetColumnCount(),
                grid.GetFixedRowCount(), grid.GetFixedColumnCount());
    std::printf("vpos=%d\nhpos=%d\nvmax=%d\nhmax=%d\n", grid.ReadScrollPosition(SB_VERT),
                grid.ReadScrollPosition(SB_HORZ), grid.GetScrollMaximum(SB_VERT),
                grid.GetScrollMaximum(SB_HORZ));
    std::printf("vbar=%d\nhbar=%d\n", (grid.GetScrollBarState() & 0x02) ? 1 : 0,
                (grid.GetScrollBarState() & 0x01) ? 1 : 0);
    std::printf("top_left=%d,%d\ntop_row_offset=%d\n", topLeft.row, topLeft.col, grid.GetTopRowOffset());
    std::printf("visible=%d,%d,%d,%d\nfocus=%d,%d\n", visible.minRow, visible.minCol, visible.maxRow,
                visible.maxCol, focus.row, focus.col);
    std::printf("selected_count=%d\nselected_range=%d,%d,%d,%d\n", grid.GetSelectedCount(), selected.minRow,
                selected.minCol, selected.maxRow, selected.maxCol);
    std::printf("sort_column=%d\nsort_ascending=%d\n", grid.GetSortColumn(), grid.GetSortAscending() ? 1 : 0);
  }

  static void PrintClipboard() {
    std::vector<BYTE> block;
    GetClipboardData(CF_UNICODETEXT, block);
    const std::size_t units = block.size() / sizeof(char16_t);
    const auto* text = reinterpret_cast<const char16_t*>(block.data());
    std::printf("clip=%s clip_units=%zu\n", Quote(CString(text, units ? int(units - 1) : 0)).c_str(), units);
  }

  void PutClipboardText(const CString& text) { PutClipboardBlock(CF_UNICODETEXT, MakeTextBlock(CF_UNICODETEXT, text)); }

  void PutClipboardBlock(UINT format, std::vector<BYTE> block) {
    if (!OpenClipboard(&Grid())) throw SScriptError("the clipboard cannot be opened");
    EmptyClipboard();
    SetClipboardData(format, std::move(block));
    CloseClipboard();
  }

  void PutClipboardAnsi(const std::string& hex) {
    if (hex.size() % 2 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
      throw SScriptError("not hex bytes: " + hex);
    std::vector<BYTE> block;
    for (std::size_t i = 0; i < hex.size(); i += 2) block.push_back(BYTE(std::stoi(hex.substr(i, 2), nullptr, 16)));
    PutClipboardBlock(CF_TEXT, std::move(block));
  }

  bool ControlAt(std::size_t i) const { return m_args.size() > i && m_args[i].text == "ctrl"; }

  void DragTo() {
    const CPoint point(Int(0), Int(1));
    if (!m_dragAnswers) m_dragAnswers = std::make_unique<CScriptedAnswers>();
    m_dragAnswers->AddDragDropAnswer(&Grid(), point, ControlAt(2) ? MK_CONTROL : 0);
  }

  void DropText() {
    const CString& text = Text(2);
    const OleDataBlocks blocks{{CF_UNICODETEXT, MakeTextBlock(CF_UNICODETEXT, text)},
                               {CF_TEXT, MakeTextBlock(CF_TEXT, text)}};
    const SSimulatedDrop drop =
        SimulateOleDrop(&Grid(), blocks, CPoint(Int(0), Int(1)), ControlAt(3) ? MK_CONTROL : 0);
    std::printf("drop_effect=%lu\n", static_cast<unsigned long>(drop.over));
  }

  static std::string Quote(const CString& text) {
    std::string out = "\"";
    for (char ch : text.ToUtf8()) {
      if (ch == '"' || ch == '\\') out += '\\';
      if (ch == '\n')
        out += "\\n";
      else if (ch == '\r')
        out += "\\r";
      else if (ch == '\t')
        out += "\\t";
      else
        out += ch;
    }
    return out + "\"";
  }

  void Cell() {
    const int row = Int(0), col = Int(1);
    CCellBase* cell = Grid().GetCell(row, col);
    if (!cell) throw SScriptError("no such cell");
    const CString text = cell->GetText();
    const DWORD state = cell->GetState();
    const COLORREF back = cell->GetBackColor();
    const COLORREF textColor = cell->GetTextColor();
    CRect rect(-1, -1, -1, -1);
    Grid().GetCellRect(row, col, rect);
    std::printf("cell=%d,%d text=%s state=0x%02X back=0x%08X textcolor=0x%08X rect=%d,%d,%d,%d\n", row, col,
                Quote(text).c_str(), unsigned(state), unsigned(back), unsigned(textColor), int(rect.left),
                int(rect.top), int(rect.right), int(rect.bottom));
  }

  void ListSizes(bool rows) {
    const auto [first, last] = Span(0);
    std::printf("%s=", rows ? "heights" : "widths");
    for (int i = first; i <= last; ++i)
      std::printf("%s%d", i == first ? "" : ",", rows ? Grid().GetRowHeight(i) : Grid().GetColumnWidth(i));
    std::printf("\n");
  }

  void Render() {
    Expect(1);
    CBitmap bitmap;
    Check(Grid().RenderToBitmap(&bitmap), "the grid cannot be rendered");
    SavePng(bitmap, m_args[0].text);
    m_render = ReadPicture(bitmap);
    std::printf("render=%dx%d crc=%08X\n", m_render.width, m_render.height, unsigned(Crc32(m_render.rgb)));
  }

  void Paint() {
    Expect(1);
    CCellGrid& grid = Grid();
    grid.Invalidate();
    grid.UpdateWindow();
    CRect client;
    grid.GetClientRect(client);
    CClientDC window(&grid);
    CDC memory;
    memory.CreateCompatibleDC(&window);
    CBitmap bitmap;
    Check(bitmap.CreateCompatibleBitmap(&window, client.Width(), client.Height()),
          "no picture of the window");
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.BitBlt(0, 0, client.Width(), client.Height(), &window, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    SavePng(bitmap, m_args[0].text);
    m_paint = ReadPicture(bitmap);
    std::printf("paint=%dx%d crc=%08X\n", m_paint.width, m_paint.height, unsigned(Crc32(m_paint.rgb)));
  }

  // The grid as the screen shows it, with the editor and, beside it, an open tip.
  void Window() {
    Expect(1);
    CCellGrid& grid = Grid();
    Check(SaveWindowImage(m_host.get(), CString::FromUtf8(m_args[0].text)), "no picture of the window");
    CToolTipCtrl* tips = grid.GetToolTip();
    if (tips && tips->IsWindowVisible() && m_args.size() > 1)
      Check(SaveWindowImage(tips, CString::FromUtf8(m_args[1].text)), "no picture of the tip");
    std::printf("window=%s\n", m_args[0].text.c_str());
  }

  void Pixel() {
    Expect(3);
    const SPicture& picture = m_args[0].text == "render" ? m_render : m_paint;
    const int x = Int(1), y = Int(2);
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height)
      throw SScriptError("outside the picture");
    const BYTE* p = &picture.rgb[(std::size_t(y) * std::size_t(picture.width) + std::size_t(x)) * 3];
    std::printf("pixel=%d,%d rgb=%02X%02X%02X\n", x, y, p[0], p[1], p[2]);
  }

  void BuildCommands() {
    auto& c = m_commands;
    c["new"] = [this] { New(); };
    c["fill"] = [this] { Fill(); };
    c["load"] = [this] { Load(); };
    c["rows"] = [this] { Check(Grid().SetRowCount(Int(0)), "the row count cannot be set"); };
    c["cols"] = [this] { Check(Grid().SetColumnCount(Int(0)), "the column count cannot be set"); };
    c["fixed-rows"] = [this] { Check(Grid().SetFixedRowCount(Int(0)), "the fixed rows cannot be set"); };
    c["fixed-cols"] = [this] {
      Check(Grid().SetFixedColumnCount(Int(0)), "the fixed columns cannot be set");
    };
    c["height"] = [this] { Sizes(true); };
    c["width"] = [this] { Sizes(false); };
    c["text"] = [this] { Check(Grid().SetCellText(Int(0), Int(1), Text(2)), "the text cannot be set"); };
    c["copytext"] = [this] {
      CCellBase* cell = Grid().GetCell(Int(0), Int(1));
      Check(cell != nullptr, "no such cell");
      cell->SetCopyText(Text(2));
    };
    c["back"] = [this] {
      Check(Grid().SetCellBackColor(Int(0), Int(1), COLORREF(Number(2))), "no such cell");
    };
    c["textcolor"] = [this] {
      CCellBase* cell = Grid().GetCell(Int(0), Int(1));
      Check(cell != nullptr, "no such cell");
      cell->SetTextColor(COLORREF(Number(2)));
    };
    c["state"] = [this] { Check(Grid().SetCellState(Int(0), Int(1), UINT(Number(2))), "no such cell"); };
    c["format"] = [this] { Check(Grid().SetCellFormat(Int(0), Int(1), UINT(Number(2))), "no such cell"); };
    c["range"] = [this] {
      Check(Grid().SetCellColumnRange(Int(0), Int(1), Int(2)), "the range cannot be set");
    };
    // `type R C KIND` sets a cell's type; `type "T"` types the text.
    c["type"] = [this] { m_args.size() >= 3 ? CellType() : Type(); };
    c["set"] = [this] { SetCellValue(); };
    c["option"] = [this] { Option(); };
    c["reply"] = [this] {
      Grid();
      m_host->SetReply(Int(0), LRESULT(Number(1)));
    };
    c["log"] = [this] {
      Grid();
      Log();
    };
    c["vscroll"] = [this] { Scroll(SB_VERT); };
    c["hscroll"] = [this] { Scroll(SB_HORZ); };
    c["wheel"] = [this] { SimulateWheel(&Grid(), Int(0), CPoint(Int(1), Int(2)), 0); };
    c["select"] = [this] { Grid().SetSelectedRange(Int(0), Int(1), Int(2), Int(3), FALSE, TRUE); };
    c["deselect"] = [this] { Grid().SetSelectedRange(Int(0), Int(1), Int(2), Int(3), FALSE, FALSE); };
    c["select-rows"] = [this] {
      const bool additive = m_args.size() > 2 && m_args[2].text == "additive";
      Grid().SelectRows(CCellAddr(Int(0), Int(1)), FALSE, TRUE, additive);
    };
    c["select-all"] = [this] { Grid().OnEditSelectAll(); };
    c["sort"] = [this] {
      std::printf("sort=%d\n", Grid().SortByColumn(Int(0), m_args.at(1).text != "desc") ? 1 : 0);
    };
    c["copy"] = [this] {
      Grid().OnEditCopy();
      PrintClipboard();
    };
    c["cut"] = [this] {
      Grid().OnEditCut();
      PrintClipboard();
    };
    c["paste"] = [this] { Grid().OnEditPaste(); };
    c["clip-put-text"] = [this] { PutClipboardText(Text(0)); };
    c["clip-put-ansi"] = [this] { PutClipboardAnsi(m_args.at(0).text); };
    c["drag-to"] = [this] { DragTo(); };
    c["drop-text"] = [this] { DropText(); };
    c["clear-selection"] = [this] { Grid().ClearSelection(); };
    c["focus"] = [this] { Grid().SetFocusCell(Int(0), Int(1)); };
    c["ensure-visible"] = [this] { Grid().EnsureVisible(Int(0), Int(1)); };
    c["autosize"] = [this] { Autosize(); };
    c["facts"] = [this] { Facts(); };
    c["cell"] = [this] { Cell(); };
    c["heights"] = [this] { ListSizes(true); };
    c["widths"] = [this] { ListSizes(false); };
    c["at"] = [this] {
      const CCellAddr cell = Grid().GetCellAtPoint(CPoint(Int(0), Int(1)), TRUE);
      std::printf("at=%d,%d\n", cell.row, cell.col);
    };
    c["mouse"] = [this] { Mouse(); };
    c["key"] = [this] { Key(); };
    c["subarea"] = [this] { SubArea(); };
    c["editor"] = [this] { Editor(); };
    c["tip"] = [this] { Tip(); };
    c["window"] = [this] { Window(); };
    c["print"] = [this] { Rethrown([this] { RunGridPrint(Grid(), m_args); }); };
    c["render"] = [this] { Render(); };
    c["paint"] = [this] { Paint(); };
    c["pixel"] = [this] { Pixel(); };
  }

  std::map<std::string, Command> m_commands;
  std::vector<SGridScriptWord> m_args;
  std::unique_ptr<CGridHost> m_host;
  // Where the grid's drags are dropped, once a script says so.
  std::unique_ptr<CScriptedAnswers> m_dragAnswers;
  std::unique_ptr<CCellGrid> m_grid;
  UINT m_heldButtons = 0;
  SPicture m_render;
  SPicture m_paint;
};

int RunGrid(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool grid SCRIPT\n");
    return 2;
  }
  std::ifstream file;
  std::istream* in = OpenScriptInput(args[0], file);
  if (!in) {
    std::fprintf(stderr, "%s cannot be read\n", args[0].c_str());
    return 1;
  }
  CUiApplication application;
  CGridScript script;
  std::string line;
  for (int number = 1; std::getline(*in, line); ++number) {
    std::vector<SGridScriptWord> words;
    std::string error;
    try {
      if (!SplitGridScriptLine(line, words, error)) throw SScriptError(error);
      if (words.empty()) continue;
      script.Run(words);
      std::fflush(stdout);
    } catch (const SScriptError& failure) {
      std::fflush(stdout);
      std::fprintf(stderr, "line %d: %s\n", number, failure.what());
      return 1;
    }
  }
  return 0;
}

const ZdCommandRegistrar kGridRegistrar({"grid", "SCRIPT", &RunGrid});

}  // namespace
