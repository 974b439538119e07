#pragma once
// The owner window of `zdtool org-grid`: it prints the second grid's notices and commands,
// answers the edit checks with the replies it was told and display-info requests with the
// text "d<row>.<col>", and prints requests to move to the next control.

#include <map>

#include "platform/ui/Wnd.h"

class COrgGridHost : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  void SetReply(int code, LRESULT reply) { m_replies[code] = reply; }
  void TraceDisplayInfo(bool on) { m_traceDisplayInfo = on; }

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT OnNextControl(WPARAM, LPARAM);

  std::map<int, LRESULT> m_replies;
  bool m_traceDisplayInfo = false;
};
