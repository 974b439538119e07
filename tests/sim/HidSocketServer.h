#pragma once
// Serves a CHidBackend (a simulated HID probe) to other processes on a Unix socket: each
// connection's requests are answered one after the other on a thread of its own, until Stop.

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/io/WakeSignal.h"

class CHidBackend;

namespace Sim {

class CHidSocketServer {
 public:
  explicit CHidSocketServer(CHidBackend& backend);
  ~CHidSocketServer();
  CHidSocketServer(const CHidSocketServer&) = delete;
  CHidSocketServer& operator=(const CHidSocketServer&) = delete;

  // Listens at the socket path (an old socket file there is replaced); false when it cannot.
  bool Listen(const std::string& path);
  // Ends every connection and waits for their threads.
  void Stop();

 private:
  void AcceptLoop();
  void Serve(int connection);

  CHidBackend& m_backend;
  std::string m_path;
  int m_listener = -1;
  // Ends the back end's waits for input reports when the server stops.
  CWakeSignal m_wake;
  std::mutex m_lock;
  std::vector<int> m_connections;
  std::vector<std::thread> m_threads;
  std::thread m_acceptor;
};

}  // namespace Sim
