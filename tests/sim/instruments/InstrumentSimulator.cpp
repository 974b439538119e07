#include "tests/sim/instruments/InstrumentSimulator.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/base/Clock.h"
#include "tests/sim/Peer.h"
#include "tests/sim/PtyLink.h"
#include "tests/sim/ReferenceCrc.h"

namespace Sim {
namespace {

constexpr BYTE kDle = 0x10;
constexpr BYTE kFirstFrameHeader = 0xC0;
constexpr BYTE kLastFrameHeader = 0xEF;
constexpr BYTE kRawHeader = 0xC1;
constexpr BYTE kWakeUpCode = 0xF6;
constexpr BYTE kWakeUpAnswer = 0xF0;
constexpr BYTE kModeCode = 0xF4;
constexpr BYTE kDeviceCodeCode = 0xF1;
constexpr BYTE kBlockReadCode = 0xD0;
constexpr BYTE kBlockCode = 0xF8;
constexpr BYTE kBlockData = 0x00;
constexpr BYTE kTimedStart = 0x02;
constexpr BYTE kSecondDuration = 0x03;
constexpr BYTE kFirstDuration = 0x04;
constexpr BYTE kBlockReadArgument = '0';
constexpr BYTE kSwitchCode = 0xE0;
constexpr BYTE kParameterCode = 0xF3;
constexpr BYTE kParameterRead = 0x0A;
constexpr BYTE kParameterWrite = 0x12;
constexpr BYTE kParameterCommit = 0x1A;
constexpr size_t kParameterHeader = 4;
constexpr BYTE kRequestRefused = 0xF5;
constexpr BYTE kSoh = 0x01;
constexpr BYTE kEtb = 0x17;
// A probe module's packets: service-record data and header, and its boot mode.
constexpr BYTE kServiceData = 0x37;
constexpr BYTE kServiceHeader = 0x39;
constexpr BYTE kModuleBootMode = 0x38;
// The block transfer's header and a chunk's request to be sent again.
constexpr BYTE kTransferHeader = 0x01;
constexpr size_t kTransferHeaderSize = 9;
constexpr BYTE kChunkRepeat = 0x01;
constexpr BYTE kRepeatMark = '$';
// A probe's correction words: the word, three 16-bit values as bytes, CR.
constexpr char kCorrectionWord[] = "WDCorA";
constexpr size_t kCorrectionValues = 6;
// The UCI probe's measuring mode, in which it sends its frames.
constexpr char kMeasuringWord[] = "OPM_ON";
constexpr int kPollMs = 50;
constexpr int kByteTimeoutMs = 2000;
// A raw long request shows itself by more payload after what a one-byte frame holds; its
// bytes follow each other closely.
constexpr int kRawGapMs = 300;
constexpr int kReadingPauseMs = 20;
constexpr size_t kLineLimit = 4096;
// What arrives is taken in pieces of up to this size and handed out from there, so that a
// throttled link paces whole chunks rather than single bytes.
constexpr int kInputChunk = 4096;

std::string Hex(const std::vector<BYTE>& bytes) {
  std::string text;
  char digits[4];
  for (BYTE b : bytes) {
    std::snprintf(digits, sizeof digits, text.empty() ? "%02X" : " %02X", b);
    text += digits;
  }
  return text;
}

std::vector<std::string> FieldsOf(const std::string& identity) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    const size_t end = identity.find(';', start);
    fields.push_back(identity.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return fields;
    start = end + 1;
  }
}

// "name;hardware;serial;signature;version..." gives "name;version;serial".
std::string IdFromIdentity(const std::string& identity) {
  const std::vector<std::string> fields = FieldsOf(identity);
  if (fields.size() < 5) return std::string();
  return fields[0] + ";" + fields[4] + ";" + fields[2];
}

// The device-code request's answer: four bytes of the signature, low byte first.
std::vector<BYTE> DeviceCodeReply(const std::string& identity) {
  const std::vector<std::string> fields = FieldsOf(identity);
  const unsigned long signature = fields.size() > 3 ? std::strtoul(fields[3].c_str(), nullptr, 16) : 0;
  return {4, BYTE(signature), BYTE(signature >> 8), BYTE(signature >> 16), BYTE(signature >> 24)};
}

}  // namespace

