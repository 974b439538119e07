// zdtool org-grid SCRIPT: runs a script (a file, or "-" for standard input) against the second
// grid, which takes over the plain child control 520 of an owner window. One command a line;
// X and Y are grid client pixels, TEXT is the rest of the line with the escapes \t \r \n \\ and
// \uXXXX, HEX is hexadecimal digits. A bad line prints "error=line N: ..." and ends the run
// with exit code 1.

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "grid/org/CellEditOrg.h"
#include "grid/org/CellGridOrg.h"
#include "grid/org/TextCellOrg.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/OleDataSource.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "tests/tools/EscapedText.h"
#include "tests/tools/OrgGridHost.h"
#include "tests/tools/ScriptInput.h"
#include "tests/tools/ZdTool.h"
#include "toolkit/ImageObj.h"

namespace {

constexpr UINT kGridControlId = 520;

struct SOrgScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The text of a script line after its escapes.
CString Unescape(const std::string& text) {
  std::string utf8;
  CString result;
  auto flush = [&] {
    result += CString::FromUtf8(utf8);
    utf8.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      utf8 += text[i];
      continue;
    }
    const char next = text[++i];
    if (next == 't') {
      utf8 += '\t';
    } else if (next == 'r') {
      utf8 += '\r';
    } else if (next == 'n') {
      utf8 += '\n';
    } else if (next == '\\') {
      utf8 += '\\';
    } else if (next == 'u' && i + 4 < text.size() &&
               text.find_first_not_of("0123456789abcdefABCDEF", i + 1) >= i + 5) {
      flush();
      result += char16_t(std::stoul(text.substr(i + 1, 4), nullptr, 16));
      i += 4;
    } else {
      throw SOrgScriptError(std::string("bad escape \\") + next);
    }
  }
  flush();
  return result;
}

struct SKeyName {
  UINT key;
  const char16_t* text;
};

const std::map<std::string, SKeyName>& KeyNames() {
  static const std::map<std::string, SKeyName> names = {
      {"Return", {VK_RETURN, u"\r"}}, {"Escape", {VK_ESCAPE, u"\x1b"}}, {"Tab", {VK_TAB, u"\t"}},
      {"Space", {VK_SPACE, u" "}},    {"Delete", {VK_DELETE, u""}},     {"Insert", {VK_INSERT, u""}},
      {"F2", {VK_F2, u""}},           {"Left", {VK_LEFT, u""}},         {"Right", {VK_RIGHT, u""}},
      {"Up", {VK_UP, u""}},           {"Down", {VK_DOWN, u""}},         {"PageUp", {VK_PRIOR, u""}},
      {"PageDown", {VK_NEXT, u""}},   {"Home", {VK_HOME, u""}},         {"End", {VK_END, u""}},
      {"Add", {VK_ADD, u"+"}}};
  return names;
}

// Scripted answers that keep the effect of the last drop they made.
class CDropRecordingAnswers : public CScriptedAnswers {
 public:
  DWORD OnDragDrop(const SDragDropRequest& request) override {
    lastEffect = CScriptedAnswers::OnDragDrop(request);
    return lastEffect;
  }
  DWORD lastEffect = DROPEFFECT_NONE;
};

