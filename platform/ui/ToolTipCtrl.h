#pragma once
// CToolTipCtrl: tips for tools (a window, or a rectangle of one) of its owner. The owner
// relays its mouse messages (RelayEvent); a move over a tool shows the tool's text, a click
// or a move off every tool hides it. Each control has a tip window of its own, so that several
// tips may show at once: a frameless topmost tool window below the mouse that never takes the
// activation or the focus, not when shown and not when clicked.

#include <vector>

#include "platform/base/String.h"
#include "platform/gdi/Font.h"
#include "platform/ui/Wnd.h"

// Styles of the control.
constexpr DWORD TTS_ALWAYSTIP = 0x01;
constexpr DWORD TTS_NOPREFIX = 0x02;
// A tip with rounded corners instead of a plain box.
constexpr DWORD TTS_BALLOON = 0x40;

// Icons in front of a tip's title.
constexpr UINT TTI_NONE = 0;
constexpr UINT TTI_INFO = 1;
constexpr UINT TTI_WARNING = 2;
constexpr UINT TTI_ERROR = 3;

// Which delay SetDelayTime sets.
constexpr DWORD TTDT_AUTOMATIC = 0;
constexpr DWORD TTDT_RESHOW = 1;
constexpr DWORD TTDT_AUTOPOP = 2;
constexpr DWORD TTDT_INITIAL = 3;

class CToolTipCtrl : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  BOOL Create(CWnd* parent, DWORD style = 0);

  // A tool is a window (toolId 0, the whole client area) or a rectangle of it with an id; a tool
  // added where the mouse rests shows its tip at once.
  BOOL AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
  // The text is the string resource with the id.
  BOOL AddTool(CWnd* wnd, UINT textId, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
  void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
  int GetToolCount() const { return int(m_tools.size()); }
  void Activate(BOOL activate);
  void RelayEvent(LPMSG msg);
  void Pop();
  // Longer texts wrap at word boundaries to this width in pixels; -1: no wrapping.
  int SetMaxTipWidth(int width);
  // The delays in milliseconds are kept and reported, but a tip shows as soon as a relayed move
  // reaches its tool and stays until it is popped or the mouse leaves the tool. One delay for all
  // sets the initial one and derives the others as the platform does.
  void SetDelayTime(UINT delay);
  void SetDelayTime(DWORD which, int delay);
  int GetDelayTime(DWORD which) const;
  // A bold title line above the text of every tip, behind the icon (TTI_); an empty title
  // shows none.
  BOOL SetTitle(UINT icon, LPCTSTR title);
  CString GetTitle() const { return m_title; }
  UINT GetTitleIcon() const { return m_titleIcon; }
  // The text shown now, empty when no tip is up.
  CString GetShownText() const { return m_shown; }

 protected:
  void OnPaint();
  int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message);

 private:
  struct STool {
    CWnd* wnd;
    UINT_PTR id;
    bool hasRect;
    RECT rect;
    CString text;
  };
  STool* Find(CWnd* wnd, UINT_PTR id);
  // Shows the text with the tip's top left corner at the screen point.
  void Show(const CString& text, CPoint screenPoint);
  UINT TextFormat() const;
  bool IsBalloon() const { return (GetStyle() & TTS_BALLOON) != 0; }
  // Height of the title line, 0 without a title.
  int TitleHeight(CDC& dc);
  void DrawTitle(CDC& dc, const CRect& area);

  // Shows the tool's tip when the last relayed move lies in it; false when it does not.
  bool ShowIfUnderMouse(const STool& tool);

  std::vector<STool> m_tools;
  // Where the last relayed move was, so that a tool added under the resting mouse shows its tip.
  CWnd* m_mouseWnd = nullptr;
  CPoint m_mousePoint;
  bool m_active = true;
  int m_maxWidth = -1;
  CString m_shown;
  CFont m_tipFont;
  CFont m_titleFont;
  CString m_title;
  UINT m_titleIcon = TTI_NONE;
  // Indexed by TTDT_: automatic (unused), reshow, auto-pop, initial; the platform's defaults.
  int m_delays[4] = {0, 100, 5000, 500};
};
