#include "tests/resources/DialogLayoutRules.h"

#include "platform/gdi/Dc.h"
#include "platform/res/ControlStyles.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogLayout.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WinUser.h"

namespace {

// Room that a control's own drawing takes beside its text: a push button's frame and margins,
// a check box's or radio button's box and the gap after it, a group box's inset of its title.
constexpr int kButtonMargins = 6;
constexpr int kCheckMarkRoom = 17;
constexpr int kGroupTitleRoom = 12;

std::string Name(const SDialogControlPlacement& control) {
  return control.kind.ToUtf8() + " " + std::to_string(control.id) + " \"" + control.text.ToUtf8() + "\"";
}

bool Inside(const CRect& inner, const CRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const CRect& a, const CRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A group box frames what lies wholly inside it; anything else it touches overlaps it.
bool OverlapAllowed(const SDialogControlPlacement& a, const SDialogControlPlacement& b) {
  if (a.kind == u"groupbox" && b.kind != u"groupbox" && Inside(b.rect, a.rect)) return true;
  if (b.kind == u"groupbox" && a.kind != u"groupbox" && Inside(a.rect, b.rect)) return true;
  return false;
}

// The text as it shows: an ampersand marks the next character's access key.
CString ShownText(const CString& text) {
  CString shown;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] == u'&' && i + 1 < text.GetLength()) ++i;
    shown += text[i];
  }
  return shown;
}

std::string TextFault(CDC& dc, const SDialogControlPlacement& control) {
  const CString text = ShownText(control.text);
  if (text.IsEmpty()) return {};
  const CSize extent = dc.GetTextExtent(text);
  const int width = control.rect.Width();
  if (control.kind == u"static") {
    // A label of one line must hold its text; one of several lines wraps at words and must
    // hold all of them.
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    CRect needed(0, 0, width, 0);
    if (control.rect.Height() < 2 * metrics.tmHeight) {
      needed.right = extent.cx;
      needed.bottom = extent.cy;
    } else {
      dc.DrawText(text, needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    if (needed.Width() > width || needed.Height() > control.rect.Height())
      return Name(control) + " needs " + std::to_string(needed.Width()) + " x " +
             std::to_string(needed.Height()) + " pixels but has " + std::to_string(width) + " x " +
             std::to_string(control.rect.Height());
    return {};
  }
  int room = width;
  if (control.kind == u"button") room -= kButtonMargins;
  if (control.kind == u"checkbox" || control.kind == u"radio") room -= kCheckMarkRoom;
  if (control.kind == u"groupbox") room -= kGroupTitleRoom;
  if (control.kind != u"button" && control.kind != u"checkbox" && control.kind != u"radio" &&
      control.kind != u"groupbox")
    return {};
  if ((control.kind == u"checkbox" || control.kind == u"radio") && (control.style & BS_MULTILINE)) {
    // A check box or radio button of several lines wraps at words beside its check mark.
    CRect needed(0, 0, room, 0);
    dc.DrawText(text, needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    if (needed.Width() > room || needed.Height() > control.rect.Height())
      return Name(control) + " needs " + std::to_string(needed.Width()) + " x " +
             std::to_string(needed.Height()) + " pixels for its text but has " + std::to_string(room) +
             " x " + std::to_string(control.rect.Height());
    return {};
  }
  if (extent.cx > room)
    return Name(control) + " needs " + std::to_string(extent.cx) + " pixels for its text but has " +
           std::to_string(room);
  return {};
}

}  // namespace

std::vector<std::string> FindLayoutFaults(CDialog& dialog) {
  std::vector<std::string> faults;
  const SDialogLayout layout = ReportDialogLayout(dialog);
  const CRect client(0, 0, layout.client.cx, layout.client.cy);
  std::vector<const SDialogControlPlacement*> shown;
  for (const SDialogControlPlacement& control : layout.controls)
    if (control.visible) shown.push_back(&control);

  for (const SDialogControlPlacement* control : shown) {
    if (!Inside(control->rect, client)) faults.push_back(Name(*control) + " reaches outside the client area");
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    for (std::size_t k = i + 1; k < shown.size(); ++k) {
      if (Overlap(shown[i]->rect, shown[k]->rect) && !OverlapAllowed(*shown[i], *shown[k]))
        faults.push_back(Name(*shown[i]) + " overlaps " + Name(*shown[k]));
    }
  }

  CClientDC dc(&dialog);
  CFont* oldFont = dc.SelectObject(dialog.GetFont());
  TEXTMETRIC metrics{};
  dc.GetTextMetrics(&metrics);
  // A closed box is its selection field, a line of text and a little space, in a 3-pixel frame.
  const int oneLine = metrics.tmHeight + 2 + 6;
  for (const SDialogControlPlacement* control : shown) {
    if (control->kind == u"combobox") {
      if ((control->style & 0x3) == CBS_SIMPLE || control->rect.Height() != oneLine)
        faults.push_back(Name(*control) + " is " + std::to_string(control->rect.Height()) +
                         " pixels high, not one line (" + std::to_string(oneLine) + ")");
    }
    const std::string fault = TextFault(dc, *control);
    if (!fault.empty()) faults.push_back(fault);
  }
  dc.SelectObject(oldFont);
  return faults;
}
