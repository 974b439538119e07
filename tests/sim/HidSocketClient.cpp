#include "tests/sim/HidSocketClient.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/base/Clock.h"
#include "platform/base/ErrorCodes.h"
#include "tests/sim/HidSocketMessages.h"

namespace Sim {
namespace {

// The longest single wait for an input report, in scaled ms.
constexpr int kReadSliceMs = 20;

}  // namespace

CHidSocketClient::~CHidSocketClient() {
  if (m_socket >= 0) close(m_socket);
}

bool CHidSocketClient::Connect(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  m_socket = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (m_socket >= 0 && connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
    return true;
  if (m_socket >= 0) close(m_socket);
  m_socket = -1;
  return false;
}

int CHidSocketClient::Call(const SHidRequest& request, SHidAnswer& answer) {
  std::lock_guard lock(m_lock);
  if (m_socket < 0 || !SendRequest(m_socket, request) || !ReceiveAnswer(m_socket, answer))
    return ERROR_DEVICE_NOT_CONNECTED;
  return answer.error;
}

int CHidSocketClient::List(WORD vendorId, std::vector<std::string>& paths) {
  SHidRequest request;
  request.operation = EHidOperation::eList;
  request.argument = vendorId;
  SHidAnswer answer;
  const int error = Call(request, answer);
  paths.clear();
  std::string path;
  for (BYTE b : answer.bytes) {
    if (b != '\n') {
      path += char(b);
      continue;
    }
    paths.push_back(path);
    path.clear();
  }
  return error;
}

int CHidSocketClient::Open(const std::string& path, bool inputOnly, int& handle) {
  SHidRequest request;
  request.operation = EHidOperation::eOpen;
  request.argument = inputOnly ? 1 : 0;
  request.bytes.assign(path.begin(), path.end());
  SHidAnswer answer;
  const int error = Call(request, answer);
  handle = answer.value;
  return error;
}

int CHidSocketClient::Close(int handle) {
  SHidRequest request;
  request.operation = EHidOperation::eClose;
  request.handle = handle;
  SHidAnswer answer;
  return Call(request, answer);
}

int CHidSocketClient::GetCaps(int handle, SHidCaps& caps) {
  SHidRequest request;
  request.operation = EHidOperation::eGetCaps;
  request.handle = handle;
  SHidAnswer answer;
  const int error = Call(request, answer);
  caps.inputReportLength = answer.value;
  if (answer.bytes.size() == sizeof caps.featureReportLength)
    std::memcpy(&caps.featureReportLength, answer.bytes.data(), sizeof caps.featureReportLength);
  return error;
}

int CHidSocketClient::GetFeature(int handle, BYTE* report, int length) {
  SHidRequest request;
  request.operation = EHidOperation::eGetFeature;
  request.handle = handle;
  request.length = length;
  request.bytes.assign(report, report + length);
  SHidAnswer answer;
  const int error = Call(request, answer);
  std::copy_n(answer.bytes.begin(), std::min(answer.bytes.size(), size_t(length)), report);
  return error;
}

int CHidSocketClient::SetFeature(int handle, const BYTE* report, int length) {
  SHidRequest request;
  request.operation = EHidOperation::eSetFeature;
  request.handle = handle;
  request.bytes.assign(report, report + length);
  SHidAnswer answer;
  return Call(request, answer);
}

int CHidSocketClient::ReadInput(int handle, BYTE* report, int length, int timeoutMs, CWakeSignal& wake,
                                int& received) {
  received = 0;
  CWakeSignal::CWaitScope scope(wake);
  const DWORD start = GetTickCount();
  for (;;) {
    if (wake.IsRaised()) return ERROR_OPERATION_ABORTED;
    int slice = kReadSliceMs;
    if (timeoutMs >= 0) {
      const DWORD elapsed = GetTickCount() - start;
      if (elapsed >= DWORD(timeoutMs)) return ERROR_TIMEOUT;
      slice = std::min(slice, int(DWORD(timeoutMs) - elapsed));
    }
    SHidRequest request;
    request.operation = EHidOperation::eReadInput;
    request.handle = handle;
    request.length = length;
    request.argument = slice;
    SHidAnswer answer;
    const int error = Call(request, answer);
    if (error == ERROR_TIMEOUT) continue;
    if (error != 0) return error;
    received = std::min(answer.value, length);
    std::copy_n(answer.bytes.begin(), std::min(answer.bytes.size(), size_t(received)), report);
    return 0;
  }
}

}  // namespace Sim
