#pragma once
// Between OLE's drags and the toolkit's (platform layer only): the text that a drag's blocks
// carry, the blocks a dragged text gives, and drop effects as the toolkit's drop actions.

#include <Qt>

#include "platform/ui/OleDataObject.h"

// The Unicode text of the blocks, else their 8-bit text; empty without either.
CString TextOfBlocks(const OleDataBlocks& blocks);
// The blocks of a dragged text: CF_UNICODETEXT and CF_TEXT.
OleDataBlocks BlocksOfText(const CString& text);

DROPEFFECT EffectOfAction(Qt::DropAction action);
Qt::DropAction ActionOfEffect(DROPEFFECT effect);
Qt::DropActions ActionsOfEffects(DWORD effects);
