#pragma once
// CProgressCtrl over the toolkit's progress bar.

#include "platform/ui/Wnd.h"

class CProgressCtrl : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  void SetRange(short lower, short upper) { SetRange32(lower, upper); }
  void SetRange32(int lower, int upper);
  // Returns the previous position.
  int SetPos(int pos);
  int GetPos() const;

 protected:
  std::unique_ptr<WndWidget> CreateWidget(CWnd* parent) override;
};
