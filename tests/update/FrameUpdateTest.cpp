#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "resources/ResourceIds.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/FtpTestServer.h"
#include "update/AutoUpdate.h"

namespace {

// The program started with an update server whose program folder holds an installer of
// version 9.1.2 (or with no server reachable).
class FrameWithUpdateServer : public ShellTest {
 protected:
  void StartWithInstaller() {
    const std::filesystem::path folder = std::filesystem::path(TestPath("ftp")) / "DiVudodav/ZD-Zedo";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "ZD-Zedo_V_9_1_2_0.exe", std::ios::binary) << m_installer;
    m_server = std::make_unique<CFtpTestServer>(TestPath("ftp"));
    ASSERT_NE(m_server->Port(), 0);
    RegSetString(kUpdateServerKey, kUpdateServerValue, CString::FromUtf8(m_server->Address()));
    StartAndWaitForCheck();
  }
  void StartWithoutServer() {
    RegSetString(kUpdateServerKey, kUpdateServerValue, CString::FromUtf8(ClosedLoopbackAddress()));
    StartAndWaitForCheck();
  }
  void StartAndWaitForCheck() {
    Start();
    ASSERT_TRUE(Frame().GetAutoUpdate()->WaitForCheck(10000)) << "the check did not end";
    PumpMessages();
  }

  // The texts of the "New version available!" pop-up.
  std::vector<CString> NewVersionEntries() {
    std::vector<CString> texts;
    HMENU menu = Frame().GetNewVersionMenu();
    if (!menu) return texts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      CString text;
      ::GetMenuStringW(menu, UINT(i), text, MF_BYPOSITION);
      texts.push_back(text);
    }
    return texts;
  }

  std::string m_installer = std::string(54321, 'z');
  std::unique_ptr<CFtpTestServer> m_server;
};

TEST_F(FrameWithUpdateServer, TheNewestInstallerIsOfferedInTheMenu) {
  StartWithInstaller();
  EXPECT_EQ(Frame().GetNewestProgramVersion(), CVersion(CString(u"9.1.2.0")));
  const std::vector<CString> expected = {u"Update ZD-Zedo to version 9.1.2"};
  EXPECT_EQ(NewVersionEntries(), expected);
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
}

TEST_F(FrameWithUpdateServer, WithoutAServerNothingIsOfferedOrShown) {
  StartWithoutServer();
  EXPECT_EQ(Frame().GetNewestProgramVersion().GetValue(), 0u);
  EXPECT_EQ(Frame().GetNewVersionMenu(), nullptr);
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
}

TEST_F(FrameWithUpdateServer, TheUpdateCommandStartsTheInstallerAndClosesTheProgram) {
  const std::string record = InstallRecordingOpener();
  StartWithInstaller();
  answers.AddModalDialogScript([](CWnd& dialog) {
    auto& sheet = dynamic_cast<CAutoUpdate&>(dialog);
    while (!sheet.HasEnded()) {
      PumpMessages(5);
      if (!sheet.IsBusy()) sheet.PressButton(kWizardNext);
    }
  });
  Frame().SendMessage(WM_COMMAND, ID_UPDATE_PROGRAM);
  const std::string target = ProgramFolder() + "/ZD-Zedo_V_9_1_2_0.exe";
  std::ifstream installer(target, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(installer), {}), m_installer);
  // The opener's shell creates its record before it writes the line: wait for the line end.
  std::string recorded;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (recorded.empty() || recorded.back() != '\n') {
    if (std::chrono::steady_clock::now() > until) break;
    PumpMessages(5);
    std::ifstream opened(record);
    recorded.assign(std::istreambuf_iterator<char>(opened), {});
  }
  EXPECT_EQ(recorded, target + "\n");
  PumpMessages();
  EXPECT_FALSE(Frame().IsWindow()) << "the program stays open beside its installer";
}

}  // namespace