CInstrumentSimulator::CInstrumentSimulator(int type) : m_profile(SInstrumentProfile::Of(type)) {
  for (const auto& [word, answer] : m_profile.moduleWords) m_textAnswers[word] = answer;
  if (!m_profile.idAnswer.empty()) SetIdAnswer(m_profile.idAnswer);
  for (const auto& [request, reply] : m_profile.functionReplies)
    m_functionReplies[{BYTE(request.first), BYTE(request.second)}] = reply;
}

void CInstrumentSimulator::SetFrames(const std::vector<std::vector<BYTE>>& frames) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_frames = frames;
}

void CInstrumentSimulator::SetLinkLostAnswers(int count) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_linkLostAnswers = count;
}

void CInstrumentSimulator::SetExtraLines(int count) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_extraLines = count;
}

void CInstrumentSimulator::SetIdentity(const std::string& identity) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_profile.identity = identity;
}

void CInstrumentSimulator::SetIdAnswer(const std::string& answer) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_idAnswer = answer;
  m_idAnswerSet = true;
}

void CInstrumentSimulator::SetTextAnswer(const std::string& command, const std::string& answer) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_textAnswers[command] = answer;
}

void CInstrumentSimulator::SetEcho(bool on) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_echo = on;
}

void CInstrumentSimulator::SetIdentityEchoed(bool on) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_identityEchoed = on;
}

void CInstrumentSimulator::SetLoginFlags(int flags) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_loginFlags = flags;
}

void CInstrumentSimulator::SetReadyAfterPolls(int polls) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_readyAfterPolls = polls;
}

void CInstrumentSimulator::SetParameterBlock(const std::vector<BYTE>& block) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_parameterBlock = block;
}

std::vector<BYTE> CInstrumentSimulator::ParameterBlock() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_parameterBlock;
}

void CInstrumentSimulator::SetApplicationSilent(bool on) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_inBootLoader = on;
}

void CInstrumentSimulator::SetBootIdentity(const std::string& identity) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_bootIdentity = identity;
  m_bootIdentitySet = true;
}

void CInstrumentSimulator::SetBootState(int state) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_bootState = state;
}

void CInstrumentSimulator::RefuseServiceString(const std::string& text) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_refusedStrings.insert(text);
}

void CInstrumentSimulator::RefuseSRecord(int number) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_refusedRecord = number;
}

void CInstrumentSimulator::SetFrameReply(BYTE code, const std::vector<BYTE>& reply) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_frameReplies[code] = reply;
}

void CInstrumentSimulator::SetFunctionReply(BYTE code, BYTE function, const std::vector<BYTE>& reply) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_functionReplies[{code, function}] = reply;
}

void CInstrumentSimulator::SetDebugBlock(const std::vector<BYTE>& block) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_debugBlock = block;
}

void CInstrumentSimulator::SetDebugRounds(const std::vector<BYTE>& values) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_debugRounds = values;
  m_debugRound = 0;
}

std::vector<BYTE> CInstrumentSimulator::DebugAnswer() {
  auto endsWith = [this](const char* command) {
    const size_t length = std::strlen(command);
    return m_raw.size() >= length && std::equal(m_raw.end() - long(length), m_raw.end(), command);
  };
  std::string text;
  char digits[3];
  if (endsWith("002Cn")) {
    for (size_t i = 0; i < m_debugBlock.size(); ++i) {
      if (i % 4 == 0) text += char('a' + (i / 4) % 4);
      std::snprintf(digits, sizeof digits, "%02X", m_debugBlock[i]);
      text += digits;
    }
  } else if (endsWith("0001n") && !m_debugRounds.empty()) {
    const BYTE value = m_debugRounds[std::min(m_debugRound++, m_debugRounds.size() - 1)];
    std::snprintf(digits, sizeof digits, "%02X", value);
    text = std::string("a") + digits;
  }
  return std::vector<BYTE>(text.begin(), text.end());
}

