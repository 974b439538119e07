#pragma once
// Message maps: one table per window class binding message numbers, command ids and
// notification codes to member functions, chained to the table of the base class. A class
// declares its table with DECLARE_MESSAGE_MAP() and defines it in its source, one entry a
// line (the formatter would join the entries, hence the markers around the table):
//
//   // clang-format off
//   BEGIN_MESSAGE_MAP(CLogo, CBitmapButton)
//     .OnCreate(&CLogo::OnCreate)
//     .OnLButtonDown(&CLogo::OnLButtonDown)
//     .OnRegisteredMessage(g_logoClickMessage, &CLogo::OnLogoClick)
//   END_MESSAGE_MAP()
//   // clang-format on
//
// Handlers take the unpacked arguments of their message, as the framework gave them. Lookup walks
// from the most derived table to CWnd's; the first entry that matches handles the message.

#include <functional>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Geometry.h"
#include "platform/ui/OwnerDraw.h"
#include "platform/ui/WinUser.h"

class CCmdUI;
class CWnd;
class CScrollBar;
struct CREATESTRUCT;

// The code under which update handlers of commands are kept: never a control's notification.
constexpr int CN_UPDATE_COMMAND_UI = -1;

class CMessageMap {
 public:
  enum class Kind {
    Message,         // a message number
    Registered,      // a message number kept in a variable, known only at run time
    Command,         // WM_COMMAND from a menu, accelerator or control, ids first..last
    Control,         // WM_COMMAND with a notification code from controls first..last
    Notify,          // WM_NOTIFY with a code from controls first..last
    ReflectMessage,  // a message the parent reflects back to the control that caused it
    ReflectNotify,   // the control's own WM_NOTIFY, reflected back to it
  };
  using Handler = std::function<LRESULT(CWnd& wnd, WPARAM wParam, LPARAM lParam)>;
  struct Entry {
    Kind kind;
    UINT message = 0;
    const UINT* registered = nullptr;
    UINT idFirst = 0;
    UINT idLast = 0;
    int code = 0;
    Handler handler;
  };

  explicit CMessageMap(const CMessageMap* base) : m_base(base) {}

  // The first matching entry of this table or its bases, or null.
  const Entry* FindMessage(UINT message) const;
  const Entry* FindCommand(UINT id, int code) const;
  const Entry* FindNotify(UINT id, int code) const;
  const Entry* FindReflectMessage(UINT message) const;
  const Entry* FindReflectNotify(int code) const;

 protected:
  void Add(Entry entry) { m_entries.push_back(std::move(entry)); }

 private:
  template <class Match>
  const Entry* Find(Match match) const;

  const CMessageMap* m_base;
  std::vector<Entry> m_entries;
};

// Builds the table of window class T. Member functions of T's bases are accepted too.
template <class T>
class CMessageMapBuilder : public CMessageMap {
 public:
  explicit CMessageMapBuilder(const CMessageMap* base) : CMessageMap(base) {}

  // Any message with its raw parameters: LRESULT OnX(WPARAM, LPARAM).
  CMessageMapBuilder& OnMessage(UINT message, LRESULT (T::*f)(WPARAM, LPARAM)) {
    return Raw(message, [f](CWnd& w, WPARAM wp, LPARAM lp) { return (Self(w).*f)(wp, lp); });
  }
  CMessageMapBuilder& OnRegisteredMessage(const UINT& message, LRESULT (T::*f)(WPARAM, LPARAM)) {
    Add({Kind::Registered, 0, &message, 0, 0, 0,
         [f](CWnd& w, WPARAM wp, LPARAM lp) { return (Self(w).*f)(wp, lp); }});
    return *this;
  }

