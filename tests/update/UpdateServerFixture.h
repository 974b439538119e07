#pragma once
// A local update server for the update tests: a fixture tree in the test's folder served by
// the test FTP server, named as the update server in the test's settings store, with the
// program's resources and scripted answers for the boxes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry/RegistryStore.h"
#include "platform/res/ResourceLookup.h"
#include "platform/ui/ScriptedAnswers.h"
#include "resources/ProgramResources.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/TestEnvironment.h"
#include "update/AppHelper.h"

class UpdateServerTest : public ::testing::Test {
 protected:
  UpdateServerTest() { RegisterProgramResources(nullptr); }
  ~UpdateServerTest() override { AfxSetResourceHandle(nullptr); }

  static std::string ServerRoot() { return TestPath("ftp"); }

  // Writes a file of `size` bytes (or with `text`) under the server's root.
  static void AddServerFile(const std::string& path, size_t size) {
    const std::filesystem::path full = std::filesystem::path(ServerRoot()) / path;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    for (size_t i = 0; i < size; ++i) out.put(char((i * 31 + 7) & 0xFF));
  }
  static void AddServerText(const std::string& path, const std::string& text) {
    const std::filesystem::path full = std::filesystem::path(ServerRoot()) / path;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << text;
  }
  static void AddServerFolder(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(ServerRoot()) / path);
  }

  // Starts the server on the tree built so far and names it in the settings.
  void StartServer(const std::vector<std::string>& cuts = {}) {
    std::filesystem::create_directories(ServerRoot());
    m_server = std::make_unique<CFtpTestServer>(ServerRoot(), cuts);
    ASSERT_NE(m_server->Port(), 0) << "the FTP server did not start";
    ASSERT_TRUE(RegSetString(kUpdateServerKey, kUpdateServerValue, CString::FromUtf8(m_server->Address())));
  }
  // Names a loopback port where nothing listens as the update server.
  static void UseClosedServer() {
    ASSERT_TRUE(
        RegSetString(kUpdateServerKey, kUpdateServerValue, CString::FromUtf8(ClosedLoopbackAddress())));
  }

  CScriptedAnswers m_answers;
  std::unique_ptr<CFtpTestServer> m_server;
};
