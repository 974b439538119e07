#pragma once
// CPrintedTextWidths: the widths of cell texts on a printer context as a page maps it, for
// fitting the printed columns. Measuring every cell of a long grid anew is slow, so equal texts
// are measured once, and where the font's digits all have one width (as in the usual fonts) so
// are texts that differ only in their digits: a column of IDs or dates costs a few measures.

#include <string>
#include <unordered_map>

#include "platform/base/String.h"
#include "platform/gdi/Dc.h"

class CPrintedTextWidths {
 public:
  // For the context with its font and mapping as they are now, while this object lives.
  explicit CPrintedTextWidths(CDC* dc);

  CDC* GetDC() const { return m_dc; }
  // The width of the text's widest line in logical units, unwrapped and without ellipsis, as
  // DrawText with the format lays it out.
  int Width(const CString& text, UINT format);

 private:
  int Measure(const CString& text, UINT format) const;

  CDC* m_dc;
  bool m_equalDigits = false;
  std::unordered_map<std::u16string, int> m_widths;
};
