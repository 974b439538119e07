#pragma once
// What the project subcommands share: the device library is started, message boxes become lines
// on stderr (answered with their default button), and the user's date and time setting is taken
// from the settings store as the program takes it.

#include <cstdio>

#include "appbase/Registry.h"
#include "device/streamio/StreamIO.h"
#include "document/Units.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UserAnswers.h"

class CProjectSession : public CUserAnswerSink {
 public:
  CProjectSession() : m_previous(SetUserAnswerSink(this)) {
    StreamIO::InitStreamIO();
    DWORD setting = 0;
    if (CRegistry(kSettingsKey).ReadDWORD(u"DTFormat", setting)) SetDateTimeFormatSetting(setting);
  }
  ~CProjectSession() override {
    StreamIO::ExitStreamIO();
    SetUserAnswerSink(m_previous);
  }
  CProjectSession(const CProjectSession&) = delete;
  CProjectSession& operator=(const CProjectSession&) = delete;

  int OnMessageBox(const SMessageBoxRequest& request) override {
    std::fprintf(stderr, "%s\n", request.text.ToUtf8().c_str());
    return DefaultMessageBoxAnswer(request.type);
  }

 private:
  CUserAnswerSink* m_previous;
};
