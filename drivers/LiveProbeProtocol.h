#pragma once
// What the live probe's request, identity, link and update code share of its protocol.

#include "platform/base/WinTypes.h"

namespace Device {

// The request byte of the probe's own binary requests.
inline constexpr BYTE kLiveProbeRequest = 201;
// The reply buffer of one request or module word.
inline constexpr int kLiveProbeReplySize = 64;
inline constexpr int kLiveProbeRequestTimeoutMs = 3000;
inline constexpr int kLiveProbeWordTimeoutMs = 4000;

}  // namespace Device
