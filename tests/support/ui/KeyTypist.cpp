#include "tests/support/ui/KeyTypist.h"

#include <chrono>

#include "platform/ui/PopupMenu.h"

namespace {

class CKeyTypist : public CWnd {
 public:
  explicit CKeyTypist(std::vector<SKeyStroke> strokes) : m_strokes(std::move(strokes)) {}
  bool Start() {
    return CWnd::Create(nullptr, u"typist", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0) && SetTimer(1, 1);
  }
  bool Done() const { return m_next == m_strokes.size(); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_TIMER) return CWnd::WindowProc(message, wParam, lParam);
    KillTimer(wParam);
    if (Done()) return 0;
    const SKeyStroke stroke = m_strokes[m_next++];
    // A timer that is running its handler does not run again inside it: the next stroke
    // takes a new one.
    if (!Done()) SetTimer(wParam + 1, 1);
    if (stroke.action)
      stroke.action();
    else
      SimulateKeyStroke(stroke.key, stroke.modifiers);
    return 0;
  }

 private:
  std::vector<SKeyStroke> m_strokes;
  std::size_t m_next = 0;
};

}  // namespace

bool TypeKeyStrokes(std::vector<SKeyStroke> strokes) {
  CKeyTypist typist(std::move(strokes));
  if (!typist.Start()) return false;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!(typist.Done() && GetOpenPopupMenus().empty())) {
    if (std::chrono::steady_clock::now() > end) return false;
    PumpMessages(10);
  }
  return true;
}
