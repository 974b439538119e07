#pragma once
// CDockBar: the strip along a frame edge that holds docked control bars. Its list of bars
// keeps the docking order; a null entry ends a row.

#include <vector>

#include "platform/ui/ControlBar.h"

class CDockBar : public CControlBar {
 public:
  std::vector<CControlBar*> m_arrBars;
};
