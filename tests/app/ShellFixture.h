#pragma once
// The application shell started in a test: a program folder of the test's own, the settings
// store of the test, scripted answers, and the main frame made by the start-up.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/ChildView.h"
#include "app/MainFrame.h"
#include "app/VexaZedoApp.h"
#include "platform/registry/RegistryStore.h"
#include "platform/res/ResourceLookup.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/ShellExecute.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "tests/support/TestEnvironment.h"

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() {
    RegisterProgramResources(nullptr);
    std::filesystem::create_directories(ProgramFolder());
  }
  ~ShellTest() override {
    if (app) app->ExitInstance();
    app.reset();
    AfxSetResourceHandle(nullptr);
  }

  static std::string ProgramFolder() { return TestPath("prog"); }
  static CString ProgramPath() { return CString::FromUtf8(ProgramFolder() + "/zd-zedo"); }

  // Starts the program with the arguments; the frame exists afterwards.
  void Start(std::vector<CString> arguments = {}) {
    app = std::make_unique<CVexaZedoApp>(ProgramPath());
    app->SetCommandLine(std::move(arguments));
    ASSERT_TRUE(app->InitInstance());
    PumpMessages();
  }
  CMainFrame& Frame() { return *app->GetMainFrame(); }

  static void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

  // Makes the desktop opener a script that appends each path it opens to a file of the test's
  // own; returns that file's path.
  static std::string InstallRecordingOpener() {
    const std::string record = TestPath("opened.txt");
    const std::string opener = TestPath("opener.sh");
    WriteText(opener, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + record + "'\n");
    chmod(opener.c_str(), 0755);
    RegSetString(kShellSettingsKey, kShellOpenCommandValue, CString::FromUtf8(opener));
    return record;
  }

  CUiApplication ui;
  CScriptedAnswers answers;
  std::unique_ptr<CVexaZedoApp> app;
};