std::vector<BYTE> CInstrumentSimulator::LongReply(const std::vector<BYTE>& data) {
  const size_t length = data.size();
  std::vector<BYTE> reply(length + 5);
  reply[0] = 239;
  reply[2] = BYTE(length);
  reply[3] = BYTE(length >> 8);
  reply[4] = BYTE(length >> 16);
  std::copy(data.begin(), data.end(), reply.begin() + 5);
  return reply;
}

void CInstrumentSimulator::AnswerRateCommands(bool throttle) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_rateCommands = true;
  m_rateThrottled = throttle;
}

int CInstrumentSimulator::TakeRateCommand() {
  constexpr size_t kCommandLength = 7;
  if (!m_rateCommands || m_raw.size() < kCommandLength || m_raw.back() != '\r') return 0;
  const std::string command(m_raw.end() - long(kCommandLength), m_raw.end());
  if (command.compare(0, 3, "BR ") != 0 ||
      !std::all_of(command.begin() + 3, command.end() - 1, [](char c) { return c >= '0' && c <= '9'; }))
    return 0;
  const int divisor = std::atoi(command.c_str() + 3);
  if (divisor <= 0) return 0;
  m_rateDivisor = divisor;
  constexpr int kRateClock = 4000000;
  constexpr int kBitsPerByte = 10;
  return m_rateThrottled ? kRateClock / divisor / kBitsPerByte : 0;
}

void CInstrumentSimulator::SetRawStatus(BYTE status) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_rawStatus = status;
}

void CInstrumentSimulator::RefuseMode(int mode) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_refusedModes.insert(mode);
}

void CInstrumentSimulator::SetTimedDuration(int milliseconds) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_timedDurationMs = milliseconds;
}

void CInstrumentSimulator::SetModeDuration(int milliseconds) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_modeDurationMs = milliseconds;
}

void CInstrumentSimulator::SetReadings(const std::vector<std::string>& readings) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_profile.readings = readings;
}

std::vector<std::string> CInstrumentSimulator::Log() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_log;
}

void CInstrumentSimulator::NoteLineSettings(CPeer& peer) {
  const auto* terminal = dynamic_cast<const CPtyLink*>(&peer.Link());
  if (!terminal) return;
  const std::string settings = terminal->LineSettings();
  std::lock_guard<std::mutex> lock(m_mutex);
  m_lineSettings = settings;
}

std::string CInstrumentSimulator::LineSettings() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_lineSettings;
}

void CInstrumentSimulator::ClearLog() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_log.clear();
}

void CInstrumentSimulator::AddLog(const std::string& item) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_raw.empty()) {
    m_log.push_back("raw " + Hex(m_raw));
    m_raw.clear();
  }
  if (!item.empty()) m_log.push_back(item);
}

void CInstrumentSimulator::FlushRaw() { AddLog(std::string()); }

bool CInstrumentSimulator::ApplicationAnswers() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return !m_inBootLoader;
}

int CInstrumentSimulator::ReceiveSome(CPeer& peer, BYTE* buffer, int maxCount, int timeoutMs) {
  if (m_inputAt == m_input.size()) {
    m_input.resize(kInputChunk);
    const int got = peer.ReceiveSome(m_input.data(), kInputChunk, timeoutMs);
    m_input.resize(size_t(std::max(got, 0)));
    m_inputAt = 0;
    if (got > 0) NoteLineSettings(peer);
  }
  const int count = std::min(maxCount, int(m_input.size() - m_inputAt));
  std::copy(m_input.begin() + long(m_inputAt), m_input.begin() + long(m_inputAt) + count, buffer);
  m_inputAt += size_t(count);
  return count;
}

