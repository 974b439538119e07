#pragma once
// The window that hosts the grid of `zdtool grid` and owns it: it prints every notice it gets
// from the grid, answers with the replies it was told, and answers display-info requests with
// the text "V<row>.<col>".

#include <map>
#include <set>

#include "platform/ui/Wnd.h"

class CGridHost : public CWnd {
 public:
  // Codes to print; all but the display-info request unless told otherwise.
  void LogAll(bool all) {
    m_logAll = all;
    m_logged.clear();
  }
  void LogOnly(const std::set<int>& codes) {
    m_logAll = false;
    m_logged = codes;
  }
  void SetReply(int code, LRESULT reply) { m_replies[code] = reply; }

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  bool Logs(int code) const;

  bool m_logAll = true;
  std::set<int> m_logged;
  std::map<int, LRESULT> m_replies;
};
