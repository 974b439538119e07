#pragma once
// The user-answer sink: everything that asks the user (message boxes; file dialogs and modal
// dialogs join it) goes through one sink, called on the UI thread. The program's sink shows
// the real dialogs; tests install a scripted sink (ScriptedAnswers.h), which records what was
// shown and answers as scripted, so that no test waits for a person.

#include <functional>
#include <vector>

#include "platform/base/String.h"
#include "platform/gdi/GdiTypes.h"

struct SMessageBoxRequest {
  void* owner;
  CString text;
  CString caption;
  UINT type;
};

// One entry of a popup menu as the user sees it; the entries of a popup an item opens follow
// that item with a depth one greater.
struct SPopupMenuItem {
  UINT id = 0;     // command id; 0 for separators and popup entries
  CString text;    // empty for owner-drawn items
  UINT state = 0;  // the MF_ flags (MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_CHECKED, MF_OWNERDRAW, ...)
  int depth = 0;
};

struct SPopupMenuRequest {
  void* owner = nullptr;  // the owner window
  int x = 0, y = 0;       // screen position
  UINT flags = 0;         // TPM_ flags
  std::vector<SPopupMenuItem> items;
  // Shows the popup to the user and returns the chosen command id, 0 when none was chosen.
  std::function<UINT()> show;
};

class CWnd;

// A modal dialog that has been created and initialised and waits for the user, or a modeless
// one that has come to its user's turn.
struct SModalDialogRequest {
  CWnd* dialog = nullptr;
  UINT templateId = 0;
  CString caption;
};

// A file-open or file-save dialog (FileDialog.h) about to ask for a path.
struct SFileDialogRequest {
  bool open = true;  // false: a save dialog
  CString title;
  CString initialDir;
  CString fileName;  // the proposed name
  CString defaultExt;
  CString filter;   // "Name|*.ext|...||"
  DWORD flags = 0;  // OFN_ flags
  // Shows the dialog to the user; true with the chosen path, false when cancelled.
  std::function<bool(CString& path)> show;
};

// What the user chose in the print dialog: a printer context (null when cancelled) and whether
// only the selection is to be printed.
struct SPrintDialogChoice {
  HDC printer = nullptr;
  bool selectionOnly = false;
};

// The print dialog (PrintDialog.h) about to ask for a printer.
struct SPrintDialogRequest {
  void* owner = nullptr;
  DWORD flags = 0;  // PD_ flags
  // Shows the dialog to the user; the chosen printer's context, which the dialog keeps and
  // deletes, or none when cancelled.
  std::function<SPrintDialogChoice()> show;
};

// A drag of data that the program started (OleDataSource.h), about to be dropped somewhere.
struct SDragDropRequest {
  DWORD allowedEffects = 0;  // DROPEFFECT_ flags
  // Lets the user drag and drop with the toolkit; the effect of the drop, 0 when cancelled.
  std::function<DWORD()> show;
  // Drops the data on a window at a point of its client area with the key state (MK_ flags),
  // as the window system would; the effect of the drop.
  std::function<DWORD(CWnd* window, POINT point, DWORD keyState)> dropAt;
};

class CUserAnswerSink {
 public:
  virtual ~CUserAnswerSink() = default;
  // Shows the box and returns the identifier of the button that closed it.
  virtual int OnMessageBox(const SMessageBoxRequest& request) = 0;
  // Tracks a popup menu and returns the chosen command id, 0 when none was chosen; only an
  // enabled command of the menu counts. The program's sink shows the popup.
  virtual UINT OnPopupMenu(const SPopupMenuRequest& request) { return request.show ? request.show() : 0; }
  // A modal dialog is up. True when the sink has dealt with it (ended it, or left it to be
  // cancelled); false lets the user work the dialog in its own loop.
  virtual bool OnModalDialog(const SModalDialogRequest& /*request*/) { return false; }
  // A modeless dialog has come to the point where it waits for the user (CDialog::AwaitUser);
  // the user works it in the program's own loop, so the program's sink does nothing.
  virtual void OnModelessDialogTurn(const SModalDialogRequest& /*request*/) {}
  // Asks for a file path; true with the path, false when the user cancelled.
  virtual bool OnFileDialog(const SFileDialogRequest& request, CString& path) {
    return request.show && request.show(path);
  }
  // Asks for a printer; its context, or none when the user cancelled. A context that the sink
  // makes itself stays the sink's: the dialog only borrows it.
  virtual SPrintDialogChoice OnPrintDialog(const SPrintDialogRequest& request) {
    return request.show ? request.show() : SPrintDialogChoice{};
  }
  // Drags data the program offers; the effect of the drop, 0 when cancelled.
  virtual DWORD OnDragDrop(const SDragDropRequest& request) { return request.show ? request.show() : 0; }
};

// The sink in use: the one set last, else the interactive one.
CUserAnswerSink& GetUserAnswerSink();
// Sets the sink (none: back to the interactive one) and returns the one set before, or
// nullptr when that was the interactive one. The sink is borrowed, not owned.
CUserAnswerSink* SetUserAnswerSink(CUserAnswerSink* sink);
