#include "platform/ui/UserAnswers.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <atomic>
#include <cstdio>
#include <map>

#include "platform/gdi/QtString.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UiThread.h"

namespace {

struct SButtonLook {
  int id;
  const char* text;
  QMessageBox::ButtonRole role;
};

constexpr SButtonLook kButtons[] = {
    {IDOK, "OK", QMessageBox::AcceptRole},
    {IDCANCEL, "Cancel", QMessageBox::RejectRole},
    {IDABORT, "&Abort", QMessageBox::RejectRole},
    {IDRETRY, "&Retry", QMessageBox::AcceptRole},
    {IDIGNORE, "&Ignore", QMessageBox::AcceptRole},
    {IDYES, "&Yes", QMessageBox::YesRole},
    {IDNO, "&No", QMessageBox::NoRole},
    {IDTRYAGAIN, "&Try Again", QMessageBox::AcceptRole},
    {IDCONTINUE, "&Continue", QMessageBox::AcceptRole},
};

QMessageBox::Icon IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONSTOP:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

// The program's sink: a modal Qt message box on the UI thread.
class CInteractiveAnswers : public CUserAnswerSink {
 public:
  int OnMessageBox(const SMessageBoxRequest& request) override {
    // Without a user interface (a command-line tool, or after the UI application ended) the
    // text goes to standard error and the default button answers: widgets may only be made
    // on the UI thread.
    if (!IsUiThread()) {
      std::fprintf(stderr, "%s: %s\n", request.caption.ToUtf8().c_str(), request.text.ToUtf8().c_str());
      return DefaultMessageBoxAnswer(request.type);
    }
    CString text = request.text;
    text.Replace(u"\r\n", u"\n");
    QMessageBox box(IconOf(request.type), ToQString(request.caption), ToQString(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    std::map<QAbstractButton*, int> answers;
    const int defaultAnswer = DefaultMessageBoxAnswer(request.type);
    const int escapeAnswer = EscapeMessageBoxAnswer(request.type);
    for (int id : MessageBoxButtons(request.type)) {
      for (const auto& look : kButtons) {
        if (look.id != id) continue;
        QPushButton* button = box.addButton(QString::fromUtf8(look.text), look.role);
        answers[button] = id;
        if (id == defaultAnswer) box.setDefaultButton(button);
        if (id == escapeAnswer) box.setEscapeButton(button);
      }
    }
    box.exec();
    auto it = answers.find(box.clickedButton());
    return it != answers.end() ? it->second : escapeAnswer;
  }
};

CInteractiveAnswers g_interactive;
std::atomic<CUserAnswerSink*> g_sink{nullptr};

}  // namespace

CUserAnswerSink& GetUserAnswerSink() {
  CUserAnswerSink* sink = g_sink.load();
  return sink ? *sink : g_interactive;
}

CUserAnswerSink* SetUserAnswerSink(CUserAnswerSink* sink) { return g_sink.exchange(sink); }
