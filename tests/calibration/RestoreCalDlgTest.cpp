#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "appbase/Registry.h"
#include "calibration/RestoreCalDlg.h"
#include "calibration/VexalonDoc.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/calibration/Zd2OnComPort.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

constexpr int kCom = 62;
constexpr char16_t kCom62[] = u"62";

// The restore dialog with the device thread running and a simulated ZD-2 of current firmware on
// a pseudo-terminal mapped to COM 62. Time runs twenty times faster.
class RestoreDialog : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale{20};
  CUiApplication application;
  CScriptedAnswers answers;

  void SetUp() override {
    RegisterProgramResources(nullptr);
    ASSERT_TRUE(m_instrument.StartLayers());
    m_zd2.SetIdentity("ZD-2;2;VN02-123-4567;0C000102;1.6.3");
  }

  void TearDown() override { m_instrument.StopAll(); }

  void StartSimulator() { ASSERT_TRUE(m_instrument.StartSimulator()); }

  // Runs the dialog with the port typed and the steps in place of the user, then Exit; the
  // log's text as it was before Exit, its lines ended by CR LF as the control gives them.
  CString Run(bool factoryMode, const CString& port, const std::function<void(CRestoreCalDlg&)>& steps) {
    CString log;
    answers.AddModalDialogScript([&](CWnd& shown) {
      auto& dialog = static_cast<CRestoreCalDlg&>(shown);
      dialog.SetDlgItemText(IDC_RESTORE_PORT, port);
      steps(dialog);
      log = dialog.GetDlgItem(IDC_RESTORE_LOG)->GetWindowTextString();
      Click(dialog, IDCANCEL);
    });
    CRestoreCalDlg(factoryMode, &m_doc, nullptr).DoModal();
    return log;
  }

  static void Click(CWnd& dialog, int id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  CZd2OnComPort m_instrument{kCom};
  Sim::CZd2Simulator& m_zd2 = m_instrument.zd2;
  CVexalonDoc m_doc;
};

TEST_F(RestoreDialog, ThePortTypedBeforeExitIsShownAtTheNextOpening) {
  Run(true, u"7", [](CRestoreCalDlg& dialog) {
    CString caption;
    dialog.GetDlgItem(IDC_RESTORE_RUN)->GetWindowText(caption);
    EXPECT_EQ(caption, u"Restore Factory Calibration");
    EXPECT_EQ(dialog.GetPortNumber(), -1);
  });
  CString shown;
  answers.AddModalDialogScript([&shown](CWnd& dialog) {
    dialog.GetDlgItem(IDC_RESTORE_PORT)->GetWindowText(shown);
    CString caption;
    dialog.GetDlgItem(IDC_RESTORE_RUN)->GetWindowText(caption);
    EXPECT_EQ(caption, u"Restore Last Used Calibration");
  });
  CRestoreCalDlg(false, &m_doc, nullptr).DoModal();
  EXPECT_EQ(shown, u"7");
}

TEST_F(RestoreDialog, AnEmptyPortStopsAtItsBoxAndNoLeavesEverythingAlone) {
  StartSimulator();
  m_doc.Reset();
  m_doc.m_deviceName = u"untouched";
  answers.AddMessageBoxAnswer(IDYES);
  answers.AddMessageBoxAnswer(IDOK);
  answers.AddMessageBoxAnswer(IDNO);
  const CString log = Run(true, u"", [](CRestoreCalDlg& dialog) {
    Click(dialog, IDC_RESTORE_RUN);
    dialog.SetDlgItemText(IDC_RESTORE_PORT, kCom62);
    Click(dialog, IDC_RESTORE_RUN);
  });
  EXPECT_EQ(answers.GetMessageBoxTexts(),
            (std::vector<CString>{u"Are you sure you want to restore Factory Calibration?",
                                  u"ZD-2 device port number must be 0 or higher.",
                                  u"Are you sure you want to restore Factory Calibration?"}));
  EXPECT_TRUE(log.IsEmpty());
  EXPECT_EQ(m_doc.m_deviceName, u"untouched");
  EXPECT_TRUE(m_instrument.Peer().Transcript().empty());
}

