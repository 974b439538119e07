#pragma once
// The maker's other instruments as a session of a Sim::CPeer, seen from the instrument's side:
// the text channel (DLE, one acknowledge byte, a command up to CR, one reply line, with or
// without echo), binary frames with their status or a reply from a table, the mode-change and
// resynchronisation requests, the rebound hammers' raw long requests and the Lumovet's block
// read, a boot loader behind the application (service strings, identity, S-records) and the
// Humilo's stream of readings.
//
//   Sim::CPeer peer(std::make_unique<Sim::CPtyLink>());
//   Sim::CInstrumentSimulator testBox(13);
//   testBox.SetApplicationSilent(true);
//   peer.Start([&](Sim::CPeer& p) { testBox.Run(p); });
//   ... testBox.Log() lists every item received: "text @ID@", "frame C0 CE",
//       "service SC030202F8", "record S1...", "raw 43 30 43 30 69", "raw-request C1 ...",
//       "block-read C1 D0 30", "block128 C1 F8 00 ...", "timed C1 F8 04",
//       "text WDCorA 00 01 ...", "service-record 00 10 00", "block-data 32768 in 4 checked" ...
//
// Settings may be changed from the test's thread while the session runs.

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "tests/sim/instruments/InstrumentProfile.h"

namespace Sim {

class CPeer;

class CInstrumentSimulator {
 public:
  static constexpr BYTE kAck = 0x06;
  static constexpr BYTE kRefused = '?';
  static constexpr int kBlockSize = 129;

  explicit CInstrumentSimulator(int type);

  bool IsKnownType() const { return m_profile.type >= 0; }
  // The application's "@ID@" answer; empty answers "?".
  void SetIdentity(const std::string& identity);
  // The "ID" answer; by default name, version and serial of the identity.
  void SetIdAnswer(const std::string& answer);
  // Any other text command.
  void SetTextAnswer(const std::string& command, const std::string& answer);
  void SetEcho(bool on);
  // The "@ID@" answer begins with the command itself, as some firmware sends it.
  void SetIdentityEchoed(bool on);
  // The flags of the "RLGI" answer "user;flags".
  void SetLoginFlags(int flags);
  // "PNAM?" answers "TA" from the poll with this number (from 1) on, "BUSY" before.
  void SetReadyAfterPolls(int polls);
  // A probe's module answers the first `count` "@ID@" with "BLE_CON_NOK".
  void SetLinkLostAnswers(int count);
  // After answering "BLE_RDY" or "?" the module sends this many more lines.
  void SetExtraLines(int count);
  // The Durimo 3's parameter block behind request 243.
  void SetParameterBlock(const std::vector<BYTE>& block);
  std::vector<BYTE> ParameterBlock() const;
  // Only the boot loader answers, as after a failed update; "SX030000FC" starts the
  // application again.
  void SetApplicationSilent(bool on);
  // The boot loader's answer to "SI030000FC"; by default the identity.
  void SetBootIdentity(const std::string& identity);
  void SetBootState(int state);
  // The service string (without CR LF) is answered with '?' instead of its echo.
  void RefuseServiceString(const std::string& text);
  // S-record `number` (from 1) is answered with 'F'; 0 acknowledges all.
  void RefuseSRecord(int number);
  // Service-record packet `number` (from 1) of a probe's module is refused; 0 takes all.
  void RefuseServicePacket(int number);
  // The bytes sent back for a frame with this request code, in place of the status 0.
  void SetFrameReply(BYTE code, const std::vector<BYTE>& reply);
  // The bytes sent back for a frame with this request code whose first payload byte selects
  // `function`; before the code's own reply.
  void SetFunctionReply(BYTE code, BYTE function, const std::vector<BYTE>& reply);
  // The Armivue's debug protocol: "002Cn" is answered by the block in tagged hexadecimal (a tag
  // letter 'a' to 'd' before every four bytes), each "0001n" by 'a' and the next round's byte
  // in two digits (the last one repeats); an empty block leaves "002Cn" unanswered.
  void SetDebugBlock(const std::vector<BYTE>& block);
  void SetDebugRounds(const std::vector<BYTE>& values);
  // The Armivue's rate commands: "BR ?" is answered with the rate divisor (208, for 19200 Bd,
  // until a rate is set) and the raw "BR nnn\r" sets the divisor. With `throttle` the peer's
  // byte rate then follows the new line rate, 4,000,000 / nnn baud of ten bits a byte.
  void AnswerRateCommands(bool throttle);
  // A long reply: 239, check kind 0, the 24-bit length low byte first, the data.
  static std::vector<BYTE> LongReply(const std::vector<BYTE>& data);
  // The status of the raw long requests (0 by default).
  void SetRawStatus(BYTE status);
  // The mode-change requests: modes the instrument does not know are refused; the switch
  // takes this long (the scaled clock).
  void RefuseMode(int mode);
  void SetModeDuration(int milliseconds);
  // How long a timed operation (block request 0xF8, sub-code 2) takes, as announced to the
  // duration queries (sub-codes 4 and 3).
  void SetTimedDuration(int milliseconds);
  // The UCI probe's measurement frames, sent one after the other once "OPM_ON" was answered
  // "ok".
  void SetFrames(const std::vector<std::vector<BYTE>>& frames);
  // A streaming instrument's readings, sent in turn as LF, text, CR.
  void SetReadings(const std::vector<std::string>& readings);

