#include "toolkit/ColorRichEditCtrl.h"

#include <string>

#include "platform/ui/UiCall.h"

namespace {

struct SLineStyle {
  const char16_t* prefix;
  COLORREF color;
  bool bold;
  bool redOnFailure;
};

SLineStyle StyleOf(int kind) {
  switch (kind) {
    case kHeadingLine:
      return {u"", RGB(0, 0, 255), true, false};
    case kStatusLine:
      return {u"...", RGB(0, 0, 0), false, true};
    case kDetailLine:
      return {u"......", RGB(0, 0, 0), false, false};
    case kResultLine:
      return {u"", RGB(0, 102, 0), true, true};
    case kUserLine:
      return {u"...", RGB(112, 48, 160), true, false};
    default:
      return {u"", RGB(0, 0, 0), false, false};
  }
}

bool ReportsFailure(const CString& text) {
  CString lower = text;
  lower.MakeLower();
  return lower.Find(u"fail") >= 0 || lower.Find(u"error") >= 0;
}

}  // namespace

void CColorRichEditCtrl::AddLine(int kind, const CString& text, bool show) {
  // The procedures' worker threads write lines while the dialog writes its own; one line at a
  // time on the user-interface thread keeps the numbers unique and the file lines whole.
  CallOnUiThread([&] { AddLineHere(kind, text, show); });
}

void CColorRichEditCtrl::AddLineHere(int kind, const CString& text, bool show) {
  SLineStyle style = StyleOf(kind);
  if (style.redOnFailure && ReportsFailure(text)) style.color = RGB(255, 0, 0);
  if (m_pMirrorFile) {
    ++m_nFileLines;
    CString line;
    line.Format(u"%d) %s%s\n", m_nFileLines, style.prefix, text);
    const std::string bytes = line.ToUtf8();
    std::fwrite(bytes.data(), 1, bytes.size(), m_pMirrorFile);
    std::fflush(m_pMirrorFile);
  }
  if (!show) return;
  ++m_nScreenLines;
  CString line;
  line.Format(u"%d) %s%s\n", m_nScreenLines, style.prefix, text);
  AppendFormatted(line, style.color, style.bold);
}

void CColorRichEditCtrl::AppendFormatted(const CString& text, COLORREF color, bool bold) {
  // One step on the user-interface thread, so that lines from several threads never mix.
  CallOnUiThread([&] {
    CHARFORMAT format;
    GetSelectionCharFormat(format);
    format.dwMask = CFM_COLOR | CFM_FACE | CFM_BOLD;
    format.dwEffects = bold ? CFE_BOLD : 0;
    format.crTextColor = color;
    SetSel(-1, -1);
    SetSelectionCharFormat(format);
    ReplaceSel(text);
    SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
  });
}
