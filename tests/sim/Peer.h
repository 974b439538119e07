#pragma once
// The core of the simulated instruments: a peer that plays the instrument's side of one link
// on its own thread, for tests of the device library over real transports and for the
// simulator programs built on it.
//
//   Sim::CPeer peer(std::make_unique<Sim::CSocketLink>("127.0.0.9", 3728));
//   peer.Start(Sim::CScript().Expect({0xC0, 0xF1}).Reply({0x04, 0x78, 0x56, 0x34, 0x12}));
//   ... the client opens peer.ClientName() and talks ...
//   peer.Stop();
//   EXPECT_TRUE(peer.Failures().empty());   // every expected byte came
//   EXPECT_EQ(peer.Transcript(), ...);      // and nothing else did
//
// Links (Link.h): CPtyLink, a pseudo-terminal whose slave device the client opens as its
// serial port (MapToComPort puts it at "COMn:"), and CSocketLink, a TCP listener on a loopback
// address serving one client at a time. Use a distinct COM number or 127.0.0.x address per
// test so that tests run in parallel.
//
// Sessions: Start runs a session on the peer's thread, either a CScript (Script.h), a list of
// expected bytes and scripted replies played byte for byte, or any function of CPeer& built on
// the session operations below (a full instrument simulator is such a function: a loop that
// receives a request and sends the answer). When the session returns, the peer goes on
// receiving and answers nothing until Stop.
//
// Transcript: every byte the peer received, in order, whether a session asked for it or not.
//
// Time: all time-outs and pauses are milliseconds of the layer's scaled clock (Clock.h, env
// ZD_TIME_SCALE or SetTimeScale), the same clock the client's time-outs run on. The waits that
// end in a failure (Receive, WaitSessionEnd, WaitForTranscript) are time-outs of that clock, as
// are the client's; so is a stall, which a client's time-out shorter than the stall must see
// as silence on a fast clock as on a real one. Pauses and byte rates keep the scaled pace.
//
// Throttle: SetByteRate limits both directions to a byte rate of the scaled clock, as a slow
// serial line would (19200 baud 8N1 is 1920 bytes per second).
//
// Faults: SFault (Fault.h) works a corrupted byte, a lost byte, a stall, silence or a hang-up
// into the next reply; armed from any thread with InjectFault, or given with a reply of a
// script or of Send.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/sim/Fault.h"
#include "tests/sim/Link.h"
#include "tests/sim/Pacer.h"

namespace Sim {

class CScript;

class CPeer {
 public:
  using Session = std::function<void(CPeer&)>;

  explicit CPeer(std::unique_ptr<CLink> link);
  // Stops the peer.
  ~CPeer();
  CPeer(const CPeer&) = delete;
  CPeer& operator=(const CPeer&) = delete;

  CLink& Link() { return *m_link; }
  std::string ClientName() const { return m_link->ClientName(); }

  // Test side, from any thread. A peer runs one session in its life.
  void Start(Session session);
  void Start(const CScript& script);
  // Waits until the session has returned; false when it has not within the time-out.
  bool WaitSessionEnd(int timeoutMs);
  // Ends every wait of the session, joins the thread. The transcript stays readable.
  void Stop();
  std::vector<BYTE> Transcript() const;
  // Waits until the transcript holds at least `count` bytes.
  bool WaitForTranscript(size_t count, int timeoutMs) const;
  void ClearTranscript();
  // Bytes per second of the scaled clock in both directions; 0 is as fast as the link goes.
  // Set it before Start: a receive already waiting takes what comes at the old rate.
  void SetByteRate(int bytesPerSecond);
  // Arms a fault for the next Send without one of its own.
  void InjectFault(const SFault& fault);
  // The link hangs up on the client as soon as the peer's thread waits on it or uses it next.
  void RequestHangup();
  // What went wrong in the session (a script's mismatches and time-outs), in order.
  std::vector<std::string> Failures() const;

  // Session side, on the peer's thread.
  // Exactly `count` bytes; false (with what came kept in the transcript) on time-out or stop.
  bool Receive(BYTE* buffer, int count, int timeoutMs);
  // What arrives first, up to `maxCount` bytes; 0 on time-out or stop.
  int ReceiveSome(BYTE* buffer, int maxCount, int timeoutMs);
  // Sends a reply with the armed fault, if any.
  bool Send(const std::vector<BYTE>& reply);
  bool Send(const std::vector<BYTE>& reply, const SFault& fault);
  void Pause(int ms);
  void Hangup();
  void Fail(const std::string& message);
  bool IsStopping() const;

 private:
  void Run(Session session);
  bool SendPaced(const BYTE* data, int count);
  // Real time, ended early by Stop.
  void PauseFor(std::chrono::steady_clock::duration length);
  SFault TakeArmedFault();

  std::unique_ptr<CLink> m_link;
  std::thread m_thread;
  CPacer m_inPacer;
  CPacer m_outPacer;

  mutable std::mutex m_mutex;
  mutable std::condition_variable m_changed;
  std::vector<BYTE> m_transcript;
  std::vector<std::string> m_failures;
  SFault m_armedFault;
  bool m_sessionDone = false;
};

}  // namespace Sim