class COrgGridScript {
 public:
  COrgGridScript() {
    m_host = std::make_unique<COrgGridHost>();
    Check(m_host->CreateEx(0, nullptr, u"zdtool org-grid", WS_POPUP | WS_VISIBLE, CRect(0, 0, 900, 700), nullptr, 0),
          "the owner window cannot be made");
    Check(m_control.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 404, 304), m_host.get(),
                           kGridControlId),
          "the control cannot be made");
    m_grid = std::make_unique<CCellGridOrg>(0, 0, 0, 0);
    Check(m_grid->SubclassDlgItem(kGridControlId, m_host.get()), "the grid cannot take the control over");
    m_grid->SetFocus();
    BuildCommands();
  }
  ~COrgGridScript() {
    if (m_grid) m_grid->DestroyWindow();
    m_grid.reset();
    m_host->DestroyWindow();
  }

  void Run(const std::string& line) {
    std::istringstream words(line);
    std::string name;
    if (!(words >> name)) return;
    const auto command = m_commands.find(name);
    if (command == m_commands.end()) throw SOrgScriptError("unknown command " + name);
    m_rest = line.substr(line.find(name) + name.size());
    command->second();
    PumpMessages();
  }

 private:
  using Command = std::function<void()>;

  static void Check(bool ok, const char* what) {
    if (!ok) throw SOrgScriptError(what);
  }

  // ---- arguments: words taken from the front of the rest of the line
  std::string Word() {
    const std::size_t start = m_rest.find_first_not_of(' ');
    if (start == std::string::npos) throw SOrgScriptError("missing arguments");
    const std::size_t end = m_rest.find(' ', start);
    const std::string word = m_rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
    m_rest = end == std::string::npos ? std::string() : m_rest.substr(end);
    return word;
  }
  bool HasWord() const { return m_rest.find_first_not_of(' ') != std::string::npos; }
  int Int() {
    const std::string word = Word();
    try {
      std::size_t used = 0;
      const int value = std::stoi(word, &used, 10);
      if (used != word.size()) throw std::invalid_argument("trailing");
      return value;
    } catch (const std::exception&) {
      throw SOrgScriptError("not a number: " + word);
    }
  }
  unsigned Hex() {
    const std::string word = Word();
    try {
      std::size_t used = 0;
      const unsigned long value = std::stoul(word, &used, 16);
      if (used != word.size()) throw std::invalid_argument("trailing");
      return unsigned(value);
    } catch (const std::exception&) {
      throw SOrgScriptError("not hexadecimal: " + word);
    }
  }
  // The rest of the line after one separating blank.
  CString Text() {
    std::string text = m_rest;
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    m_rest.clear();
    return Unescape(text);
  }
  UINT Modifiers() {
    UINT modifiers = 0;
    while (HasWord()) {
      const std::string word = Word();
      if (word == "shift")
        modifiers |= MK_SHIFT;
      else if (word == "ctrl")
        modifiers |= MK_CONTROL;
      else
        throw SOrgScriptError("unknown modifier " + word);
    }
    return modifiers;
  }

  CCellGridOrg& Grid() { return *m_grid; }

  // ---- input
  CPoint ToScreen(CPoint client) const {
    m_grid->ClientToScreen(&client);
    return client;
  }
  void Mouse(SimulatedMouseAction action, UINT button) {
    const int x = Int(), y = Int();
    const UINT modifiers = Modifiers();
    UINT held = 0;
    if (action == SimulatedMouseAction::Press) m_buttonHeld = true;
    if (action == SimulatedMouseAction::Release) m_buttonHeld = false;
    if (m_buttonHeld) held = button == VK_RBUTTON ? MK_RBUTTON : MK_LBUTTON;
    SimulateMouseAtScreen(action, button, ToScreen(CPoint(x, y)), modifiers, held);
    PumpMessages();
  }
  void Click(UINT button) {
    const int x = Int(), y = Int();
    const UINT modifiers = Modifiers();
    const UINT held = button == VK_RBUTTON ? MK_RBUTTON : MK_LBUTTON;
    SimulateMouseAtScreen(SimulatedMouseAction::Press, button, ToScreen(CPoint(x, y)), modifiers, held);
    PumpMessages();
    SimulateMouseAtScreen(SimulatedMouseAction::Release, button, ToScreen(CPoint(x, y)), modifiers, 0);
    PumpMessages();
  }
  void KeyCommand() {
    const std::string name = Word();
    const UINT modifiers = Modifiers();
    UINT key = 0;
    CString text;
    if (const auto known = KeyNames().find(name); known != KeyNames().end()) {
      key = known->second.key;
      text = known->second.text;
    } else if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
      key = UINT(std::toupper(static_cast<unsigned char>(name[0])));
      char typed = (modifiers & MK_SHIFT) ? char(std::toupper(name[0])) : char(std::tolower(name[0]));
      if ((modifiers & MK_CONTROL) && std::isalpha(static_cast<unsigned char>(name[0]))) typed = char(key - 'A' + 1);
      text = CString(std::u16string(1, char16_t(typed)).c_str());
    } else {
      throw SOrgScriptError("unknown key " + name);
    }
    CWnd* target = CWnd::GetFocus();
    if (!target) throw SOrgScriptError("no window has the keyboard focus");
    SimulateKey(target, key, true, text, modifiers);
    PumpMessages();
    // The press may have closed the window it went to (Return or Escape in an editor): the
    // release goes where the focus is now, as a real key's would.
    if (CWnd* released = CWnd::GetFocus()) SimulateKey(released, key, false, text, modifiers);
    PumpMessages();
  }
  void Type() {
    const CString text = Text();
    for (int i = 0; i < text.GetLength(); ++i) {
      CWnd* target = CWnd::GetFocus();
      if (!target) throw SOrgScriptError("no window has the keyboard focus");
      const char16_t ch = text[i];
      // Letters and digits type with their own keys; other characters carry no key code, which
      // could stand for a command key (46, '.', is Delete).
      UINT key = 0;
      if (ch >= u'a' && ch <= u'z') key = UINT(ch - u'a' + 'A');
      if ((ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9') || ch == u' ') key = UINT(ch);
      SimulateTyping(target, key, CString(std::u16string(1, ch).c_str()));
      PumpMessages();
    }
  }

  // ---- settings
  void Flag() {
    const std::string name = Word();
    const int v = Int();
    static const std::map<std::string, std::function<void(CCellGridOrg&, int)>> kFlags = {
        {"editable", [](CCellGridOrg& g, int v) { g.SetEditable(v); }},
        {"drag-drop", [](CCellGridOrg& g, int v) { g.SetDragAndDrop(v); }},
        {"list-mode", [](CCellGridOrg& g, int v) { g.SetListMode(v); }},
        {"single-row", [](CCellGridOrg& g, int v) { g.SetSingleRowSelection(v); }},
        {"title-tips", [](CCellGridOrg& g, int v) { g.SetTitleTips(v); }},
        {"header-sort", [](CCellGridOrg& g, int v) { g.SetHeaderSort(v); }},
        {"column-drag", [](CCellGridOrg& g, int v) { g.SetColumnDrag(v); }},
        {"rows-move", [](CCellGridOrg& g, int v) { g.SetRowDragMovesRows(v); }},
        {"tab-next", [](CCellGridOrg& g, int v) { g.SetTabMovesToNextControl(v); }},
        {"grid-lines", [](CCellGridOrg& g, int v) { g.SetGridLines(v); }},
        {"wheel-lines", [](CCellGridOrg& g, int v) { g.SetWheelScrollLines(v); }},
        {"autosize-style", [](CCellGridOrg& g, int v) { g.SetAutoSizeStyle(v); }}};
    if (name == "trace-dispinfo") {
      m_host->TraceDisplayInfo(v != 0);
      return;
    }
    const auto flag = kFlags.find(name);
    if (flag == kFlags.end()) throw SOrgScriptError("unknown flag " + name);
    flag->second(Grid(), v);
  }
  void Font() {
    const int height = Int(), weight = Int();
    const CString face = Text();
    LOGFONT logFont{};
    logFont.lfHeight = height;
    logFont.lfWeight = weight;
    const std::u16string units = face.GetString();
    std::copy_n(units.begin(), std::min<std::size_t>(units.size(), LF_FACESIZE - 1), logFont.lfFaceName);
    m_font.DeleteObject();
    Check(m_font.CreateFontIndirect(&logFont), "the font cannot be made");
    Grid().SendMessage(WM_SETFONT, WPARAM(&m_font), TRUE);
  }
  void Item(UINT mask) {
    GRIDITEMINFO item;
    item.row = Int();
    item.col = Int();
    item.mask = mask;
    if (mask == GIF_TEXT)
      item.text = Text();
    else
      item.state = Hex();
    Check(Grid().ApplyCellInfo(&item), "the cell cannot take the information");
  }
  void Sizes(bool rows) {
    const int px = Int();
    const int count = rows ? Grid().GetRowCount() : Grid().GetColumnCount();
    for (int i = 0; i < count; ++i) rows ? Grid().SetRowHeight(i, px) : Grid().SetColumnWidth(i, px);
  }
  void Size() {
    const int width = Int(), height = Int();
    CRect window, client;
    Grid().GetWindowRect(window);
    Grid().GetClientRect(client);
    const int frameX = window.Width() - client.Width() -
                       ((Grid().GetScrollBarState() & 0x02) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    const int frameY = window.Height() - client.Height() -
                       ((Grid().GetScrollBarState() & 0x01) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    Grid().MoveWindow(0, 0, width + frameX, height + frameY);
  }

  // ---- output
  void Summary() {
    CCellGridOrg& g = Grid();
    const CCellBlock range = g.GetSelectedCellRange();
    const CCellAddrOrg topLeft = g.GetTopLeftScrollCell();
    std::printf("rows=%d\ncols=%d\nfixed_rows=%d\nfixed_cols=%d\nfocus=%d,%d\nselected_count=%d\n", g.GetRowCount(),
                g.GetColumnCount(), g.GetFixedRowCount(), g.GetFixedColumnCount(), g.GetFocusCell().row,
                g.GetFocusCell().col, g.GetSelectedCount());
    std::printf("selected_range=%d,%d,%d,%d\nsort_column=%d\nsort_ascending=%d\nmodified=%d\ntop_left=%d,%d\n",
                range.minRow, range.minCol, range.maxRow, range.maxCol, g.GetSortColumn(), g.GetSortAscending() ? 1 : 0,
                g.GetModified() ? 1 : 0, topLeft.row, topLeft.col);
  }
  static std::string Joined(const std::vector<int>& values) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) text += (i ? "," : "") + std::to_string(values[i]);
    return text;
  }
  void Dump() {
    Summary();
    CCellGridOrg& g = Grid();
    std::printf("column_order=%s\nrow_order=%s\n", Joined(g.GetColumnOrder()).c_str(), Joined(g.GetRowOrder()).c_str());
    for (int r = 0; r < g.GetRowCount(); ++r) std::printf("row=%d height=%d\n", r, g.GetRowHeight(r));
    for (int c = 0; c < g.GetColumnCount(); ++c) std::printf("col=%d width=%d\n", c, g.GetColumnWidth(c));
    for (int r = 0; r < g.GetRowCount(); ++r)
      for (int c = 0; c < g.GetColumnCount(); ++c)
        std::printf("cell=%d,%d state=0x%02x text=%s\n", r, c, g.GetCellState(r, c),
                    EscapedText(g.GetCellText(r, c)).c_str());
  }
  void Tip() {
    CCellTipOrg& tip = Grid().GetTitleTip();
    if (!tip.GetSafeHwnd() || !tip.IsWindowVisible()) {
      std::printf("tip=none\n");
      return;
    }
    CRect rect;
    tip.GetWindowRect(rect);
    Grid().ScreenToClient(rect);
    const CString shown = tip.GetShownText();
    std::printf("tip=shown left=%d top=%d width=%d height=%d text=%s\n", int(rect.left), int(rect.top),
                int(rect.Width()), int(rect.Height()), EscapedText(shown.Mid(1, shown.GetLength() - 2)).c_str());
  }
  void Render() {
    const std::string path = Word();
    Grid().UpdateWindow();
    CRect client;
    Grid().GetClientRect(client);
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CBitmap picture;
    Check(picture.CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr), "the picture cannot be made");
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&picture);
    PasteWindow(dc, Grid(), true);
    CCellTipOrg& tip = Grid().GetTitleTip();
    if (tip.GetSafeHwnd() && tip.IsWindowVisible()) PasteWindow(dc, tip, false);
    dc.SelectObject(old);
    CImageObj image;
    BYTE* bytes = nullptr;
    std::int32_t size = 0;
    if (!image.CreateFromHBITMAP(picture) || !image.EncodeToMemory(bytes, size, IMAGE_TYPE_BMP))
      throw SOrgScriptError(image.GetLastError());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes), size);
    std::free(bytes);
    Check(bool(out), "the picture cannot be written");
  }
  // Draws the window's picture where it lies over the grid's client area; the grid itself
  // without its frame.
  void PasteWindow(CDC& dc, CWnd& wnd, bool clientOnly) {
    HBITMAP image = CopyWindowImage(wnd.GetSafeHwnd());
    if (!image) return;
    CBitmap* bitmap = CBitmap::FromHandle(image);
    CDC source;
    source.CreateCompatibleDC(nullptr);
    CBitmap* old = source.SelectObject(bitmap);
    CRect window, client;
    wnd.GetWindowRect(window);
    CPoint origin(0, 0);
    Grid().ClientToScreen(&origin);
    CPoint clientOrigin(0, 0);
    wnd.ClientToScreen(&clientOrigin);
    if (clientOnly) {
      wnd.GetClientRect(client);
      dc.BitBlt(0, 0, client.Width(), client.Height(), &source, clientOrigin.x - window.left,
                clientOrigin.y - window.top, SRCCOPY);
    } else {
      dc.BitBlt(window.left - origin.x, window.top - origin.y, window.Width(), window.Height(), &source, 0, 0,
                SRCCOPY);
    }
    source.SelectObject(old);
    DeleteObject(image);
  }

  // ---- clipboard, drag and drop, editor and printing
  void SetClipboard() {
    const std::string hex = Word();
    std::vector<BYTE> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(BYTE(std::stoul(hex.substr(i, 2), nullptr, 16)));
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, bytes);
    Check(source.SetClipboard(), "the clipboard cannot be had");
  }
  void Clipboard() {
    std::vector<BYTE> bytes;
    if (!OpenClipboard(nullptr)) throw SOrgScriptError("the clipboard cannot be had");
    const bool got = GetClipboardData(CF_TEXT, bytes);
    CloseClipboard();
    std::string hex;
    bool zero = false;
    for (BYTE byte : bytes) {
      if (byte == 0) {
        zero = true;
        break;
      }
      char digits[3];
      std::snprintf(digits, sizeof digits, "%02x", byte);
      hex += digits;
    }
    std::printf("clipboard_text_hex=%s\nclipboard_nul=%d\n", got ? hex.c_str() : "", zero ? 1 : 0);
  }
  void Drag() {
    const int x1 = Int(), y1 = Int(), x2 = Int(), y2 = Int();
    const UINT modifiers = Modifiers();
    CDropRecordingAnswers answers;
    answers.AddDragDropAnswer(&Grid(), CPoint(x2, y2), modifiers & MK_CONTROL);
    SimulateMouseAtScreen(SimulatedMouseAction::Press, VK_LBUTTON, ToScreen(CPoint(x1, y1)), modifiers, MK_LBUTTON);
    PumpMessages();
    SimulateMouseAtScreen(SimulatedMouseAction::Move, VK_LBUTTON, ToScreen(CPoint(x1 + 1, y1)), modifiers,
                          MK_LBUTTON);
    PumpMessages();
    SimulateMouseAtScreen(SimulatedMouseAction::Release, VK_LBUTTON, ToScreen(CPoint(x2, y2)), modifiers, 0);
    PumpMessages();
    std::printf("drag_effect=%d\n", int(answers.lastEffect));
  }
  void Editor() {
    for (CWnd* child : Grid().GetChildren()) {
      auto* editor = dynamic_cast<CCellEditOrg*>(child);
      if (!editor) continue;
      int start = 0, end = 0;
      editor->GetSel(start, end);
      std::printf("editor=open row=%d col=%d text=%s sel=%d,%d\n", editor->GetRow(), editor->GetColumn(),
                  EscapedText(editor->GetWindowTextString()).c_str(), start, end);
      return;
    }
    std::printf("editor=none\n");
  }
  void Print() {
    const int width = Int(), height = Int(), dpi = Int();
    const bool across = HasWord() && Word() == "across";
    CDC dc;
    dc.Attach(CreateMemoryPrinterDC(width, height, dpi));
    dc.m_bPrinting = TRUE;
    Grid().SetPrintAcrossPages(across);
    Check(dc.StartDoc(u"org-grid") > 0, "the printer cannot start");
    CPrintInfo info;
    info.m_rectDraw.SetRect(0, 0, width, height);
    Grid().OnBeginPrinting(&dc, &info);
    const SGridPrintMetrics& m = Grid().GetPrintMetrics();
    std::printf("print_pages=%u\nprint_char_width=%d\nprint_char_height=%d\nprint_body_height=%d\n",
                info.GetMaxPage(), m.charWidth, m.charHeight, m.bodyHeight);
    for (UINT page = 1; page <= info.GetMaxPage(); ++page) {
      dc.StartPage();
      info.m_nCurPage = page;
      Grid().OnPrint(&dc, &info);
      dc.EndPage();
      std::printf("page=%u first_row=%d first_col=%d\n", page, m.firstRow, m.firstColumn);
    }
    Grid().OnEndPrinting(&dc, &info);
    dc.EndDoc();
    dc.DeleteDC();
  }

  void BuildCommands() {
    auto& c = m_commands;
    c["size"] = [this] { Size(); };
    c["rows"] = [this] { Check(Grid().SetRowCount(Int()), "the row count cannot be set"); };
    c["cols"] = [this] { Check(Grid().SetColumnCount(Int()), "the column count cannot be set"); };
    c["fixed-rows"] = [this] { Check(Grid().SetFixedRowCount(Int()), "the fixed rows cannot be set"); };
    c["fixed-cols"] = [this] { Check(Grid().SetFixedColumnCount(Int()), "the fixed columns cannot be set"); };
    c["width"] = [this] {
      const int col = Int();
      Check(Grid().SetColumnWidth(col, Int()), "no such column");
    };
    c["height"] = [this] {
      const int row = Int();
      Check(Grid().SetRowHeight(row, Int()), "no such row");
    };
    c["widths"] = [this] { Sizes(false); };
    c["heights"] = [this] { Sizes(true); };
    c["text"] = [this] {
      const int row = Int(), col = Int();
      Check(Grid().SetCellText(row, col, Text()), "the text cannot be set");
    };
    c["item"] = [this] { Item(GIF_TEXT); };
    c["item-state"] = [this] { Item(GIF_STATE); };
    c["state"] = [this] {
      const int row = Int(), col = Int();
      Grid().SetCellState(row, col, Hex());
    };
    c["cell-type"] = [this] {
      const int row = Int(), col = Int();
      Check(Grid().SetCellType(row, col, RUNTIME_CLASS(CTextCellOrg)), "the cell type cannot be set");
    };
    c["virtual"] = [this] { Grid().SetVirtualMode(Int() != 0); };
    c["font"] = [this] { Font(); };
    c["default-back"] = [this] { Grid().GetDefaultCell(FALSE, FALSE)->SetBackColor(COLORREF(Hex())); };
    c["flag"] = [this] { Flag(); };
    c["sort-callback"] = [this] {
      const std::string kind = Word();
      if (kind != "text" && kind != "numeric") throw SOrgScriptError("unknown compare " + kind);
      Grid().SetSortCallback(kind == "text" ? &CCellGridOrg::CompareCellsText : &CCellGridOrg::CompareCellsNumeric);
    };
    c["reply"] = [this] {
      const int code = Int();
      m_host->SetReply(code, Int());
    };
    c["select"] = [this] {
      const int r1 = Int(), c1 = Int(), r2 = Int(), c2 = Int();
      Grid().SetSelectedRange(r1, c1, r2, c2, FALSE, TRUE);
    };
    c["deselect"] = [this] {
      const int r1 = Int(), c1 = Int(), r2 = Int(), c2 = Int();
      Grid().SetSelectedRange(r1, c1, r2, c2, FALSE, FALSE);
    };
    c["focus"] = [this] {
      const int row = Int();
      Grid().SetFocusCell(row, Int());
    };
    c["select-all"] = [this] { Grid().SendMessage(WM_COMMAND, 57642); };
    c["press"] = [this] { Mouse(SimulatedMouseAction::Press, VK_LBUTTON); };
    c["move"] = [this] { Mouse(SimulatedMouseAction::Move, VK_LBUTTON); };
    c["release"] = [this] { Mouse(SimulatedMouseAction::Release, VK_LBUTTON); };
    c["click"] = [this] { Click(VK_LBUTTON); };
    c["rclick"] = [this] { Click(VK_RBUTTON); };
    c["wheel"] = [this] {
      const int delta = Int(), x = Int(), y = Int();
      SimulateWheel(&Grid(), delta, CPoint(x, y), 0);
      PumpMessages();
    };
    c["key"] = [this] { KeyCommand(); };
    c["type"] = [this] { Type(); };
    c["sort"] = [this] {
      const int col = Int();
      const std::string direction = Word();
      if (direction != "asc" && direction != "desc") throw SOrgScriptError("unknown direction " + direction);
      Grid().SortByColumn(col, direction == "asc");
    };
    c["move-row"] = [this] {
      const int from = Int();
      Check(Grid().MoveRowOrderEntry(from, Int()), "the row cannot be moved");
    };
    c["autosize"] = [this] { Grid().AutoSize(UINT(Int())); };
    c["mark"] = [this] { std::printf("mark=%s\n", EscapedText(Text()).c_str()); };
    c["render"] = [this] { Render(); };
    c["summary"] = [this] { Summary(); };
    c["dump"] = [this] { Dump(); };
    c["tip"] = [this] { Tip(); };
    c["copy"] = [this] { Grid().SendMessage(WM_COMMAND, 57634); };
    c["cut"] = [this] { Grid().SendMessage(WM_COMMAND, 57635); };
    c["paste"] = [this] { Grid().SendMessage(WM_COMMAND, 57637); };
    c["set-clipboard"] = [this] { SetClipboard(); };
    c["clipboard"] = [this] { Clipboard(); };
    c["drag"] = [this] { Drag(); };
    c["editor"] = [this] { Editor(); };
    c["print"] = [this] { Print(); };
    c["selected"] = [this] {
      const int row = Int();
      std::printf("selected=%d\n", Grid().IsCellSelected(row, Int()) ? 1 : 0);
    };
  }

  std::map<std::string, Command> m_commands;
  std::string m_rest;
  std::unique_ptr<COrgGridHost> m_host;
  CWnd m_control;
  std::unique_ptr<CCellGridOrg> m_grid;
  CFont m_font;
  bool m_buttonHeld = false;
};

int RunOrgGrid(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool org-grid SCRIPT\n");
    return 2;
  }
  std::ifstream file;
  std::istream* in = OpenScriptInput(args[0], file);
  if (!in) {
    std::printf("error=%s cannot be read\n", args[0].c_str());
    return 1;
  }
  CUiApplication application;
  COrgGridScript script;
  std::string line;
  for (int number = 1; std::getline(*in, line); ++number) {
    try {
      script.Run(line);
      std::fflush(stdout);
    } catch (const std::exception& failure) {
      std::printf("error=line %d: %s\n", number, failure.what());
      return 1;
    }
  }
  return 0;
}

const ZdCommandRegistrar kOrgGridRegistrar({"org-grid", "SCRIPT", &RunOrgGrid});

}  // namespace
