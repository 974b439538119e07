#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "calibration/RestoreCalDlg.h"
#include "calibration/VexalonDoc.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/resources/DialogLayoutRules.h"

namespace {

class RestoreDialogOnScreen : public ::testing::Test {
 protected:
  RestoreDialogOnScreen() {
    RegisterProgramResources(nullptr);
    if (const char* folder = std::getenv("ZD_PICTURE_FOLDER")) {
      m_pictures = folder;
      std::filesystem::create_directories(m_pictures);
    }
  }

  // Runs the dialog until the script has looked at it with a log of one restore: the layout
  // rules hold as it shows, and its picture is kept; on a real display also as the screen
  // shows it.
  void Look(bool factoryMode, const std::string& name) {
    answers.AddModalDialogScript([this, name](CWnd& shown) {
      auto& dialog = static_cast<CRestoreCalDlg&>(shown);
      EXPECT_FALSE(dialog.GetDlgItem(IDC_RESTORE_SHOW_CAL_INFO)->IsWindowVisible());
      auto* log = static_cast<CColorRichEditCtrl*>(dialog.GetDlgItem(IDC_RESTORE_LOG));
      log->AddLine(1, u"Connecting ...", true);
      log->AddLine(1, u"Connected", true);
      log->AddLine(
          3, u"Failed to restore the Factory Calibration because a valid calibration was not available.",
          true);
      const std::vector<std::string> faults = FindLayoutFaults(dialog);
      for (const std::string& fault : faults) ADD_FAILURE() << name << ": " << fault;
      if (m_pictures.empty()) return;
      EXPECT_TRUE(SaveWindowImage(shown.GetSafeHwnd(), CString::FromUtf8(m_pictures + "/" + name + ".png")));
      if (std::string(std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "") != "xcb") return;
      RECT area;
      shown.GetWindowRect(&area);
      EXPECT_TRUE(SaveScreenImage(area, CString::FromUtf8(m_pictures + "/" + name + "-screen.png")));
    });
    CVexalonDoc doc;
    CRestoreCalDlg(factoryMode, &doc, nullptr).DoModal();
    EXPECT_EQ(answers.GetModalDialogs().size(), 1u) << name << " did not show";
  }

  CUiApplication ui;
  CScriptedAnswers answers;
  std::string m_pictures;
};

TEST_F(RestoreDialogOnScreen, FactoryCalibration) { Look(true, "restore-factory"); }

TEST_F(RestoreDialogOnScreen, LastUsedCalibration) { Look(false, "restore-last-used"); }

}  // namespace
