#include "tests/sim/HidSocketMessages.h"

#include <sys/socket.h>

#include <cerrno>
#include <cstring>

namespace Sim {
namespace {

// Requests and answers are small; anything larger is a broken peer.
constexpr std::uint32_t kMaxBytes = 1 << 16;

bool SendAll(int socket, const std::vector<BYTE>& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += size_t(n);
  }
  return true;
}

bool ReceiveAll(int socket, void* target, size_t count) {
  auto* bytes = static_cast<BYTE*>(target);
  size_t got = 0;
  while (got < count) {
    const ssize_t n = recv(socket, bytes + got, count - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += size_t(n);
  }
  return true;
}

template <class T>
void Put(std::vector<BYTE>& message, T value) {
  const size_t at = message.size();
  message.resize(at + sizeof value);
  std::memcpy(message.data() + at, &value, sizeof value);
}

void PutBytes(std::vector<BYTE>& message, const std::vector<BYTE>& bytes) {
  Put(message, std::uint32_t(bytes.size()));
  message.insert(message.end(), bytes.begin(), bytes.end());
}

bool ReceiveBytes(int socket, std::vector<BYTE>& bytes) {
  std::uint32_t count = 0;
  if (!ReceiveAll(socket, &count, sizeof count) || count > kMaxBytes) return false;
  bytes.resize(count);
  return count == 0 || ReceiveAll(socket, bytes.data(), count);
}

}  // namespace

bool SendRequest(int socket, const SHidRequest& request) {
  std::vector<BYTE> message;
  Put(message, BYTE(request.operation));
  Put(message, request.handle);
  Put(message, request.length);
  Put(message, request.argument);
  PutBytes(message, request.bytes);
  return SendAll(socket, message);
}

bool ReceiveRequest(int socket, SHidRequest& request) {
  BYTE operation = 0;
  if (!ReceiveAll(socket, &operation, 1)) return false;
  request.operation = EHidOperation(operation);
  return ReceiveAll(socket, &request.handle, sizeof request.handle) &&
         ReceiveAll(socket, &request.length, sizeof request.length) &&
         ReceiveAll(socket, &request.argument, sizeof request.argument) &&
         ReceiveBytes(socket, request.bytes);
}

bool SendAnswer(int socket, const SHidAnswer& answer) {
  std::vector<BYTE> message;
  Put(message, answer.error);
  Put(message, answer.value);
  PutBytes(message, answer.bytes);
  return SendAll(socket, message);
}

bool ReceiveAnswer(int socket, SHidAnswer& answer) {
  return ReceiveAll(socket, &answer.error, sizeof answer.error) &&
         ReceiveAll(socket, &answer.value, sizeof answer.value) && ReceiveBytes(socket, answer.bytes);
}

}  // namespace Sim
