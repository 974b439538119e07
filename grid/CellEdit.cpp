#include "grid/CellEdit.h"

#include <algorithm>

#include "grid/GridItemInfo.h"
#include "platform/gdi/Font.h"
#include "platform/res/ControlStyles.h"
#include "platform/ui/PaintDC.h"

namespace {

// One editor ends at a time: a second end while the first one's notice is handled (the grid
// opening the next editor takes the focus from this one) is the same ending.
bool g_ending = false;

bool IsNavigationKey(UINT key) {
  return key == VK_PRIOR || key == VK_NEXT || key == VK_LEFT || key == VK_UP || key == VK_RIGHT ||
         key == VK_DOWN;
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CCellEdit, CEdit)
  .OnKeyDown(&CCellEdit::OnKeyDown)
  .OnChar(&CCellEdit::OnChar)
  .OnKillFocus(&CCellEdit::OnKillFocus)
  .OnGetDlgCode(&CCellEdit::OnGetDlgCode)
END_MESSAGE_MAP()
// clang-format on

CCellEdit::CCellEdit(CWnd* parent, const RECT& rect, DWORD style, UINT id, int row, int col,
                     const CString& initialText, UINT firstChar)
    : m_row(row), m_col(col), m_initialText(initialText), m_exitOnNavigation(firstChar != VK_LBUTTON),
      m_rect(rect) {
  if (!Create(style | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, parent, id)) return;
  SendMessage(WM_SETFONT, WPARAM(parent->SendMessage(WM_GETFONT)), TRUE);
  SetWindowText(initialText);
  SetFocus();
  SelectForFirstChar(firstChar);
}

void CCellEdit::SelectForFirstChar(UINT firstChar) {
  const bool atEnd = firstChar == VK_LBUTTON || firstChar == VK_RETURN || firstChar == VK_BACK;
  if (atEnd)
    SendMessage(EM_SETSEL, WPARAM(GetWindowTextLength()), LPARAM(-1));
  else
    SendMessage(EM_SETSEL, 0, LPARAM(-1));
  SendMessage(EM_SCROLLCARET);
  const bool selectOnly = firstChar == VK_TAB || (firstChar >= VK_SPACE && firstChar <= VK_DOWN);
  if (firstChar == VK_LBUTTON || firstChar == VK_RETURN || selectOnly) return;
  PostMessage(firstChar > 127 ? WM_IME_CHAR : WM_CHAR, firstChar);
}

void CCellEdit::LeaveWith(UINT key) {
  m_lastKey = key;
  if (CWnd* parent = GetParent()) parent->SetFocus();
}

void CCellEdit::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
  if (IsNavigationKey(ch) && (m_exitOnNavigation || GetKeyState(VK_CONTROL) < 0)) {
    LeaveWith(ch);
    return;
  }
  CEdit::OnKeyDown(ch, repeat, flags);
}

void CCellEdit::OnChar(UINT ch, UINT repeat, UINT flags) {
  switch (ch) {
    case VK_ESCAPE:
      SetWindowText(m_initialText);
      LeaveWith(ch);
      return;
    case VK_TAB:
    case VK_RETURN:
      LeaveWith(ch);
      return;
    default:
      CEdit::OnChar(ch, repeat, flags);
      GrowToText();
  }
}

void CCellEdit::GrowToText() {
  if (!GetSafeHwnd()) return;
  const CString text = GetWindowTextString() + u"  ";
  int width = 0;
  {
    CClientDC dc(this);
    CFont* old = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
    width = dc.GetTextExtent(text).cx;
    if (old) dc.SelectObject(old);
  }
  if (m_rect.Width() >= width) return;
  CRect parentClient;
  GetParent()->GetClientRect(parentClient);
  m_rect.right = std::min<LONG>(m_rect.left + width, parentClient.right);
  MoveWindow(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), TRUE);
}

void CCellEdit::OnKillFocus(CWnd* newWnd) {
  CEdit::OnKillFocus(newWnd);
  EndEdit();
}

UINT CCellEdit::OnGetDlgCode() { return DLGC_WANTALLKEYS; }

BOOL CCellEdit::PreTranslateMessage(MSG* msg) {
  // Alt with a letter would reach the menus of the frame; in a cell it types nothing.
  if (msg->message == WM_SYSCHAR) return TRUE;
  return CEdit::PreTranslateMessage(msg);
}

void CCellEdit::EndEdit() {
  if (g_ending) return;
  g_ending = true;
  GRIDDISPINFO record;
  record.hdr.hwndFrom = GetSafeHwnd();
  record.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
  record.hdr.code = GRIDN_ENDLABELEDIT;
  record.item.row = m_row;
  record.item.col = m_col;
  record.item.mask = GIF_TEXT | GIF_PARAM;
  record.item.text = GetWindowTextString();
  record.item.data = LPARAM(m_lastKey);
  CWnd* owner = GetOwner();
  const HWND self = GetSafeHwnd();
  if (owner) owner->SendMessage(WM_NOTIFY, WPARAM(GetDlgCtrlID()), LPARAM(&record));
  if (CWnd::IsWindowHandle(self)) SendMessage(WM_CLOSE);
  g_ending = false;
}

void CCellEdit::PostNcDestroy() { delete this; }
