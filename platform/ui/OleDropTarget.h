#pragma once
// COleDropTarget: a window registered with it accepts dragged data and tells the target of the
// drag's steps, each with the data, the key state (MK_ flags) and the point in the window's
// client coordinates. Before every over, OnDragScroll may answer with DROPEFFECT_SCROLL set;
// that answer then stands for the over. A drop follows only an over that allowed an effect.
// Drags bring plain text (CF_UNICODETEXT and CF_TEXT), from this program or another.

#include <memory>

#include "platform/gdi/Geometry.h"
#include "platform/ui/OleDataObject.h"
#include "platform/ui/WinUser.h"

class CWnd;

class COleDropTarget {
 public:
  COleDropTarget();
  virtual ~COleDropTarget();
  COleDropTarget(const COleDropTarget&) = delete;
  COleDropTarget& operator=(const COleDropTarget&) = delete;

  // False when there is no window or this target is registered already.
  BOOL Register(CWnd* window);
  void Revoke();

  virtual DROPEFFECT OnDragEnter(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point);
  virtual void OnDragLeave(CWnd* window);
  virtual BOOL OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point);
  virtual DROPEFFECT OnDragScroll(CWnd* window, DWORD keyState, CPoint point);

 private:
  struct SLink;
  std::unique_ptr<SLink> m_link;
};

// What a simulated drop brought: the effect the over answered and the effect of the drop.
struct SSimulatedDrop {
  DROPEFFECT over = DROPEFFECT_NONE;
  DROPEFFECT dropped = DROPEFFECT_NONE;
};

// For tests and scripted drags: drags the blocks' text onto the window as the window system
// would: enter, one over and, when the over allowed an effect, the drop (else a leave), all at
// the client point with the key state.
SSimulatedDrop SimulateOleDrop(HWND window, const OleDataBlocks& blocks, POINT point, DWORD keyState);