  // Commands: void OnX() for one id.
  CMessageMapBuilder& OnCommand(UINT id, void (T::*f)()) {
    Add({Kind::Command, 0, nullptr, id, id, 0, Void([f](T& t, WPARAM, LPARAM) { (t.*f)(); })});
    return *this;
  }
  // The update handler of a command: void OnUpdateX(CCmdUI*), the record in lParam.
  CMessageMapBuilder& OnUpdateCommandUI(UINT id, void (T::*f)(CCmdUI*)) {
    Add({Kind::Control, 0, nullptr, id, id, CN_UPDATE_COMMAND_UI,
         Void([f](T& t, WPARAM, LPARAM lp) { (t.*f)(reinterpret_cast<CCmdUI*>(lp)); })});
    return *this;
  }
  // A control's WM_COMMAND notification: void OnX().
  CMessageMapBuilder& OnControl(UINT code, UINT id, void (T::*f)()) {
    Add({Kind::Control, 0, nullptr, id, id, int(code), Void([f](T& t, WPARAM, LPARAM) { (t.*f)(); })});
    return *this;
  }
  CMessageMapBuilder& OnBnClicked(UINT id, void (T::*f)()) { return OnControl(BN_CLICKED, id, f); }
  // WM_NOTIFY: void OnX(NMHDR*, LRESULT* result); the result is the reply of the send.
  CMessageMapBuilder& OnNotify(int code, UINT id, void (T::*f)(NMHDR*, LRESULT*)) {
    return OnNotifyRange(code, id, id, f);
  }
  CMessageMapBuilder& OnNotifyRange(int code, UINT first, UINT last, void (T::*f)(NMHDR*, LRESULT*)) {
    Add({Kind::Notify, 0, nullptr, first, last, code, NotifyThunk(f)});
    return *this;
  }

  // Reflection: the control handles its own notifications before its parent sees them.
  CMessageMapBuilder& OnNotifyReflect(int code, void (T::*f)(NMHDR*, LRESULT*)) {
    Add({Kind::ReflectNotify, 0, nullptr, 0, 0, code, NotifyThunk(f)});
    return *this;
  }
  // The control-colour messages reflected back: HBRUSH CtlColor(CDC*, UINT nCtlColor).
  CMessageMapBuilder& OnCtlColorReflect(HBRUSH (T::*f)(CDC*, UINT)) {
    for (UINT message = WM_CTLCOLORMSGBOX; message <= WM_CTLCOLORSTATIC; ++message) {
      Add({Kind::ReflectMessage, message, nullptr, 0, 0, 0, [f, message](CWnd& w, WPARAM wp, LPARAM) {
             return LRESULT((Self(w).*f)(CDC::FromHandle(HDC(wp)), message - WM_CTLCOLORMSGBOX));
           }});
    }
    return *this;
  }

