#pragma once
// The messages by which a CHidBackend is reached in another process over a Unix socket: each
// call of the back end is one request and one answer, in the byte order of the machine (both
// ends run on it).
//
//   request: operation (1 byte), handle, length, time-out or vendor id or input-only flag
//            (32-bit each), count (32-bit), that many bytes (a path or a report)
//   answer:  error, value (a handle, a report length or the received count), count, bytes

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace Sim {

enum class EHidOperation : BYTE { eList = 1, eOpen, eClose, eGetCaps, eGetFeature, eSetFeature, eReadInput };

struct SHidRequest {
  EHidOperation operation = EHidOperation::eList;
  std::int32_t handle = -1;
  std::int32_t length = 0;
  std::int32_t argument = 0;
  std::vector<BYTE> bytes;
};

struct SHidAnswer {
  std::int32_t error = 0;
  std::int32_t value = 0;
  std::vector<BYTE> bytes;
};

// Each false when the socket failed or was closed.
bool SendRequest(int socket, const SHidRequest& request);
bool ReceiveRequest(int socket, SHidRequest& request);
bool SendAnswer(int socket, const SHidAnswer& answer);
bool ReceiveAnswer(int socket, SHidAnswer& answer);

}  // namespace Sim