bool CInstrumentSimulator::Receive(CPeer& peer, BYTE* buffer, int count, int timeoutMs) {
  // Bytes that do not come end the request as cut: a time-out, which lasts its span of the
  // scaled clock.
  const int waitMs = int(std::min<ULONGLONG>(TimeoutSpan(ULONGLONG(std::max(timeoutMs, 0))), 0x7FFFFFFF));
  int done = 0;
  while (done < count) {
    const int got = ReceiveSome(peer, buffer + done, count - done, waitMs);
    if (got <= 0) return false;
    done += got;
  }
  return true;
}

void CInstrumentSimulator::Run(CPeer& peer) {
  if (!m_profile.readings.empty()) {
    RunStream(peer);
    return;
  }
  while (!peer.IsStopping()) {
    BYTE byte = 0;
    if (ReceiveSome(peer, &byte, 1, kPollMs) != 1) {
      FlushRaw();
      continue;
    }
    if (byte == kSoh && !m_profile.moduleWords.empty()) {
      OnModulePacket(peer);
    } else if (byte == kDle && ApplicationAnswers()) {
      OnTextChannel(peer);
    } else if (byte >= kFirstFrameHeader && byte <= kLastFrameHeader && !InModulePacket()) {
      OnFrame(peer, byte);
    } else if (byte == 'S' && !ApplicationAnswers()) {
      OnServiceLine(peer);
    } else {
      OnRawByte(peer, byte);
    }
  }
  FlushRaw();
}

// A probe's module takes raw packets whose bytes would otherwise read as frame headers.
bool CInstrumentSimulator::InModulePacket() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return !m_profile.moduleWords.empty() && !m_raw.empty();
}

void CInstrumentSimulator::OnRawByte(CPeer& peer, BYTE byte) {
  // The debug protocol's requests are answered, the rate commands taken.
  std::vector<BYTE> debugAnswer;
  int byteRate = 0;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_raw.push_back(byte);
    debugAnswer = DebugAnswer();
    byteRate = TakeRateCommand();
  }
  if (!debugAnswer.empty()) peer.Send(debugAnswer);
  if (byteRate > 0) peer.SetByteRate(byteRate);
}

void CInstrumentSimulator::OnModulePacket(CPeer& peer) {
  FlushRaw();
  // SOH, the packet's kind, its data length (16 bits), the data, the check (16 bits), ETB.
  std::vector<BYTE> packet{kSoh, 0, 0, 0};
  if (!Receive(peer, packet.data() + 1, 3, kByteTimeoutMs)) {
    AddLog("packet-cut " + Hex(packet));
    return;
  }
  const size_t length = size_t(packet[2] | packet[3] << 8);
  packet.resize(4 + length + 3);
  if (!Receive(peer, packet.data() + 4, int(length + 3), kByteTimeoutMs)) {
    AddLog("packet-cut " + Hex(packet));
    return;
  }
  const BYTE kind = packet[1];
  if (kind != kServiceData && kind != kServiceHeader) {
    // The module's reset and boot-mode packets; the boot-mode one is answered with its
    // 15-byte status.
    AddLog("raw " + Hex(packet));
    if (kind == kModuleBootMode) peer.Send(std::vector<BYTE>(15, 0x5A));
    return;
  }
  DWORD sum = 0;
  for (size_t i = 0; i < 4 + length; ++i) sum += packet[i];
  const WORD check = WORD(packet[4 + length] | packet[5 + length] << 8);
  bool refused = false;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    refused = ++m_packetCount == m_refusedPacket || WORD(sum + check) != 0 || packet.back() != kEtb;
  }
  if (kind == kServiceHeader) AddLog("service-record " + Hex({packet.begin() + 4, packet.begin() + 7}));
  const BYTE mark = refused ? 0x00 : 0xFF;
  peer.Send({kSoh, kind, 0x00, 0x00, mark, mark, kEtb});
}

