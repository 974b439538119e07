#pragma once
// The connection holder and the wizard in a test: the program's resources and device classes,
// the device thread, scripted answers, and simulated ZD-2s on pseudo-terminals mapped to COM
// numbers. Time runs twenty times faster.

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>

#include "connection/DevFoundPage.h"
#include "connection/DevSelectSheet.h"
#include "connection/PortSelectPage.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "tests/sim/Peer.h"
#include "tests/sim/zd2/Zd2Simulator.h"
#include "tests/support/TimeScaleOverride.h"

class ConnectionTest : public ::testing::Test {
 protected:
  ConnectionTest();
  ~ConnectionTest() override;

  // A simulated ZD-2 with the identity (the default one when empty) at the COM number.
  Sim::CZd2Simulator& StartZd2AtCom(int com, const std::string& identity = {});
  void StopSimulators();

  // A wizard script for the port page: Serial at the COM number (0: the remembered choices),
  // Next, then waits for the search's end and presses Finish when an instrument was found,
  // else Cancel. What the found page listed is kept in m_found.
  CScriptedAnswers::DialogScript SerialScript(int com);
  // Waits, running the posted messages, until the found page has handled the search's end.
  static void AwaitSearchEnd(CDevFoundPage& page);
  static std::vector<CString> Entries(CWnd& page, int comboId);

  CTimeScaleOverride m_timeScale;
  CUiApplication m_application;
  CScriptedAnswers m_answers;
  std::vector<CString> m_found;

 private:
  std::deque<Sim::CZd2Simulator> m_zd2s;
  std::deque<std::unique_ptr<Sim::CPeer>> m_peers;
};