  std::vector<std::string> Log() const;
  // On a pseudo-terminal, the line settings the client had given it when its last bytes came
  // or, for a streaming instrument, when the last reading went (see CPtyLink::LineSettings).
  std::string LineSettings() const;
  void ClearLog();

  // The session: answers until the peer stops.
  void Run(CPeer& peer);

 private:
  // What the client sent, through the simulator's own input buffer; the time-out applies to
  // each wait for more.
  int ReceiveSome(CPeer& peer, BYTE* buffer, int maxCount, int timeoutMs);
  bool Receive(CPeer& peer, BYTE* buffer, int count, int timeoutMs);
  void RunStream(CPeer& peer);
  void NoteLineSettings(CPeer& peer);
  void OnTextChannel(CPeer& peer);
  void OnRawByte(CPeer& peer, BYTE byte);
  // A probe's "WDCorA" and its six value bytes, which may hold a CR: taken by count.
  void OnCorrectionWords(CPeer& peer);
  void SendFrames(CPeer& peer);
  // A probe module's packet: service records are acknowledged with 7 bytes, after checking
  // their sum.
  void OnModulePacket(CPeer& peer);
  // The block transfer after its header: each chunk and its CRC-32 is answered 0, or asked for
  // once more when the check does not match.
  void OnBlockTransfer(CPeer& peer, const std::vector<BYTE>& payload);
  bool InModulePacket() const;
  void OnFrame(CPeer& peer, BYTE header);
  void OnModeRequest(CPeer& peer, const std::vector<BYTE>& payload);
  // Request 243: the parameter block read, written or committed; called under the lock.
  std::vector<BYTE> ParameterBlockReply(const std::vector<BYTE>& payload);
  std::string LoginAnswer(const std::string& command) const;
  // A probe module's write word ("WDSeNu...", "WMHWVe..."): stored, answered "ok"; empty for
  // any other command. Called under the lock.
  std::string ModuleWriteAnswer(const std::string& command);
  void SetIdentityField(size_t index, const std::string& value);
  // A frame with more bytes right behind it (a raw long request, the 128-byte block): they are
  // taken up to a pause, logged with the frame and answered with the status. False when
  // nothing followed.
  bool OnTrailingBytes(CPeer& peer, std::vector<BYTE>& frame, const std::string& kind, BYTE status);
  BYTE RawStatus() const;
  void OnTimedRequest(CPeer& peer, const std::vector<BYTE>& frame, BYTE subCode);
  void OnServiceLine(CPeer& peer);
  void OnServiceString(CPeer& peer, const std::string& text);
  // The answer to a boot-loader string, with its effect on the state; called under the lock.
  std::vector<BYTE> ServiceAnswer(const std::string& text);
  std::string TextAnswer(const std::string& command);
  void AddLog(const std::string& item);
  void FlushRaw();
  // Answers a debug command that the raw bytes end with; called under the lock.
  std::vector<BYTE> DebugAnswer();
  // Takes a rate command that the raw bytes end with; the new byte rate, or 0 for none. Called
  // under the lock.
  int TakeRateCommand();
  bool ApplicationAnswers() const;

  SInstrumentProfile m_profile;
  std::vector<BYTE> m_input;
  std::string m_lineSettings;
  size_t m_inputAt = 0;
  mutable std::mutex m_mutex;
  std::vector<std::string> m_log;
  std::vector<BYTE> m_raw;
  std::string m_idAnswer;
  bool m_idAnswerSet = false;
  std::map<std::string, std::string> m_textAnswers;
  bool m_echo = false;
  bool m_identityEchoed = false;
  int m_loginFlags = 0;
  int m_linkLostAnswers = 0;
  int m_extraLines = 0;
  int m_readyAfterPolls = 1;
  int m_readyPolls = 0;
  std::vector<BYTE> m_parameterBlock = std::vector<BYTE>(20, 0);
  bool m_inBootLoader = false;
  std::string m_bootIdentity;
  bool m_bootIdentitySet = false;
  int m_bootState = 0;
  std::set<std::string> m_refusedStrings;
  int m_refusedRecord = 0;
  int m_recordCount = 0;
  int m_refusedPacket = 0;
  int m_packetCount = 0;
  std::map<BYTE, std::vector<BYTE>> m_frameReplies;
  std::map<std::pair<BYTE, BYTE>, std::vector<BYTE>> m_functionReplies;
  std::vector<std::vector<BYTE>> m_frames;
  std::vector<BYTE> m_debugBlock;
  std::vector<BYTE> m_debugRounds;
  size_t m_debugRound = 0;
  bool m_rateCommands = false;
  bool m_rateThrottled = false;
  int m_rateDivisor = 208;
  BYTE m_rawStatus = 0;
  std::set<int> m_refusedModes;
  int m_modeDurationMs = 200;
  int m_timedDurationMs = 200;
  int m_activeMode = 8;
};

}  // namespace Sim