void CInstrumentSimulator::OnBlockTransfer(CPeer& peer, const std::vector<BYTE>& payload) {
  const bool checked = payload[1] != 0;
  const size_t total = size_t(payload[2] | payload[3] << 8 | payload[4] << 16 | DWORD(payload[5]) << 24);
  const size_t chunkSize = size_t(payload[6] | payload[7] << 8 | payload[8] << 16);
  if (chunkSize == 0) {
    AddLog("block-data refused");
    peer.Send({kRefused});
    return;
  }
  size_t done = 0;
  int chunks = 0;
  std::vector<BYTE> chunk;
  while (done < total) {
    const size_t length = std::min(chunkSize, total - done);
    chunk.resize(length + (checked ? 4 : 0));
    if (!Receive(peer, chunk.data(), int(chunk.size()), kByteTimeoutMs)) {
      AddLog("block-data-cut " + std::to_string(done));
      return;
    }
    const DWORD check = checked ? DWORD(chunk[length] | chunk[length + 1] << 8 | chunk[length + 2] << 16 |
                                        DWORD(chunk[length + 3]) << 24)
                                : 0;
    if (checked && check != ReferenceCrc32(chunk.data(), length)) {
      // The chunk is asked for once more.
      peer.Send({kChunkRepeat, kRepeatMark});
      continue;
    }
    done += length;
    ++chunks;
    peer.Send({0x00});
  }
  AddLog("block-data " + std::to_string(total) + " in " + std::to_string(chunks) +
         (checked ? " checked" : ""));
}

void CInstrumentSimulator::RefuseServicePacket(int number) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_refusedPacket = number;
}

void CInstrumentSimulator::RunStream(CPeer& peer) {
  size_t next = 0;
  while (!peer.IsStopping()) {
    std::string reading;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      reading = m_profile.readings[next++ % m_profile.readings.size()];
    }
    const std::string line = "\n" + reading + "\r";
    if (!peer.Send(std::vector<BYTE>(line.begin(), line.end()))) return;
    NoteLineSettings(peer);
    BYTE byte = 0;
    while (ReceiveSome(peer, &byte, 1, kReadingPauseMs) == 1) {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_raw.push_back(byte);
    }
    FlushRaw();
  }
}

void CInstrumentSimulator::OnTextChannel(CPeer& peer) {
  FlushRaw();
  if (!peer.Send({kAck})) return;
  std::string command;
  BYTE byte = 0;
  while (command.size() < kLineLimit) {
    if (!Receive(peer, &byte, 1, kByteTimeoutMs)) {
      AddLog("text-cut " + command);
      return;
    }
    if (byte == '\r') break;
    command += char(byte);
    if (command == kCorrectionWord && !m_profile.moduleWords.empty()) {
      OnCorrectionWords(peer);
      return;
    }
  }
  AddLog("text " + command);
  const std::string answer = TextAnswer(command);
  bool echo = false;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    echo = m_echo;
    if (command == "EC1") m_echo = true;
    if (command == "EC0") m_echo = false;
  }
  std::string line = echo ? command + " " + answer + "\r\n" : answer + "\r";
  if (answer == "BLE_RDY" || answer == "?") {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (int i = 0; i < m_extraLines && !m_profile.moduleWords.empty(); ++i)
      line += "line" + std::to_string(i) + "\r";
  }
  peer.Send(std::vector<BYTE>(line.begin(), line.end()));
  if (command == kMeasuringWord && answer == "ok") SendFrames(peer);
}

void CInstrumentSimulator::OnCorrectionWords(CPeer& peer) {
  std::vector<BYTE> values(kCorrectionValues + 1);
  if (!Receive(peer, values.data(), int(values.size()), kByteTimeoutMs)) {
    AddLog(std::string("text-cut ") + kCorrectionWord);
    return;
  }
  values.pop_back();
  AddLog(std::string("text ") + kCorrectionWord + " " + Hex(values));
  const std::string line = "ok\r";
  peer.Send(std::vector<BYTE>(line.begin(), line.end()));
}

