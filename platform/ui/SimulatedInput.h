#pragma once
// Input as the window system delivers it, for tests (which do not include the toolkit): each
// call builds the toolkit event and hands it to the window's widget, so that the event takes
// the same path to the window's messages as real input does. Coordinates are client pixels.

#include "platform/base/String.h"
#include "platform/gdi/Geometry.h"
#include "platform/ui/Wnd.h"

enum class SimulatedMouseAction { Press, Release, DoubleClick, Move };

// Alt held with a simulated key; the mouse flags have no bit for it.
constexpr UINT SIMULATED_ALT = 0x1000;

// button: VK_LBUTTON, VK_RBUTTON or VK_MBUTTON (ignored for Move); modifiers: MK_SHIFT and
// MK_CONTROL; held: the MK_ buttons down after the event.
void SimulateMouse(CWnd* wnd, SimulatedMouseAction action, UINT button, CPoint point, UINT modifiers,
                   UINT held);
// Mouse input at a screen point, delivered as real input is: to the window that holds the
// capture, else to the window under the point (WindowFromPoint); the pointer moves there, so
// that GetCursorPos and GetMessagePos report it.
void SimulateMouseAtScreen(SimulatedMouseAction action, UINT button, CPoint screen, UINT modifiers, UINT held);
// A click: press and release of the left button.
void SimulateClick(CWnd* wnd, CPoint point);
void SimulateWheel(CWnd* wnd, int delta, CPoint point, UINT modifiers);
void SimulateMouseEnter(CWnd* wnd);
void SimulateMouseLeave(CWnd* wnd);
// The mouse resting at the point long enough for a tool tip.
void SimulateHover(CWnd* wnd, CPoint point);
// A key by its virtual key with the text it types (empty for keys that type nothing);
// modifiers: MK_SHIFT, MK_CONTROL and SIMULATED_ALT.
void SimulateKey(CWnd* wnd, UINT virtualKey, bool press, const CString& text, UINT modifiers = 0,
                 bool autoRepeat = false);
// A key stroke as the window system delivers it: to the popup menu that is open, else to the
// window with the keyboard focus (or the active window). The modifiers' keys (MK_SHIFT,
// MK_CONTROL, SIMULATED_ALT) go down before the key and up after it, as a user types Alt+F;
// VK_MENU alone is the Alt key pressed and released. Letters, digits, space, Return, Escape,
// Tab and Backspace type their characters.
void SimulateKeyStroke(UINT virtualKey, UINT modifiers = 0);
// A press and release typing the text.
void SimulateTyping(CWnd* wnd, UINT virtualKey, const CString& text);
// Works the window's scroll bar (SB_HORZ, SB_VERT; SB_CTL for a scroll-bar control) as a user would:
// SB_LINEUP/DOWN, SB_PAGEUP/DOWN, SB_TOP/BOTTOM, SB_THUMBTRACK to `pos` (dragging) and SB_THUMBPOSITION
// (releasing the thumb).
void SimulateScrollBar(CWnd* wnd, int bar, UINT code, int pos = 0);
// Runs the user-interface thread's pending events (posted messages, timers, paints) for the
// given scaled milliseconds, or once when 0.
void PumpMessages(DWORD milliseconds = 0);
