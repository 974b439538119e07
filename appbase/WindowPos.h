#pragma once
// A window rectangle kept in the settings as four DWORD values named after the window
// ("MainFrm" stores "MainFrmLeft", "MainFrmRight", "MainFrmTop" and "MainFrmBottom"). The owner
// places its window from the rectangle after Restore.

#include "platform/base/String.h"

class CWnd;

class CWindowPos {
 public:
  CWindowPos(const CString& name, CWnd* window);
  virtual ~CWindowPos() = default;

  // Half the screen's width and 90 % of its height from (2, 2), replaced by each stored value;
  // a rectangle that leaves the work area is moved onto it.
  void Restore(const CString& keyPath);
  // The window's screen rectangle, left and top kept within 1 and the screen size; nothing for
  // a minimised window.
  void Save(const CString& keyPath);

  void KeepOnWorkArea();

  CWnd* m_pWnd;
  LONG m_left = 2;
  LONG m_top = 2;
  LONG m_right = 100;
  LONG m_bottom = 100;
  CString m_strLeft;
  CString m_strRight;
  CString m_strTop;
  CString m_strBottom;
};
