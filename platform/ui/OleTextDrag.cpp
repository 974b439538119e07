#include "platform/ui/OleTextDrag.h"

CString TextOfBlocks(const OleDataBlocks& blocks) {
  for (UINT format : {CF_UNICODETEXT, CF_TEXT}) {
    const auto it = blocks.find(format);
    if (it != blocks.end()) return ReadTextBlock(format, it->second);
  }
  return CString();
}

OleDataBlocks BlocksOfText(const CString& text) {
  return OleDataBlocks{{CF_UNICODETEXT, MakeTextBlock(CF_UNICODETEXT, text)},
                       {CF_TEXT, MakeTextBlock(CF_TEXT, text)}};
}

DROPEFFECT EffectOfAction(Qt::DropAction action) {
  switch (action) {
    case Qt::CopyAction:
      return DROPEFFECT_COPY;
    case Qt::MoveAction:
      return DROPEFFECT_MOVE;
    case Qt::LinkAction:
      return DROPEFFECT_LINK;
    default:
      return DROPEFFECT_NONE;
  }
}

Qt::DropAction ActionOfEffect(DROPEFFECT effect) {
  if (effect & DROPEFFECT_MOVE) return Qt::MoveAction;
  if (effect & DROPEFFECT_COPY) return Qt::CopyAction;
  if (effect & DROPEFFECT_LINK) return Qt::LinkAction;
  return Qt::IgnoreAction;
}

Qt::DropActions ActionsOfEffects(DWORD effects) {
  Qt::DropActions actions;
  if (effects & DROPEFFECT_COPY) actions |= Qt::CopyAction;
  if (effects & DROPEFFECT_MOVE) actions |= Qt::MoveAction;
  if (effects & DROPEFFECT_LINK) actions |= Qt::LinkAction;
  return actions;
}
