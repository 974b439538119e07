#pragma once
// The cloud service of a test: the HTTPS stub (tests/support/https_stub.py) run as a process of
// its own on 127.0.0.1, answering from a scenario and logging every request. While it runs,
// the cloud settings point at it.

#include <sys/types.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class CCloudStub {
 public:
  // scenario: a JSON object mapping a path to its answers, each {"status": N, "body": TEXT}.
  // With `trusted`, the stub's certificate is set as the extra certificate file; without it
  // the service has a certificate nobody vouches for.
  explicit CCloudStub(const nlohmann::json& scenario, bool trusted = true);
  ~CCloudStub();
  CCloudStub(const CCloudStub&) = delete;
  CCloudStub& operator=(const CCloudStub&) = delete;

  int Port() const { return m_port; }
  // The requests received so far, oldest first: method, path, headers (lower-case names), body.
  std::vector<nlohmann::json> Requests() const;

 private:
  std::string m_folder;
  pid_t m_pid = -1;
  int m_input = -1;  // the stub's standard input; closing it ends the stub
  int m_port = 0;
};

// Points the cloud service at a loopback port where nothing listens.
void PointCloudAtClosedPort();