void CInstrumentSimulator::SendFrames(CPeer& peer) {
  std::vector<std::vector<BYTE>> frames;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    frames = m_frames;
  }
  for (const std::vector<BYTE>& frame : frames) peer.Send(frame);
}

// "RLGI \"user\"; \"password\"; number" is answered with the user and the profile's flags.
std::string CInstrumentSimulator::LoginAnswer(const std::string& command) const {
  const size_t open = command.find('"');
  const size_t close = open == std::string::npos ? std::string::npos : command.find('"', open + 1);
  const std::string user =
      close == std::string::npos ? std::string() : command.substr(open + 1, close - open - 1);
  return user + ";" + std::to_string(m_loginFlags);
}

void CInstrumentSimulator::SetIdentityField(size_t index, const std::string& value) {
  std::vector<std::string> fields = FieldsOf(m_profile.identity);
  if (index >= fields.size()) return;
  fields[index] = value;
  std::string identity;
  for (const std::string& field : fields) identity += (identity.empty() ? "" : ";") + field;
  m_profile.identity = identity;
}

std::string CInstrumentSimulator::ModuleWriteAnswer(const std::string& command) {
  if (command.size() < 6) return std::string();
  const std::string word = command.substr(0, 6);
  const std::string value = command.substr(6);
  if (word == "WDSeNu") {
    SetIdentityField(2, value);
  } else if (word == "WDHWVe") {
    SetIdentityField(1, value);
  } else if (word == "WDSeDa") {
    m_textAnswers["RDSeDa"] = value;
  } else if (word == "WMSeNu") {
    m_textAnswers["RMSeNu"] = value;
  } else if (word == "WMHWVe") {
    m_textAnswers["RMHWVe"] = value;
  } else {
    return std::string();
  }
  return "ok";
}

std::string CInstrumentSimulator::TextAnswer(const std::string& command) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (command == "@ID@") {
    if (m_linkLostAnswers > 0) {
      --m_linkLostAnswers;
      return "BLE_CON_NOK";
    }
    if (m_profile.identity.empty()) return "?";
    return m_identityEchoed ? command + m_profile.identity : m_profile.identity;
  }
  if (command == "ID") {
    const std::string answer = m_idAnswerSet ? m_idAnswer : IdFromIdentity(m_profile.identity);
    return answer.empty() ? "?" : answer;
  }
  if (command == "EC?") return m_echo ? "1" : "0";
  if (command == "BR ?" && m_rateCommands && m_textAnswers.count(command) == 0)
    return std::to_string(m_rateDivisor);
  if (command == "EC1" || command == "EC0") return "OK";
  if (command.rfind("RLGI ", 0) == 0) return LoginAnswer(command);
  if (command == "RLGO") return "OK";
  if (command == "PNAM?" && m_textAnswers.count(command) == 0)
    return ++m_readyPolls >= m_readyAfterPolls ? "TA" : "BUSY";
  // A write word is stored and answered "ok" unless the test gave it an answer of its own.
  if (!m_profile.moduleWords.empty() && m_textAnswers.count(command) == 0) {
    const std::string written = ModuleWriteAnswer(command);
    if (!written.empty()) return written;
  }
  const auto it = m_textAnswers.find(command);
  return it == m_textAnswers.end() ? "?" : it->second;
}

