#pragma once
// CStatusBar: the bar along the frame's bottom edge with text panes. The first pane stretches
// and shows the frame's messages; the others are indicators whose text is the string of their
// id, shown only while the indicator is on (the key-lock indicators follow the key state as
// far as the window system reports it).

#include <vector>

#include "platform/ui/ControlBar.h"

constexpr UINT ID_SEPARATOR = 0;
constexpr UINT ID_INDICATOR_CAPS = 0xE701;
constexpr UINT ID_INDICATOR_NUM = 0xE702;
constexpr UINT ID_INDICATOR_SCRL = 0xE703;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_SCROLL = 0x91;

class CStatusBar : public CControlBar {
  DECLARE_MESSAGE_MAP()

 public:
  BOOL Create(CWnd* parent, DWORD style, UINT id = AFX_IDW_STATUS_BAR);
  BOOL SetIndicators(const UINT* ids, int count);
  BOOL SetPaneText(int index, LPCTSTR text, BOOL update = TRUE);
  CString GetPaneText(int index) const;
  int GetCount() const { return int(m_panes.size()); }
  void GetItemRect(int index, LPRECT rect) const;
  // Refreshes the indicators from the key state.
  void UpdateIndicators();
  int GetHeight() const;

 private:
  struct SPane {
    UINT id = 0;
    CString text;
    int width = 0;
  };
  void OnPaint();
  void MeasurePanes() const;

  mutable std::vector<SPane> m_panes;
  mutable bool m_bMeasured = false;
};
