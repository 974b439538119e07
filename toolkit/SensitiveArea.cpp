#include "toolkit/SensitiveArea.h"

CSensitiveArea::~CSensitiveArea() { RemoveAll(); }

int CSensitiveArea::Add(const RECT& rect, int priority, int id, int data, LPCTSTR tooltip, bool enable) {
  if (!enable) return 0;
  m_rects.push_back(std::make_unique<RECT>(rect));
  m_priorities.push_back(priority);
  m_data.push_back(data);
  m_ids.push_back(id);
  m_tooltips.push_back(tooltip ? std::make_unique<CString>(tooltip) : nullptr);
  m_used.push_back(true);
  return 0;
}

RECT CSensitiveArea::AddText(RECT& rect, CDC* dc, int x, int y, const CString& text, int priority, int id,
                             int data, LPCTSTR tooltip, bool enable) {
  const CSize extent = dc->GetTextExtent(text);
  ::SetRect(&rect, x, y, x + extent.cx, y + extent.cy);
  Add(rect, priority, id, data, tooltip, enable);
  return rect;
}

bool CSensitiveArea::HitTest(POINT point, int* id, int* data, CString* tooltip, RECT* rect) const {
  int best = -1;
  int found = -1;
  for (size_t i = 0; i < m_rects.size(); ++i) {
    if (!m_used[i]) continue;
    const RECT& r = *m_rects[i];
    const bool inside = point.x >= r.left && point.x <= r.right && point.y >= r.top && point.y <= r.bottom;
    if (inside && m_priorities[i] > best) {
      best = m_priorities[i];
      found = int(i);
    }
  }
  if (found < 0) return false;
  if (id) *id = m_ids[size_t(found)];
  if (data) *data = m_data[size_t(found)];
  if (rect) *rect = *m_rects[size_t(found)];
  if (tooltip) {
    tooltip->Empty();
    if (m_tooltips[size_t(found)]) *tooltip = *m_tooltips[size_t(found)];
  }
  return true;
}

void CSensitiveArea::RemoveAll() {
  m_rects.clear();
  m_priorities.clear();
  m_data.clear();
  m_ids.clear();
  m_tooltips.clear();
  m_used.clear();
}