  // Window messages with their unpacked arguments.
  CMessageMapBuilder& OnCreate(int (T::*f)(CREATESTRUCT*)) {
    return Raw(WM_CREATE, [f](CWnd& w, WPARAM, LPARAM lp) {
      return LRESULT((Self(w).*f)(reinterpret_cast<CREATESTRUCT*>(lp)));
    });
  }
  CMessageMapBuilder& OnDestroy(void (T::*f)()) { return Simple(WM_DESTROY, f); }
  CMessageMapBuilder& OnClose(void (T::*f)()) { return Simple(WM_CLOSE, f); }
  CMessageMapBuilder& OnPaint(void (T::*f)()) { return Simple(WM_PAINT, f); }
  CMessageMapBuilder& OnMouseLeave(void (T::*f)()) { return Simple(WM_MOUSELEAVE, f); }
  CMessageMapBuilder& OnEraseBkgnd(BOOL (T::*f)(CDC*)) {
    return Raw(WM_ERASEBKGND,
               [f](CWnd& w, WPARAM wp, LPARAM) { return LRESULT((Self(w).*f)(CDC::FromHandle(HDC(wp)))); });
  }
  CMessageMapBuilder& OnSize(void (T::*f)(UINT, int, int)) {
    return Raw(WM_SIZE, Void([f](T& t, WPARAM wp, LPARAM lp) {
                 (t.*f)(UINT(wp), LOWORD(DWORD(lp)), HIWORD(DWORD(lp)));
               }));
  }
  CMessageMapBuilder& OnLButtonDown(void (T::*f)(UINT, CPoint)) { return Mouse(WM_LBUTTONDOWN, f); }
  CMessageMapBuilder& OnLButtonUp(void (T::*f)(UINT, CPoint)) { return Mouse(WM_LBUTTONUP, f); }
  CMessageMapBuilder& OnLButtonDblClk(void (T::*f)(UINT, CPoint)) { return Mouse(WM_LBUTTONDBLCLK, f); }
  CMessageMapBuilder& OnRButtonDown(void (T::*f)(UINT, CPoint)) { return Mouse(WM_RBUTTONDOWN, f); }
  CMessageMapBuilder& OnRButtonUp(void (T::*f)(UINT, CPoint)) { return Mouse(WM_RBUTTONUP, f); }
  CMessageMapBuilder& OnMouseMove(void (T::*f)(UINT, CPoint)) { return Mouse(WM_MOUSEMOVE, f); }
  CMessageMapBuilder& OnMouseWheel(BOOL (T::*f)(UINT, short, CPoint)) {
    return Raw(WM_MOUSEWHEEL, [f](CWnd& w, WPARAM wp, LPARAM lp) {
      return LRESULT((Self(w).*f)(GET_KEYSTATE_WPARAM(wp), GET_WHEEL_DELTA_WPARAM(wp),
                                  CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp))));
    });
  }
  CMessageMapBuilder& OnKeyDown(void (T::*f)(UINT, UINT, UINT)) { return Key(WM_KEYDOWN, f); }
  CMessageMapBuilder& OnChar(void (T::*f)(UINT, UINT, UINT)) { return Key(WM_CHAR, f); }
  CMessageMapBuilder& OnSysKeyDown(void (T::*f)(UINT, UINT, UINT)) { return Key(WM_SYSKEYDOWN, f); }
  CMessageMapBuilder& OnSetFocus(void (T::*f)(CWnd*)) { return WndArg(WM_SETFOCUS, f); }
  CMessageMapBuilder& OnKillFocus(void (T::*f)(CWnd*)) { return WndArg(WM_KILLFOCUS, f); }
  CMessageMapBuilder& OnCaptureChanged(void (T::*f)(CWnd*)) {
    return Raw(WM_CAPTURECHANGED,
               Void([f](T& t, WPARAM, LPARAM lp) { (t.*f)(reinterpret_cast<CWnd*>(lp)); }));
  }
  // int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT mouseMessage): an MA_ answer.
  CMessageMapBuilder& OnMouseActivate(int (T::*f)(CWnd*, UINT, UINT)) {
    return Raw(WM_MOUSEACTIVATE, [f](CWnd& w, WPARAM wp, LPARAM lp) {
      return LRESULT((Self(w).*f)(reinterpret_cast<CWnd*>(wp), LOWORD(DWORD(lp)), HIWORD(DWORD(lp))));
    });
  }
  CMessageMapBuilder& OnTimer(void (T::*f)(UINT_PTR)) {
    return Raw(WM_TIMER, Void([f](T& t, WPARAM wp, LPARAM) { (t.*f)(UINT_PTR(wp)); }));
  }
  CMessageMapBuilder& OnSetCursor(BOOL (T::*f)(CWnd*, UINT, UINT)) {
    return Raw(WM_SETCURSOR, [f](CWnd& w, WPARAM wp, LPARAM lp) {
      return LRESULT((Self(w).*f)(reinterpret_cast<CWnd*>(wp), LOWORD(DWORD(lp)), HIWORD(DWORD(lp))));
    });
  }
  CMessageMapBuilder& OnContextMenu(void (T::*f)(CWnd*, CPoint)) {
    return Raw(WM_CONTEXTMENU, Void([f](T& t, WPARAM wp, LPARAM lp) {
                 (t.*f)(reinterpret_cast<CWnd*>(wp), CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)));
               }));
  }
  CMessageMapBuilder& OnHScroll(void (T::*f)(UINT, UINT, CScrollBar*)) { return Scroll(WM_HSCROLL, f); }
  CMessageMapBuilder& OnVScroll(void (T::*f)(UINT, UINT, CScrollBar*)) { return Scroll(WM_VSCROLL, f); }
  CMessageMapBuilder& OnGetDlgCode(UINT (T::*f)()) {
    return Raw(WM_GETDLGCODE, [f](CWnd& w, WPARAM, LPARAM) { return LRESULT((Self(w).*f)()); });
  }
  CMessageMapBuilder& OnMeasureItem(void (T::*f)(int, MEASUREITEMSTRUCT*)) {
    return Raw(WM_MEASUREITEM, Void([f](T& t, WPARAM wp, LPARAM lp) {
                 (t.*f)(int(wp), reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
               }));
  }
  CMessageMapBuilder& OnDrawItem(void (T::*f)(int, DRAWITEMSTRUCT*)) {
    return Raw(WM_DRAWITEM, Void([f](T& t, WPARAM wp, LPARAM lp) {
                 (t.*f)(int(wp), reinterpret_cast<DRAWITEMSTRUCT*>(lp));
               }));
  }

 private:
  static T& Self(CWnd& w) { return static_cast<T&>(w); }
  template <class F>
  static Handler Void(F f) {
    return [f](CWnd& w, WPARAM wp, LPARAM lp) {
      f(Self(w), wp, lp);
      return LRESULT(0);
    };
  }
  static Handler NotifyThunk(void (T::*f)(NMHDR*, LRESULT*)) {
    return [f](CWnd& w, WPARAM, LPARAM lp) {
      LRESULT result = 0;
      (Self(w).*f)(reinterpret_cast<NMHDR*>(lp), &result);
      return result;
    };
  }
  CMessageMapBuilder& Raw(UINT message, Handler handler) {
    Add({Kind::Message, message, nullptr, 0, 0, 0, std::move(handler)});
    return *this;
  }
  CMessageMapBuilder& Simple(UINT message, void (T::*f)()) {
    return Raw(message, Void([f](T& t, WPARAM, LPARAM) { (t.*f)(); }));
  }
  CMessageMapBuilder& Mouse(UINT message, void (T::*f)(UINT, CPoint)) {
    return Raw(message, Void([f](T& t, WPARAM wp, LPARAM lp) {
                 (t.*f)(UINT(wp), CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)));
               }));
  }
  CMessageMapBuilder& Key(UINT message, void (T::*f)(UINT, UINT, UINT)) {
    return Raw(message, Void([f](T& t, WPARAM wp, LPARAM lp) {
                 (t.*f)(UINT(wp), LOWORD(DWORD(lp)), HIWORD(DWORD(lp)));
               }));
  }
  CMessageMapBuilder& WndArg(UINT message, void (T::*f)(CWnd*)) {
    return Raw(message, Void([f](T& t, WPARAM wp, LPARAM) { (t.*f)(reinterpret_cast<CWnd*>(wp)); }));
  }
  CMessageMapBuilder& Scroll(UINT message, void (T::*f)(UINT, UINT, CScrollBar*)) {
    return Raw(message, Void([f](T& t, WPARAM wp, LPARAM lp) {
                 (t.*f)(LOWORD(DWORD(wp)), HIWORD(DWORD(wp)), reinterpret_cast<CScrollBar*>(lp));
               }));
  }
};

// In the class: the table of this class and the virtual that hands it to the dispatcher.
#define DECLARE_MESSAGE_MAP()                                                     \
 public:                                                                          \
  static const CMessageMap& ClassMessageMap();                                    \
  const CMessageMap& GetMessageMap() const override { return ClassMessageMap(); } \
                                                                                  \
 private:

// In the source: the table of `theClass`, chained to that of `baseClass`.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)     \
  const CMessageMap& theClass::ClassMessageMap() { \
    static const CMessageMap map = CMessageMapBuilder<theClass>(&baseClass::ClassMessageMap())
#define END_MESSAGE_MAP() \
  ;                       \
  return map;             \
  }
