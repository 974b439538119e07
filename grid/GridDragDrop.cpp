#include "grid/GridDragDrop.h"

DROPEFFECT FollowDrag(CCellAddr& highlighted, const CCellAddr& cell, bool takesDrop, DWORD keyState,
                      const std::function<void()>& leave,
                      const std::function<void(const CCellAddr&, bool)>& show) {
  if (!takesDrop) {
    leave();
    highlighted = CCellAddr();
    return DROPEFFECT_NONE;
  }
  if (cell != highlighted) {
    show(highlighted, false);
    highlighted = cell;
    show(highlighted, true);
  }
  return DragEffectForKeys(keyState);
}
