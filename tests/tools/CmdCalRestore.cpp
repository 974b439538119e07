// zdtool cal-restore COM factory|last-used|info: runs the restore-calibration dialog modally
// (in factory mode for info) with a calibration document, types COM into its port field and,
// for factory and last-used, presses the restore button and answers Yes; for info it presses
// the hidden Show Cal Info button. Then Exit. Prints log=LINE per line of the dialog's log as
// shown, message= per box, and the document's identity, counters and validity flags as read
// at the last connection. Exits 0 when the restore, or the dump, went through.

#include <cstdio>
#include <string>

#include "calibration/RestoreCalDlg.h"
#include "calibration/VexalonDoc.h"
#include "device/DeviceThread.h"
#include "device/streamio/StreamIO.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/tools/EscapedText.h"
#include "tests/tools/LogLines.h"
#include "tests/tools/ZdTool.h"

namespace {

constexpr const char* kCalRestoreUsage = "COM factory|last-used|info";

enum class EAction { eFactory, eLastUsed, eInfo };

bool ParseAction(const std::string& text, EAction& action) {
  if (text == "factory")
    action = EAction::eFactory;
  else if (text == "last-used")
    action = EAction::eLastUsed;
  else if (text == "info")
    action = EAction::eInfo;
  else
    return false;
  return true;
}

// Plays the user in the restore dialog: the port typed, the action pressed, Exit.
class CRestoreUser : public CScriptedAnswers {
 public:
  CRestoreUser(const std::string& com, EAction action) : m_com(CString::FromUtf8(com)), m_action(action) {}

  bool OnModalDialog(const SModalDialogRequest& request) override {
    auto* dialog = dynamic_cast<CRestoreCalDlg*>(request.dialog);
    if (!dialog) return CScriptedAnswers::OnModalDialog(request);
    dialog->GetDlgItem(IDC_RESTORE_PORT)->SetWindowText(m_com);
    if (m_action == EAction::eInfo) {
      Click(*dialog, IDC_RESTORE_SHOW_CAL_INFO);
    } else {
      AddMessageBoxAnswer(IDYES);
      Click(*dialog, IDC_RESTORE_RUN);
    }
    log = LogLines(*dialog->GetDlgItem(IDC_RESTORE_LOG));
    Click(*dialog, IDCANCEL);
    return true;
  }

  std::vector<CString> log;

 private:
  static void Click(CWnd& dialog, int id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  CString m_com;
  EAction m_action;
};

bool Succeeded(EAction action, const std::vector<CString>& log) {
  const CString wanted = action == EAction::eInfo ? u"Parameter Data" : u"Successfully restored the ";
  bool found = false;
  for (const CString& line : log) {
    if (line.Find(u"Failed to switch to default protocol.") >= 0) return false;
    found = found || line.Find(wanted) >= 0;
  }
  return found;
}

void PrintDocument(const CVexalonDoc& doc) {
  const std::pair<const char*, const CString*> texts[] = {
      {"serial_number", &doc.m_serialNumber},
      {"hardware_revision", &doc.m_hardwareRevision},
      {"signature", &doc.m_signature},
      {"firmware_version", &doc.m_firmwareVersion},
      {"pcb_serial_number", &doc.m_pcbSerialNumber},
      {"calibration_date", &doc.m_calibrationDate},
      {"calibrator", &doc.m_calibrator},
  };
  for (const auto& [name, text] : texts) std::printf("%s=%s\n", name, EscapedText(*text).c_str());
  std::printf("lifetime_counter=%lld\ncalibration_counter=%lld\n",
              static_cast<long long>(doc.m_lifetimeCounter),
              static_cast<long long>(doc.m_calibrationCounter));
  std::printf("calibration_valid=%d\nfactory_calibration_valid=%d\nlast_used_calibration_valid=%d\n",
              doc.m_calibrationValid ? 1 : 0, doc.m_factoryCalibrationValid ? 1 : 0,
              doc.m_lastUsedCalibrationValid ? 1 : 0);
}

int RunCalRestore(const std::vector<std::string>& args) {
  EAction action = EAction::eFactory;
  if (args.size() != 2 || !ParseAction(args[1], action)) {
    std::fprintf(stderr, "usage: zdtool cal-restore %s\n", kCalRestoreUsage);
    return 2;
  }
  CUiApplication application;
  RegisterProgramResources(nullptr);
  StreamIO::InitStreamIO();
  if (!Device::StartDeviceThread()) {
    std::fprintf(stderr, "The device thread could not be started.\n");
    return 1;
  }
  CRestoreUser user(args[0], action);
  CVexalonDoc doc;
  doc.Reset();
  CRestoreCalDlg(action != EAction::eLastUsed, &doc, nullptr).DoModal();
  Device::StopDeviceThread();
  StreamIO::ExitStreamIO();
  for (const CString& line : user.log) std::printf("log=%s\n", EscapedText(line).c_str());
  for (const auto& box : user.GetMessageBoxes()) std::printf("message=%s\n", EscapedText(box.text).c_str());
  PrintDocument(doc);
  return Succeeded(action, user.log) ? 0 : 1;
}

const ZdCommandRegistrar kCalRestore({"cal-restore", kCalRestoreUsage, &RunCalRestore});

}  // namespace