void CInstrumentSimulator::OnFrame(CPeer& peer, BYTE header) {
  FlushRaw();
  std::vector<BYTE> frame{header};
  BYTE code = 0;
  if (!Receive(peer, &code, 1, kByteTimeoutMs)) {
    AddLog("frame-cut " + Hex(frame));
    return;
  }
  frame.push_back(code);
  const int count = header - kFirstFrameHeader;
  std::vector<BYTE> payload(size_t(count), 0);
  if (count > 0 && !Receive(peer, payload.data(), count, kByteTimeoutMs)) {
    AddLog("frame-cut " + Hex(frame));
    return;
  }
  frame.insert(frame.end(), payload.begin(), payload.end());
  if (!ApplicationAnswers()) {
    AddLog("frame " + Hex(frame));
    return;
  }
  if (header == kRawHeader && m_profile.blockRead && code == kBlockReadCode &&
      payload[0] == kBlockReadArgument) {
    AddLog("block-read " + Hex(frame));
    std::vector<BYTE> block(kBlockSize);
    for (int i = 0; i < kBlockSize; ++i) block[size_t(i)] = BYTE(i);
    peer.Send(block);
    return;
  }
  if (header == kRawHeader && code == kBlockCode && payload[0] == kBlockData &&
      OnTrailingBytes(peer, frame, "block128", 0))
    return;
  if (header == kRawHeader && code == kBlockCode && payload[0] != kBlockData) {
    OnTimedRequest(peer, frame, payload[0]);
    return;
  }
  if (code == kBlockCode && payload.size() == kTransferHeaderSize && payload[0] == kTransferHeader) {
    AddLog("frame " + Hex(frame));
    OnBlockTransfer(peer, payload);
    return;
  }
  if (header == kRawHeader && m_profile.rawLongRequests &&
      OnTrailingBytes(peer, frame, "raw-request", RawStatus()))
    return;
  AddLog("frame " + Hex(frame));
  if (code == kWakeUpCode) {
    peer.Send({kWakeUpAnswer});
    return;
  }
  if (code == kModeCode) {
    OnModeRequest(peer, payload);
    return;
  }
  std::vector<BYTE> reply{0x00};
  bool toBootLoader = false;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto function =
        payload.empty() ? m_functionReplies.end() : m_functionReplies.find({code, payload[0]});
    const auto it = m_frameReplies.find(code);
    if (function != m_functionReplies.end()) {
      reply = function->second;
    } else if (it != m_frameReplies.end()) {
      reply = it->second;
    } else if (code == kDeviceCodeCode) {
      reply = DeviceCodeReply(m_profile.identity);
    } else if (code == kSwitchCode) {
      reply = {4, 0, 0, 0, 0};
    } else if (code == kParameterCode) {
      reply = ParameterBlockReply(payload);
    }
    toBootLoader = int(code) == m_profile.bootRequest && payload == m_profile.bootRequestPayload;
    if (toBootLoader) {
      m_inBootLoader = true;
      m_bootState = 0;
    }
  }
  peer.Send(reply);
}

std::vector<BYTE> CInstrumentSimulator::ParameterBlockReply(const std::vector<BYTE>& payload) {
  if (payload.empty()) return {kRequestRefused};
  if (payload[0] == kParameterRead) {
    std::vector<BYTE> reply{BYTE(m_parameterBlock.size())};
    reply.insert(reply.end(), m_parameterBlock.begin(), m_parameterBlock.end());
    return reply;
  }
  if (payload[0] == kParameterWrite && payload.size() > kParameterHeader) {
    m_parameterBlock.assign(payload.begin() + kParameterHeader, payload.end());
    return {1, BYTE(m_parameterBlock.size())};
  }
  if (payload[0] == kParameterCommit) return {0x00};
  return {kRequestRefused};
}

void CInstrumentSimulator::OnModeRequest(CPeer& peer, const std::vector<BYTE>& payload) {
  if (payload.size() < 2) return;
  const BYTE subCode = payload[0];
  const int mode = payload[1];
  std::vector<BYTE> reply;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    switch (subCode) {
      case 0x00:
        reply = {1, BYTE(m_refusedModes.count(mode) ? 0 : 1)};
        break;
      case 0x01:
        reply = {1, BYTE(m_activeMode == mode ? 1 : 0)};
        break;
      case 0x02:
        // The switch itself is not answered.
        m_activeMode = mode;
        return;
      case 0x03:
        reply = {3, BYTE(m_modeDurationMs), BYTE(m_modeDurationMs >> 8), BYTE(m_modeDurationMs >> 16)};
        break;
      default:
        reply = {1, 0};
        break;
    }
  }
  peer.Send(reply);
}

