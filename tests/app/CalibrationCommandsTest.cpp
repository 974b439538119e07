#include <gtest/gtest.h>

#include <filesystem>

#include "calibration/VexalonDoc.h"
#include "resources/ResourceIds.h"
#include "tests/app/ShellFixture.h"

namespace {

TEST_F(ShellTest, TheRestoreCommandsRunTheRestoreDialogInTheirMode) {
  Start();
  std::vector<CString> captions;
  const auto look = [&captions](CWnd& dialog) {
    CString caption;
    dialog.GetDlgItem(IDC_RESTORE_RUN)->GetWindowText(caption);
    captions.push_back(caption);
  };
  answers.AddModalDialogScript(look);
  answers.AddModalDialogScript(look);
  Frame().SendMessage(WM_COMMAND, MAKEWPARAM(ID_RESTORE_FACTORY_CALIBRATION, 0), 0);
  Frame().SendMessage(WM_COMMAND, MAKEWPARAM(ID_RESTORE_LAST_CALIBRATION, 0), 0);
  const auto dialogs = answers.GetModalDialogs();
  ASSERT_EQ(dialogs.size(), 2u);
  EXPECT_EQ(dialogs[0].templateId, IDD_RESTORE_CALIBRATION);
  EXPECT_EQ(dialogs[0].caption, u"Restore Calibration");
  EXPECT_EQ(captions,
            (std::vector<CString>{u"Restore Factory Calibration", u"Restore Last Used Calibration"}));
}

TEST_F(ShellTest, TheCalibrationDialogsReportGoesToTheExternalCalibrationFile) {
  Start();
  CVexalonDoc& doc = Frame().GetCalibrationDocument();
  doc.Reset();
  doc.m_deviceName = u"ZD-2";
  doc.m_serialNumber = u"S1";
  doc.m_pcbSerialNumber = u"EN-7";
  doc.m_calibratorInfo.referenceSensorSerialNumber = u"R1";
  doc.m_reportText = u"Final Result: \vOK\r\n";
  Frame().SendMessage(WM_EXTERN_CAL_REPORT, 1, 1);
  const CString text = doc.m_exportText;
  EXPECT_NE(text.Find(u"\nPCB Serial Number:\tEN-7\nLifetime Counter:\t-1\n"), -1) << text.ToUtf8();
  EXPECT_NE(text.Find(u"\nFinal Result:\tOK\n"), -1) << text.ToUtf8();
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ProgramFolder() + "/TempLog"))
    files += entry.path().filename().string().rfind("ExternCal_R1_S1_", 0) == 0 ? 1 : 0;
  EXPECT_EQ(files, 1);
}

}  // namespace
