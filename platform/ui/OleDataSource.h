#pragma once
// COleDataSource: data the program offers, a block per format, to the clipboard or to a drag.
// The clipboard and a drop keep copies of the blocks, so they stay available after the data
// source is gone: nothing needs flushing.
//
// A drag goes through the user-answer sink (UserAnswers.h): the program's sink lets the user
// drag the text with the toolkit's drag and drop; tests script where it is dropped.

#include "platform/ui/OleDataObject.h"

class COleDataSource {
 public:
  // Keeps the block as the data of the format; a block of the same format is replaced.
  void CacheGlobalData(UINT format, std::vector<BYTE> data);
  // Puts every block on the clipboard; false when the clipboard could not be had.
  BOOL SetClipboard();
  // Lets the user drag the data and drop it with one of the allowed effects; the effect the drop
  // target chose, DROPEFFECT_NONE when the drag was cancelled or refused.
  DROPEFFECT DoDragDrop(DWORD allowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);

 private:
  OleDataBlocks m_blocks;
};