// A port text that holds no port number, because the number is too large for one or not a
// number at all, is refused as the empty text is, and stored as 0 at Exit.
TEST_F(RestoreDialog, APortTextThatHoldsNoPortNumberStopsAtItsBox) {
  StartSimulator();
  for (const CString& port : {CString(u"4294967299"), CString(u"99999999999999999999"), CString(u"12abc")}) {
    answers.AddMessageBoxAnswer(IDYES);
    answers.AddMessageBoxAnswer(IDOK);
    const CString log = Run(true, port, [](CRestoreCalDlg& dialog) { Click(dialog, IDC_RESTORE_RUN); });
    EXPECT_TRUE(log.IsEmpty()) << port.ToUtf8() << ": " << log.ToUtf8();
    DWORD stored = 7;
    EXPECT_TRUE(CRegistry(kSettingsKey).ReadDWORD(u"VexaPortNum", stored));
    EXPECT_EQ(stored, 0u) << port.ToUtf8();
  }
  const std::vector<CString> boxes = answers.GetMessageBoxTexts();
  EXPECT_EQ(std::count(boxes.begin(), boxes.end(), CString(u"ZD-2 device port number must be 0 or higher.")),
            3);
  EXPECT_TRUE(m_instrument.Peer().Transcript().empty());
}

TEST_F(RestoreDialog, RestoresTheLastUsedCopyOfTheInstrument) {
  std::vector<BYTE> copy = m_zd2.LastUsedCopy();
  copy[0x12] = 0x74;  // the first slope 10100 = 0x2774
  copy[0x13] = 0x27;
  m_zd2.SetLastUsedCopy(copy);
  StartSimulator();
  answers.AddMessageBoxAnswer(IDYES);
  const CString log = Run(false, kCom62, [](CRestoreCalDlg& dialog) {
    Click(dialog, IDC_RESTORE_RUN);
    EXPECT_EQ(dialog.GetPortNumber(), kCom);
    EXPECT_TRUE(dialog.GetConnection()->IsConnected());
  });
  EXPECT_EQ(
      log,
      u"1) ...Connecting ...\r\n2) ...Connected\r\n3) Successfully restored the Last Used Calibration.\r\n");
  EXPECT_EQ(m_zd2.InfoMemory()[0x12], 0x74);
  EXPECT_EQ(m_doc.m_serialNumber, u"VN02-123-4567");
  EXPECT_EQ(m_doc.m_device, nullptr) << "Exit took the device away";
}

TEST_F(RestoreDialog, TheDumpReportsACounterThatDiffersFromTheConnectionsOne) {
  m_zd2.SetQueryAnswer("@CB@", "07000000");
  StartSimulator();
  const CString log =
      Run(true, kCom62, [](CRestoreCalDlg& dialog) { Click(dialog, IDC_RESTORE_SHOW_CAL_INFO); });
  // 5 lines before the raw dump, 47 raw lines, a heading and 24 decoded lines.
  EXPECT_NE(log.Find(u"\r\n53) ...Parameter Data\r\n54) ......CAL_ID: 0xA5A53CC3\r\n"), -1) << log.ToUtf8();
  EXPECT_NE(log.Find(u"\r\n77) ......CAL_SLOPE 20:  1.00000   CAL_OFFSET 20:      0\r\n"
                     u"78) ...Mismatch Calibration Counter: 7 vs 3735928559 \r\n"),
            -1)
      << log.ToUtf8();
  EXPECT_EQ(log.Find(u"Mismatch Lifetime"), -1);
  EXPECT_FALSE(m_zd2.InDebugProtocol()) << "the dump leaves the debug protocol";
}

TEST_F(RestoreDialog, OldFirmwareIsRefusedWithItsBoxAndNothingIsConnected) {
  m_zd2.SetIdentity("ZD-2;2;VN02-123-4567;0C000102;1.6.2");
  StartSimulator();
  answers.AddMessageBoxAnswer(IDYES);
  // The box waits for the user-interface thread, which polls the connection until its time-out.
  const CString log = Run(true, kCom62, [](CRestoreCalDlg& dialog) { Click(dialog, IDC_RESTORE_RUN); });
  EXPECT_EQ(log, u"1) ...Connecting ...\r\n2) ...Not connected\r\n");
  EXPECT_EQ(
      answers.GetMessageBoxTexts().back(),
      u"The test can not be continued!!! You need to update the ZD-2 firmware to version 1.6.3 or higher. "
      u"Your current firmware version is 1.6.2.");
}

}  // namespace
