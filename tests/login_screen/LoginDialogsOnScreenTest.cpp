#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "device/DeviceFactory.h"
#include "drivers/DriverClasses.h"
#include "login/CloudService.h"
#include "login/RemoteLoginDlg.h"
#include "login/ServerLoginDlg.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/resources/DialogLayoutRules.h"

namespace {

class LoginDialogsOnScreen : public ::testing::Test {
 protected:
  LoginDialogsOnScreen() {
    RegisterProgramResources(nullptr);
    Device::RegisterDriverClasses();
    // Nothing listens on loopback port 1; the dialogs send nothing here anyway.
    RegSetString(kServersKey, kCloudServiceValue, u"https://127.0.0.1:1");
    if (const char* folder = std::getenv("ZD_PICTURE_FOLDER")) {
      m_pictures = folder;
      std::filesystem::create_directories(m_pictures);
    }
  }

  // Runs the dialog until its script has looked at it, with a password typed: the layout rules
  // hold for it as it shows, and its picture is kept; on a real display also as the screen
  // shows it.
  void Look(CDialog& dialog, const std::string& name) {
    answers.AddModalDialogScript([this, name](CWnd& shown) {
      shown.SetDlgItemText(IDC_LOGIN_PASSWORD, u"secret");
      const std::vector<std::string> faults = FindLayoutFaults(static_cast<CDialog&>(shown));
      for (const std::string& fault : faults) ADD_FAILURE() << name << ": " << fault;
      if (m_pictures.empty()) return;
      EXPECT_TRUE(SaveWindowImage(shown.GetSafeHwnd(), CString::FromUtf8(m_pictures + "/" + name + ".png")));
      if (std::string(std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "") != "xcb") return;
      RECT area;
      shown.GetWindowRect(&area);
      EXPECT_TRUE(SaveScreenImage(area, CString::FromUtf8(m_pictures + "/" + name + "-screen.png")));
    });
    dialog.DoModal();
    EXPECT_EQ(answers.GetModalDialogs().size(), 1u) << name << " did not show";
  }

  CUiApplication ui;
  CScriptedAnswers answers;
  std::string m_pictures;
};

TEST_F(LoginDialogsOnScreen, RemoteLogin) {
  auto device = Device::CreateDevice(17);
  CRemoteLoginDlg dialog(device.get());
  Look(dialog, "remote-login");
}

TEST_F(LoginDialogsOnScreen, ServerLogin) {
  auto device = Device::CreateDevice(17);
  CServerLoginDlg dialog(device.get());
  dialog.SetEmail(u"someone@example.com");
  Look(dialog, "server-login");
}

}  // namespace
