#pragma once
// The user-answer sink that test programs with a user interface install for their whole run:
// a message box, popup menu, modal dialog, file dialog or print dialog that no test scripted
// fails the running test and is answered at once as if the user had cancelled it, so that
// nothing waits for a person. Tests that expect questions install their own scripted sink over it.

#include "platform/ui/UserAnswers.h"

class CUnscriptedAnswers : public CUserAnswerSink {
 public:
  CUnscriptedAnswers();
  ~CUnscriptedAnswers() override;
  CUnscriptedAnswers(const CUnscriptedAnswers&) = delete;
  CUnscriptedAnswers& operator=(const CUnscriptedAnswers&) = delete;

  int OnMessageBox(const SMessageBoxRequest& request) override;
  UINT OnPopupMenu(const SPopupMenuRequest& request) override;
  bool OnModalDialog(const SModalDialogRequest& request) override;
  bool OnFileDialog(const SFileDialogRequest& request, CString& path) override;
  SPrintDialogChoice OnPrintDialog(const SPrintDialogRequest& request) override;
  DWORD OnDragDrop(const SDragDropRequest& request) override;

 private:
  CUserAnswerSink* m_previous;
};