void CInstrumentSimulator::OnTimedRequest(CPeer& peer, const std::vector<BYTE>& frame, BYTE subCode) {
  AddLog("timed " + Hex(frame));
  int durationMs = 0;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    durationMs = m_timedDurationMs;
  }
  if (subCode == kTimedStart) {
    // The operation runs for its announced time, then reports success.
    peer.Pause(durationMs);
    peer.Send({0x00});
  } else if (subCode == kFirstDuration || subCode == kSecondDuration) {
    peer.Send({3, BYTE(durationMs), BYTE(durationMs >> 8), BYTE(durationMs >> 16)});
  } else {
    peer.Send({kRefused});
  }
}

BYTE CInstrumentSimulator::RawStatus() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_rawStatus;
}

bool CInstrumentSimulator::OnTrailingBytes(CPeer& peer, std::vector<BYTE>& frame, const std::string& kind,
                                           BYTE status) {
  BYTE buffer[512];
  int got = ReceiveSome(peer, buffer, sizeof buffer, kRawGapMs);
  if (got <= 0) return false;
  while (got > 0) {
    frame.insert(frame.end(), buffer, buffer + got);
    got = ReceiveSome(peer, buffer, sizeof buffer, kRawGapMs);
  }
  AddLog(kind + " " + Hex(frame));
  peer.Send({status});
  return true;
}

void CInstrumentSimulator::OnServiceLine(CPeer& peer) {
  FlushRaw();
  std::string line = "S";
  BYTE byte = 0;
  while (line.size() < kLineLimit) {
    if (!Receive(peer, &byte, 1, kByteTimeoutMs)) {
      AddLog("line-cut " + line);
      return;
    }
    if (byte == '\n') break;
    line += char(byte);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > 1 && line[1] >= '0' && line[1] <= '9') {
    AddLog("record " + line);
    bool refused = false;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      refused = ++m_recordCount == m_refusedRecord;
    }
    peer.Send({BYTE(refused ? 'F' : 'P')});
    return;
  }
  AddLog("service " + line);
  OnServiceString(peer, line);
}

void CInstrumentSimulator::OnServiceString(CPeer& peer, const std::string& text) {
  std::vector<BYTE> reply;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    reply = ServiceAnswer(text);
  }
  if (!reply.empty()) peer.Send(reply);
}

std::vector<BYTE> CInstrumentSimulator::ServiceAnswer(const std::string& text) {
  const bool refused = m_refusedStrings.count(text) > 0;
  std::vector<BYTE> reply;
  auto answer = [&](char echo) { reply = {BYTE(refused ? kRefused : echo)}; };
  if (text == "SC030000FC") {
    if (m_profile.switchEcho) answer('B');
  } else if (text == "SC030102F9") {
    if (!refused) m_bootState = 1;
    answer('G');
  } else if (text == "SC030100FB") {
    if (!refused) m_bootState = 0;
    answer('G');
  } else if (text == "SC030202F8") {
    if (!refused) m_bootState = 2;
    answer('G');
  } else if (text == "SC030200FA") {
    if (!refused) m_bootState = 0;
    answer('G');
  } else if (text == "SE030000FC") {
    answer('E');
  } else if (text == "SV030000FC") {
    answer('V');
  } else if (text == "SX030000FC") {
    if (!refused && (!m_profile.twoBanks || m_bootState == 2)) m_inBootLoader = false;
    answer('X');
  } else if (text == "SI030000FC") {
    const std::string identity = m_bootIdentitySet ? m_bootIdentity : m_profile.identity;
    if (!refused) reply.assign(identity.begin(), identity.end());
  } else {
    reply = {kRefused};
  }
  return reply;
}

}  // namespace Sim
