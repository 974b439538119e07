#include "platform/ui/MessageBox.h"

#include <algorithm>

#include "platform/ui/UiThread.h"
#include "platform/ui/UserAnswers.h"

int MessageBox(void* owner, const CString& text, const CString& caption, UINT type) {
  const SMessageBoxRequest request{owner, text, caption, type};
  int answer = 0;
  RunOnUiThreadAndWait([&] { answer = GetUserAnswerSink().OnMessageBox(request); });
  return answer;
}

std::vector<int> MessageBoxButtons(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE:
      return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default:
      return {IDOK};
  }
}

int DefaultMessageBoxAnswer(UINT type) {
  const std::vector<int> buttons = MessageBoxButtons(type);
  const size_t index = (type & MB_DEFMASK) >> 8;
  return index < buttons.size() ? buttons[index] : buttons.front();
}

int EscapeMessageBoxAnswer(UINT type) {
  const std::vector<int> buttons = MessageBoxButtons(type);
  if (std::find(buttons.begin(), buttons.end(), IDCANCEL) != buttons.end()) return IDCANCEL;
  return buttons.size() == 1 ? buttons.front() : 0;
}
