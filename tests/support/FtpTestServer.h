#pragma once
// A local FTP server for a test (tests/support/ftp_server.py under the system interpreter,
// which has pyftpdlib): 127.0.0.1 at a free port, account jvcust / hantelKRB, rooted at a
// folder of the test. It ends with the object.

#include <string>
#include <vector>

class CFtpTestServer {
 public:
  // `cuts` are "NAME:N": the data of file NAME ends after N bytes. `listedSizes` are
  // "NAME:TEXT": the listing gives file NAME the size fact TEXT instead of its own size.
  explicit CFtpTestServer(const std::string& root, const std::vector<std::string>& cuts = {},
                          const std::vector<std::string>& listedSizes = {});
  ~CFtpTestServer();
  CFtpTestServer(const CFtpTestServer&) = delete;
  CFtpTestServer& operator=(const CFtpTestServer&) = delete;

  // 0 when the server did not start.
  int Port() const { return m_port; }
  // "127.0.0.1:PORT", the form of the update-server setting.
  std::string Address() const { return "127.0.0.1:" + std::to_string(m_port); }

 private:
  int m_pid = -1;
  int m_input = -1;
  int m_port = 0;
};

// A loopback address where nothing listens, for servers a test must not reach.
std::string ClosedLoopbackAddress();
