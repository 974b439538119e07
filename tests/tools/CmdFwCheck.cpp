// zdtool fw-check PORTNAME: runs the firmware-update check for the ZD-2 at the port, with a
// window that receives its result, and waits for its end. Prints the server folder, the
// posted firmware version, the boxes shown, the thread's exit code and the stored counters.

#include <cstdio>
#include <string>

#include "platform/registry/RegistryStore.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"
#include "tests/tools/BoxLines.h"
#include "tests/tools/Zd2Connection.h"
#include "tests/tools/ZdTool.h"
#include "update/FwUpdateCheck.h"

namespace {

constexpr UINT kFirmwareMessage = WM_USER + 12;
constexpr DWORD kPollMs = 10;

class CFirmwareReceiver : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  bool m_bPosted = false;
  WPARAM m_wParam = 0;
  LPARAM m_lParam = 0;

 private:
  LRESULT OnFirmwareVersion(WPARAM wParam, LPARAM lParam) {
    m_bPosted = true;
    m_wParam = wParam;
    m_lParam = lParam;
    return 0;
  }
};

// clang-format off
BEGIN_MESSAGE_MAP(CFirmwareReceiver, CWnd)
  .OnMessage(kFirmwareMessage, &CFirmwareReceiver::OnFirmwareVersion)
END_MESSAGE_MAP()
// clang-format on

int RunFwCheck(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool fw-check PORTNAME\n");
    return 2;
  }
  CUiApplication application;
  CScriptedAnswers answers;
  auto device = ConnectZd2(args[0]);
  if (!device) return 1;
  CFirmwareReceiver receiver;
  receiver.CreateEx(0, nullptr, u"firmware", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
  CFwUpdateCheck check(&receiver, u"");
  if (!check.Start(device.get(), kFirmwareMessage, 0, 0)) {
    std::printf("The firmware check did not start.\n");
    return 1;
  }
  std::printf("folder=./DiVudodav/%s/\n", check.GetDeviceCodeText().ToUtf8().c_str());
  while (!check.WaitForEnd(0)) PumpMessages(kPollMs);
  PumpMessages();
  if (receiver.m_bPosted)
    std::printf("firmware=%u.%u.%u.%u\n", unsigned(LOWORD(receiver.m_wParam)),
                unsigned(HIWORD(receiver.m_wParam)), unsigned(LOWORD(receiver.m_lParam)),
                unsigned(HIWORD(receiver.m_lParam)));
  PrintMessageBoxes(answers.GetMessageBoxes());
  std::printf("exit_code=%d\n", int(check.GetExitCode()));
  CString count;
  CString max;
  RegGetString(check.GetRegistryKey(), u"FwUpdateFailCount", count);
  RegGetString(check.GetRegistryKey(), u"FwUpdateFailCountMax", max);
  std::printf("fail_count=%s\nfail_max=%s\n", count.ToUtf8().c_str(), max.ToUtf8().c_str());
  receiver.DestroyWindow();
  return 0;
}

const ZdCommandRegistrar kFwCheckRegistrar({"fw-check", "PORTNAME", &RunFwCheck});

}  // namespace
