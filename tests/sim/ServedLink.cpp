#include "tests/sim/ServedLink.h"

#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "tests/sim/HidLink.h"
#include "tests/sim/HidProbeInstrument.h"
#include "tests/sim/HidSocketServer.h"
#include "tests/sim/Peer.h"
#include "tests/sim/PtyLink.h"
#include "tests/sim/SocketLink.h"

namespace Sim {
namespace {

// A HID probe's report lengths: 61 payload bytes a mailbox message, 15 an input report.
constexpr int kFeatureReportLength = 64;
constexpr int kInputReportLength = 17;

// The simulated HID probe behind a HID link, served to other processes.
struct SHidProbe {
  CHidProbeInstrument instrument{kFeatureReportLength, kInputReportLength};
  CHidSocketServer server{instrument};
};

std::unique_ptr<CLink> OpenHidLink(const SServedLink& options, std::unique_ptr<SHidProbe>& probe) {
  probe = std::make_unique<SHidProbe>();
  if (!probe->server.Listen(options.hid)) return nullptr;
  int sequence = 0;
  for (const std::vector<BYTE>& payload : options.inputReports)
    probe->instrument.QueueInputReport(++sequence % 8, payload);
  return std::make_unique<CHidLink>(probe->instrument);
}

}  // namespace

std::unique_ptr<CLink> OpenServedLink(const SServedLink& options) {
  if (options.pty) {
    auto link = std::make_unique<CPtyLink>();
    if (!link->IsOpen() || (options.com > 0 && !link->MapToComPort(options.com))) return nullptr;
    return link;
  }
  const size_t colon = options.tcp.rfind(':');
  if (colon == std::string::npos) return nullptr;
  auto link =
      std::make_unique<CSocketLink>(options.tcp.substr(0, colon), std::atoi(options.tcp.c_str() + colon + 1));
  if (!link->IsOpen()) return nullptr;
  return link;
}

bool ServeUntilStopSignal(const char* program, const SServedLink& options,
                          const std::function<void(CPeer&)>& serve) {
  // The signals are taken by sigwait below, on this thread, while the peer runs on its own.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  std::unique_ptr<SHidProbe> probe;
  auto link = options.hid.empty() ? OpenServedLink(options) : OpenHidLink(options, probe);
  if (!link) {
    std::fprintf(stderr, "%s: cannot listen\n", program);
    return false;
  }
  CPeer peer(std::move(link));
  peer.SetByteRate(options.byteRate);
  std::printf("port=%s\n", peer.ClientName().c_str());
  if (options.com > 0) std::printf("com=%d\n", options.com);
  if (probe) std::printf("hid=%s\n", options.hid.c_str());
  std::fflush(stdout);
  peer.Start(serve);

  int signal = 0;
  sigwait(&stopSignals, &signal);
  peer.Stop();
  if (probe) probe->server.Stop();
  return true;
}

}  // namespace Sim
