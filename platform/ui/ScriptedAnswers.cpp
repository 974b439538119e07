#include "platform/ui/ScriptedAnswers.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/UiThread.h"

CScriptedAnswers::CScriptedAnswers() : m_previous(SetUserAnswerSink(this)) {}

CScriptedAnswers::~CScriptedAnswers() { SetUserAnswerSink(m_previous); }

void CScriptedAnswers::AddMessageBoxAnswer(int answer) {
  std::lock_guard lock(m_mutex);
  m_messageBoxAnswers.push_back(answer);
}

std::vector<CScriptedAnswers::SShownMessageBox> CScriptedAnswers::GetMessageBoxes() const {
  std::lock_guard lock(m_mutex);
  return m_messageBoxes;
}

std::vector<CString> CScriptedAnswers::GetMessageBoxTexts() const {
  std::lock_guard lock(m_mutex);
  std::vector<CString> texts;
  for (const SShownMessageBox& box : m_messageBoxes) texts.push_back(box.text);
  return texts;
}

int CScriptedAnswers::OnMessageBox(const SMessageBoxRequest& request) {
  std::lock_guard lock(m_mutex);
  m_messageBoxes.push_back({request.text, request.caption, request.type, IsUiThread()});
  if (m_messageBoxAnswers.empty()) return DefaultMessageBoxAnswer(request.type);
  int answer = m_messageBoxAnswers.front();
  m_messageBoxAnswers.pop_front();
  return answer;
}

void CScriptedAnswers::AddPopupMenuAnswer(UINT commandId) {
  std::lock_guard lock(m_mutex);
  m_popupMenuAnswers.push_back(commandId);
}

std::vector<SPopupMenuRequest> CScriptedAnswers::GetPopupMenus() const {
  std::lock_guard lock(m_mutex);
  return m_popupMenus;
}

UINT CScriptedAnswers::OnPopupMenu(const SPopupMenuRequest& request) {
  std::lock_guard lock(m_mutex);
  SPopupMenuRequest shown = request;
  shown.show = nullptr;
  m_popupMenus.push_back(std::move(shown));
  if (m_popupMenuAnswers.empty()) return 0;
  UINT answer = m_popupMenuAnswers.front();
  m_popupMenuAnswers.pop_front();
  return answer;
}

void CScriptedAnswers::AddModalDialogScript(DialogScript script) {
  std::lock_guard lock(m_mutex);
  m_dialogScripts.push_back(std::move(script));
}

std::vector<CScriptedAnswers::SShownDialog> CScriptedAnswers::GetModalDialogs() const {
  std::lock_guard lock(m_mutex);
  return m_dialogs;
}

bool CScriptedAnswers::OnModalDialog(const SModalDialogRequest& request) {
  RunNextDialogScript(request, false);
  return true;
}

void CScriptedAnswers::OnModelessDialogTurn(const SModalDialogRequest& request) {
  RunNextDialogScript(request, true);
}

void CScriptedAnswers::RunNextDialogScript(const SModalDialogRequest& request, bool modeless) {
  DialogScript script;
  {
    std::lock_guard lock(m_mutex);
    m_dialogs.push_back({request.templateId, request.caption, modeless});
    if (!m_dialogScripts.empty()) {
      script = std::move(m_dialogScripts.front());
      m_dialogScripts.pop_front();
    }
  }
  // The script runs unlocked: it may show message boxes, which record themselves here.
  if (script && request.dialog) script(*request.dialog);
}

void CScriptedAnswers::AddFileDialogAnswer(const CString& path) {
  std::lock_guard lock(m_mutex);
  m_fileDialogAnswers.push_back(path);
}

std::vector<SFileDialogRequest> CScriptedAnswers::GetFileDialogs() const {
  std::lock_guard lock(m_mutex);
  return m_fileDialogs;
}

bool CScriptedAnswers::OnFileDialog(const SFileDialogRequest& request, CString& path) {
  std::lock_guard lock(m_mutex);
  SFileDialogRequest shown = request;
  shown.show = nullptr;
  m_fileDialogs.push_back(std::move(shown));
  if (m_fileDialogAnswers.empty()) return false;
  path = m_fileDialogAnswers.front();
  m_fileDialogAnswers.pop_front();
  return !path.IsEmpty();
}

void CScriptedAnswers::AddPrintDialogAnswer(HDC printer, bool selectionOnly) {
  std::lock_guard lock(m_mutex);
  m_printDialogAnswers.push_back(SPrintDialogChoice{printer, selectionOnly});
}

std::vector<SPrintDialogRequest> CScriptedAnswers::GetPrintDialogs() const {
  std::lock_guard lock(m_mutex);
  return m_printDialogs;
}

SPrintDialogChoice CScriptedAnswers::OnPrintDialog(const SPrintDialogRequest& request) {
  std::lock_guard lock(m_mutex);
  SPrintDialogRequest shown = request;
  shown.show = nullptr;
  m_printDialogs.push_back(std::move(shown));
  if (m_printDialogAnswers.empty()) return SPrintDialogChoice{};
  const SPrintDialogChoice choice = m_printDialogAnswers.front();
  m_printDialogAnswers.pop_front();
  return choice;
}

void CScriptedAnswers::AddDragDropAnswer(CWnd* window, POINT point, DWORD keyState) {
  std::lock_guard lock(m_mutex);
  m_dragDropAnswers.push_back(SDropPlace{window, point, keyState});
}

int CScriptedAnswers::GetDragDropCount() const {
  std::lock_guard lock(m_mutex);
  return m_dragDrops;
}

DWORD CScriptedAnswers::OnDragDrop(const SDragDropRequest& request) {
  SDropPlace place{};
  {
    std::lock_guard lock(m_mutex);
    ++m_dragDrops;
    if (m_dragDropAnswers.empty()) return 0;
    place = m_dragDropAnswers.front();
    m_dragDropAnswers.pop_front();
  }
  // The drop runs the target's handlers, which may ask questions of their own.
  return request.dropAt ? request.dropAt(place.window, place.point, place.keyState) : 0;
}
