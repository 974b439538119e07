#pragma once
// Message boxes with the platform's styles and answers. Every box goes through the user-answer
// sink (UserAnswers.h) on the UI thread; a call from another thread waits for the answer.

#include <vector>

#include "platform/base/String.h"

// Buttons (the low four bits of the style).
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_CANCELTRYCONTINUE = 0x6;
constexpr UINT MB_TYPEMASK = 0xF;

// Icons.
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0xF0;

// Default button.
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFBUTTON4 = 0x300;
constexpr UINT MB_DEFMASK = 0xF00;

// Modality and placement; every box here is modal to the application.
constexpr UINT MB_APPLMODAL = 0x0000;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_SETFOREGROUND = 0x10000;
constexpr UINT MB_TOPMOST = 0x40000;

// Answers: the identifier of the button that closed the box.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDTRYAGAIN = 10;
constexpr int IDCONTINUE = 11;

// Shows the box and returns the pressed button's identifier, 0 when the box could not be
// shown. `owner` is the window the box belongs to, or none.
int MessageBox(void* owner, const CString& text, const CString& caption, UINT type);

// The buttons of a style, left to right.
std::vector<int> MessageBoxButtons(UINT type);
// The button that Enter presses: the MB_DEFBUTTONn of the style, else the first.
int DefaultMessageBoxAnswer(UINT type);
// The answer when the box is closed without a button (Escape, the close box): Cancel when the
// box has one, OK for a box with OK alone, else 0 (the box cannot be closed so).
int EscapeMessageBoxAnswer(UINT type);
