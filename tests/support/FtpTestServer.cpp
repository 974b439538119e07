#include "tests/support/FtpTestServer.h"

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

CFtpTestServer::CFtpTestServer(const std::string& root, const std::vector<std::string>& cuts,
                               const std::vector<std::string>& listedSizes) {
  int input[2];
  int output[2];
  if (pipe(input) != 0) return;
  if (pipe(output) != 0) {
    close(input[0]);
    close(input[1]);
    return;
  }
  std::vector<std::string> words = {"/usr/bin/python3", ZD_FTP_SERVER_SCRIPT, "--root", root};
  for (const std::string& cut : cuts) {
    words.push_back("--cut");
    words.push_back(cut);
  }
  for (const std::string& size : listedSizes) {
    words.push_back("--listed-size");
    words.push_back(size);
  }
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  m_pid = fork();
  if (m_pid == 0) {
    dup2(input[0], 0);
    dup2(output[1], 1);
    close(input[1]);
    close(output[0]);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(input[0]);
  close(output[1]);
  m_input = input[1];
  FILE* out = fdopen(output[0], "r");
  char line[64] = {};
  if (out && std::fgets(line, sizeof line, out) && std::strncmp(line, "port=", 5) == 0)
    m_port = std::atoi(line + 5);
  if (out) std::fclose(out);
}

CFtpTestServer::~CFtpTestServer() {
  if (m_input >= 0) close(m_input);
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
  }
}

std::string ClosedLoopbackAddress() {
  // A port just bound and released: nothing listens there afterwards.
  int port = 1;
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  if (fd >= 0) close(fd);
  return "127.0.0.1:" + std::to_string(port);
}
