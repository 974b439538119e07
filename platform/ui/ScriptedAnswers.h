#pragma once
// The user-answer sink of tests: while it lives it replaces the sink in use, records every
// box shown and answers with the scripted answers in order; once they run out, each box is
// answered with its default button. Popup menus are recorded the same way and answered with
// the scripted command ids in order; once they run out, a popup is dismissed (command 0).
// Modal dialogs are recorded and handed to the scripts in order, which drive the dialog by its
// control ids (set texts, click buttons); a dialog still open after its script, or without
// one, is cancelled as if Escape had been pressed. A modeless dialog's turn (CDialog::AwaitUser)
// is recorded in the same list and takes the next script from the same queue; the dialog stays
// as the script leaves it.

#include <deque>
#include <mutex>
#include <vector>

#include "platform/ui/UserAnswers.h"

class CScriptedAnswers : public CUserAnswerSink {
 public:
  struct SShownMessageBox {
    CString text;
    CString caption;
    UINT type;
    bool onUiThread;  // the box was shown on the UI thread
  };

  CScriptedAnswers();
  ~CScriptedAnswers() override;
  CScriptedAnswers(const CScriptedAnswers&) = delete;
  CScriptedAnswers& operator=(const CScriptedAnswers&) = delete;

  void AddMessageBoxAnswer(int answer);
  std::vector<SShownMessageBox> GetMessageBoxes() const;
  // Just the texts of the boxes shown, in order.
  std::vector<CString> GetMessageBoxTexts() const;
  void AddPopupMenuAnswer(UINT commandId);
  // The popups shown, each with its items, position, flags and owner (show left empty).
  std::vector<SPopupMenuRequest> GetPopupMenus() const;

  struct SShownDialog {
    UINT templateId;
    CString caption;
    bool modeless = false;  // a modeless dialog's turn
  };
  using DialogScript = std::function<void(CWnd& dialog)>;
  void AddModalDialogScript(DialogScript script);
  std::vector<SShownDialog> GetModalDialogs() const;

  // Answers the next file dialog with the path; an empty path cancels it. Without an answer a
  // file dialog is cancelled.
  void AddFileDialogAnswer(const CString& path);
  // The file dialogs shown (show left empty).
  std::vector<SFileDialogRequest> GetFileDialogs() const;

  // Answers the next print dialog with the printer context (borrowed; null cancels) and the
  // choice of printing only the selection. Without an answer a print dialog is cancelled.
  void AddPrintDialogAnswer(HDC printer, bool selectionOnly = false);
  // The print dialogs shown (show left empty).
  std::vector<SPrintDialogRequest> GetPrintDialogs() const;

  // Drops the next drag the program starts on the window at the client point with the key
  // state (MK_ flags). Without an answer a drag is cancelled.
  void AddDragDropAnswer(CWnd* window, POINT point, DWORD keyState = 0);
  // The drags started so far.
  int GetDragDropCount() const;

  int OnMessageBox(const SMessageBoxRequest& request) override;
  UINT OnPopupMenu(const SPopupMenuRequest& request) override;
  bool OnModalDialog(const SModalDialogRequest& request) override;
  void OnModelessDialogTurn(const SModalDialogRequest& request) override;
  bool OnFileDialog(const SFileDialogRequest& request, CString& path) override;
  SPrintDialogChoice OnPrintDialog(const SPrintDialogRequest& request) override;
  DWORD OnDragDrop(const SDragDropRequest& request) override;

 private:
  void RunNextDialogScript(const SModalDialogRequest& request, bool modeless);

  mutable std::mutex m_mutex;
  std::deque<int> m_messageBoxAnswers;
  std::vector<SShownMessageBox> m_messageBoxes;
  std::deque<UINT> m_popupMenuAnswers;
  std::vector<SPopupMenuRequest> m_popupMenus;
  std::deque<DialogScript> m_dialogScripts;
  std::vector<SShownDialog> m_dialogs;
  std::deque<CString> m_fileDialogAnswers;
  std::vector<SFileDialogRequest> m_fileDialogs;
  std::deque<SPrintDialogChoice> m_printDialogAnswers;
  std::vector<SPrintDialogRequest> m_printDialogs;
  struct SDropPlace {
    CWnd* window;
    POINT point;
    DWORD keyState;
  };
  std::deque<SDropPlace> m_dragDropAnswers;
  int m_dragDrops = 0;
  CUserAnswerSink* m_previous;
};
