#include "tests/sim/HidSocketServer.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "platform/io/HidBackend.h"
#include "tests/sim/HidSocketMessages.h"

namespace Sim {
namespace {

SHidAnswer Answer(CHidBackend& backend, const SHidRequest& request, CWakeSignal& wake) {
  SHidAnswer answer;
  switch (request.operation) {
    case EHidOperation::eList: {
      std::vector<std::string> paths;
      answer.error = backend.List(WORD(request.argument), paths);
      for (const std::string& path : paths) {
        answer.bytes.insert(answer.bytes.end(), path.begin(), path.end());
        answer.bytes.push_back('\n');
      }
      break;
    }
    case EHidOperation::eOpen: {
      int handle = -1;
      answer.error = backend.Open(std::string(request.bytes.begin(), request.bytes.end()),
                                  request.argument != 0, handle);
      answer.value = handle;
      break;
    }
    case EHidOperation::eClose:
      answer.error = backend.Close(request.handle);
      break;
    case EHidOperation::eGetCaps: {
      SHidCaps caps;
      answer.error = backend.GetCaps(request.handle, caps);
      answer.value = caps.inputReportLength;
      answer.bytes.resize(sizeof caps.featureReportLength);
      std::memcpy(answer.bytes.data(), &caps.featureReportLength, sizeof caps.featureReportLength);
      break;
    }
    case EHidOperation::eGetFeature:
      answer.bytes = request.bytes;
      answer.bytes.resize(size_t(request.length));
      answer.error = backend.GetFeature(request.handle, answer.bytes.data(), request.length);
      break;
    case EHidOperation::eSetFeature:
      answer.error = backend.SetFeature(request.handle, request.bytes.data(), int(request.bytes.size()));
      break;
    case EHidOperation::eReadInput: {
      answer.bytes.resize(size_t(request.length));
      int received = 0;
      answer.error = backend.ReadInput(request.handle, answer.bytes.data(), request.length, request.argument,
                                       wake, received);
      answer.value = received;
      answer.bytes.resize(size_t(received));
      break;
    }
  }
  return answer;
}

}  // namespace

CHidSocketServer::CHidSocketServer(CHidBackend& backend) : m_backend(backend) {}

CHidSocketServer::~CHidSocketServer() { Stop(); }

bool CHidSocketServer::Listen(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  m_listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (m_listener < 0) return false;
  unlink(path.c_str());
  if (bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(m_listener, 4) != 0) {
    close(m_listener);
    m_listener = -1;
    return false;
  }
  m_path = path;
  m_acceptor = std::thread([this] { AcceptLoop(); });
  return true;
}

void CHidSocketServer::AcceptLoop() {
  for (;;) {
    const int connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) return;
    std::lock_guard lock(m_lock);
    m_connections.push_back(connection);
    m_threads.emplace_back([this, connection] { Serve(connection); });
  }
}

void CHidSocketServer::Serve(int connection) {
  SHidRequest request;
  while (ReceiveRequest(connection, request))
    if (!SendAnswer(connection, Answer(m_backend, request, m_wake))) return;
}

void CHidSocketServer::Stop() {
  if (m_listener < 0) return;
  // Shutting the sockets down ends the blocked accept and receives.
  shutdown(m_listener, SHUT_RDWR);
  m_acceptor.join();
  {
    std::lock_guard lock(m_lock);
    for (int connection : m_connections) shutdown(connection, SHUT_RDWR);
  }
  m_wake.Raise();
  for (std::thread& thread : m_threads) thread.join();
  for (int connection : m_connections) close(connection);
  close(m_listener);
  m_listener = -1;
  unlink(m_path.c_str());
}

}  // namespace Sim
