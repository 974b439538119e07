// Groups of dialog controls. The children of a window, in creation order, fall into groups: a
// group starts at a child with WS_GROUP and runs up to the next child with WS_GROUP; the
// children before the first WS_GROUP belong to the group of the last one, as though the order
// went round. Auto radio buttons clear each other within their group only, and the arrow keys
// move the focus within it.

#include <QWidget>
#include <algorithm>

#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

namespace {

bool StartsGroup(const CWnd* wnd) { return (wnd->GetStyle() & WS_GROUP) != 0; }

// The arrow keys pass over what is hidden, disabled or never takes the focus (statics, group
// boxes).
bool TakesArrowFocus(const CWnd* wnd) {
  const QWidget* widget = QtWidgetOf(wnd);
  return (wnd->GetStyle() & WS_VISIBLE) && wnd->IsWindowEnabled() && widget &&
         widget->focusPolicy() != Qt::NoFocus;
}

}  // namespace

std::vector<CWnd*> CWnd::GetDlgGroup(const CWnd* control) const {
  const std::vector<CWnd*> children = GetChildren();
  const auto self = std::find(children.begin(), children.end(), control);
  if (self == children.end()) return {};
  const std::size_t count = children.size();
  const std::size_t index = std::size_t(self - children.begin());
  // Back to the group's start, going round once at most.
  std::size_t start = index;
  for (std::size_t step = 0; step < count && !StartsGroup(children[start]); ++step)
    start = (start + count - 1) % count;
  std::vector<CWnd*> group{children[start]};
  for (std::size_t i = (start + 1) % count; i != start && !StartsGroup(children[i]); i = (i + 1) % count)
    group.push_back(children[i]);
  return group;
}

CWnd* CWnd::NextInDlgGroup(CWnd* control, BOOL previous) const {
  const std::vector<CWnd*> group = GetDlgGroup(control);
  const auto self = std::find(group.begin(), group.end(), control);
  if (self == group.end()) return nullptr;
  const std::size_t count = group.size();
  std::size_t i = std::size_t(self - group.begin());
  for (std::size_t step = 1; step < count; ++step) {
    i = previous ? (i + count - 1) % count : (i + 1) % count;
    if (TakesArrowFocus(group[i])) return group[i];
  }
  return control;
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
  for (CWnd* child : GetChildren()) {
    const int id = child->GetDlgCtrlID();
    if (id >= firstId && id <= lastId)
      child->SendMessage(BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED);
  }
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const {
  for (int id = firstId; id <= lastId; ++id) {
    if (IsDlgButtonChecked(id) == BST_CHECKED) return id;
  }
  return 0;
}
