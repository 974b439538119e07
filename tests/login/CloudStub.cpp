#include "tests/login/CloudStub.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "login/CloudService.h"
#include "platform/registry/RegistryStore.h"
#include "tests/support/TestEnvironment.h"

extern char** environ;

CCloudStub::CCloudStub(const nlohmann::json& scenario, bool trusted) {
  static int stubs = 0;
  m_folder = TestPath("cloud-stub-" + std::to_string(++stubs));
  std::filesystem::create_directories(m_folder);
  const std::string scenarioPath = m_folder + "/scenario.json";
  std::ofstream(scenarioPath) << scenario.dump();

  int input[2];
  int output[2];
  if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) {
    ADD_FAILURE() << "no pipes for the stub";
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], 0);
  posix_spawn_file_actions_adddup2(&actions, output[1], 1);
  const std::string script = ZD_HTTPS_STUB;
  char* argv[] = {const_cast<char*>("python3"), const_cast<char*>(script.c_str()), m_folder.data(),
                  const_cast<char*>(scenarioPath.c_str()), nullptr};
  const int spawned = posix_spawnp(&m_pid, "python3", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(input[0]);
  close(output[1]);
  m_input = input[1];
  if (spawned != 0) m_pid = -1;
  // The stub's first line is its port, written once it listens; a stub that fails closes the
  // pipe instead.
  if (FILE* stubOutput = fdopen(output[0], "r")) {
    if (std::fscanf(stubOutput, "%d", &m_port) != 1) m_port = 0;
    std::fclose(stubOutput);
  }
  if (m_port == 0) {
    ADD_FAILURE() << "the HTTPS stub did not start";
    return;
  }
  RegSetString(kServersKey, kCloudServiceValue,
               CString::FromUtf8("https://127.0.0.1:" + std::to_string(m_port)));
  if (trusted) RegSetString(kServersKey, kCloudCertificatesValue, CString::FromUtf8(m_folder + "/cert.pem"));
}

CCloudStub::~CCloudStub() {
  if (m_input >= 0) close(m_input);
  if (m_pid > 0) waitpid(m_pid, nullptr, 0);
}

std::vector<nlohmann::json> CCloudStub::Requests() const {
  std::vector<nlohmann::json> requests;
  std::ifstream log(m_folder + "/requests.jsonl");
  std::string line;
  while (std::getline(log, line)) requests.push_back(nlohmann::json::parse(line));
  return requests;
}

void PointCloudAtClosedPort() {
  // A port the system handed out and took back: nothing listens there.
  int port = 1;
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (probe >= 0 && bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  if (probe >= 0) close(probe);
  RegSetString(kServersKey, kCloudServiceValue,
               CString::FromUtf8("https://127.0.0.1:" + std::to_string(port)));
  RegDeleteValue(kServersKey, kCloudCertificatesValue);
}
