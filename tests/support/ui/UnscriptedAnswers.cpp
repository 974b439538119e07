#include "tests/support/ui/UnscriptedAnswers.h"

#include <gtest/gtest.h>

#include "platform/ui/MessageBox.h"

CUnscriptedAnswers::CUnscriptedAnswers() : m_previous(SetUserAnswerSink(this)) {}

CUnscriptedAnswers::~CUnscriptedAnswers() { SetUserAnswerSink(m_previous); }

int CUnscriptedAnswers::OnMessageBox(const SMessageBoxRequest& request) {
  ADD_FAILURE() << "a message box nobody scripted: \"" << request.caption.ToUtf8() << "\": \""
                << request.text.ToUtf8() << "\"";
  // A box without a way to cancel it (Yes/No) takes its default button.
  const int cancel = EscapeMessageBoxAnswer(request.type);
  return cancel ? cancel : DefaultMessageBoxAnswer(request.type);
}

UINT CUnscriptedAnswers::OnPopupMenu(const SPopupMenuRequest& request) {
  ADD_FAILURE() << "a popup menu nobody scripted, with " << request.items.size() << " items";
  return 0;
}

bool CUnscriptedAnswers::OnModalDialog(const SModalDialogRequest& request) {
  ADD_FAILURE() << "a modal dialog nobody scripted: template " << request.templateId << ", \""
                << request.caption.ToUtf8() << "\"";
  return true;
}

SPrintDialogChoice CUnscriptedAnswers::OnPrintDialog(const SPrintDialogRequest&) {
  ADD_FAILURE() << "a print dialog nobody scripted";
  return SPrintDialogChoice{};
}

DWORD CUnscriptedAnswers::OnDragDrop(const SDragDropRequest&) {
  ADD_FAILURE() << "a drag nobody scripted";
  return 0;
}

bool CUnscriptedAnswers::OnFileDialog(const SFileDialogRequest& request, CString&) {
  ADD_FAILURE() << "a file " << (request.open ? "open" : "save") << " dialog nobody scripted: \""
                << request.title.ToUtf8() << "\"";
  return false;
}
