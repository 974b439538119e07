#pragma once
// CSensitiveArea: the rectangles of what a paint routine has just drawn, each with a
// priority, two caller-defined numbers and an optional tooltip, so that a later mouse position
// can be mapped back to what lies under it. Owners empty it at the start of a paint, add
// regions while painting and query it between paints, on the window's own thread.

#include <memory>
#include <vector>

#include "platform/base/String.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Geometry.h"

class CSensitiveArea {
 public:
  CSensitiveArea() = default;
  CSensitiveArea(const CSensitiveArea&) = delete;
  CSensitiveArea& operator=(const CSensitiveArea&) = delete;
  ~CSensitiveArea();

  // Stores a copy of the rectangle and of the tooltip (when given); nothing when not enabled.
  // Always 0.
  int Add(const RECT& rect, int priority, int id, int data, LPCTSTR tooltip, bool enable);
  // Adds the region of one line of text drawn at (x, y) in the context, as Add does, and
  // returns it in `rect` and as the result, also when not enabled.
  RECT AddText(RECT& rect, CDC* dc, int x, int y, const CString& text, int priority, int id, int data,
               LPCTSTR tooltip, bool enable);
  // The entry under the point: the highest priority wins, the first added among equals; edges
  // count as inside and a negative priority is never found. Outputs may be null; on a miss
  // they are left alone.
  bool HitTest(POINT point, int* id, int* data, CString* tooltip, RECT* rect) const;
  void RemoveAll();

 private:
  // One entry per region, indexed alike.
  std::vector<std::unique_ptr<RECT>> m_rects;
  std::vector<int> m_priorities;
  std::vector<int> m_data;
  std::vector<int> m_ids;
  std::vector<std::unique_ptr<CString>> m_tooltips;
  std::vector<bool> m_used;
};
