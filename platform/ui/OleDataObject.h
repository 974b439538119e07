#pragma once
// COleDataObject: data offered by the clipboard or by a drag, read by format. One attached to
// the clipboard reads it at every call; one made for a drop holds the drag's blocks.

#include <map>
#include <vector>

#include "platform/ui/TextBlocks.h"

using DROPEFFECT = DWORD;
constexpr DROPEFFECT DROPEFFECT_NONE = 0;
constexpr DROPEFFECT DROPEFFECT_COPY = 1;
constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
constexpr DROPEFFECT DROPEFFECT_LINK = 4;
constexpr DROPEFFECT DROPEFFECT_SCROLL = 0x80000000;

// Data blocks by format, as a drag carries them.
using OleDataBlocks = std::map<UINT, std::vector<BYTE>>;

class COleDataObject {
 public:
  // Reads the clipboard from now on.
  void AttachClipboard();
  // Reads the blocks from now on.
  void Attach(OleDataBlocks blocks);
  BOOL IsDataAvailable(UINT format) const;
  // Copies the block of the format; false when it is not offered.
  bool GetGlobalData(UINT format, std::vector<BYTE>& data) const;

 private:
  bool m_clipboard = false;
  OleDataBlocks m_blocks;
};
