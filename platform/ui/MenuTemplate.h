#pragma once
// Reading the standard menu template (a menu resource, RT_MENU): a version word (0), a header
// size word, then the items depth first, each an option word (MF_ flags; MF_POPUP opens a
// level whose items follow, MF_END marks the last item of a level), a command id word for items
// that are not popups, and a 0-terminated UTF-16 text; little-endian, no padding.
//
// Templates come from resources that may be damaged, so nothing is read past the end of the
// resource: an item that does not fit, or a template that ends before its last level is
// closed, is refused. The extended template (version 1) has another layout and is refused too.

#include <cstddef>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

struct SMenuTemplateItem {
  UINT option = 0;  // as stored, MF_END included
  UINT id = 0;      // 0 for popups
  CString text;
};

class CMenuTemplateReader {
 public:
  // Positions the reader at the first item; IsOpen is false when the header is unreadable.
  CMenuTemplateReader(const void* data, std::size_t size);
  bool IsOpen() const { return m_open; }
  // Reads the next item; false (and nothing read) when it does not fit in the data.
  bool ReadItem(SMenuTemplateItem& item);

 private:
  bool ReadWord(UINT& value);

  const BYTE* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
  bool m_open = false;
};

// True when the whole template can be read: a version-0 header, every item complete, and
// every level (the top one included) closed by MF_END inside the data.
bool IsReadableMenuTemplate(const void* data, std::size_t size);
