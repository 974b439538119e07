#include "tests/sim/zd2/Zd2Simulator.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>

#include "platform/base/Clock.h"
#include "tests/sim/Peer.h"
#include "tests/sim/ReferenceCrc.h"

namespace Sim {
namespace {

constexpr BYTE kDle = 0x10;
constexpr BYTE kAck = 0x06;
constexpr BYTE kStatusOk = 0x00;
constexpr BYTE kStatusUnknownRequest = 0xF2;
constexpr int kPollMs = 200;
// How long a link that is about to hang up still stands after its last bytes.
constexpr int kHangupPauseMs = 2000;
// Longest line of a firmware update's S-records that the instrument takes.
constexpr size_t kMaxSRecordLength = 600;
// Frames put together per send when the link sets the pace.
constexpr int kFramesPerBatch = 16;
// A fast clock speeds the stream up with it, but never beyond what a reader on a busy machine
// keeps up with: frames it could not take would fill the link, and the client would see the
// instrument as it was a good while ago.
constexpr double kMaxFramesPerRealSecond = 1000;
constexpr double kRestartMs = 1000;
constexpr char kSilent = 0;
constexpr WORD kDateAddress = 0x1004;
constexpr int kDateLength = 10;
constexpr WORD kStepForceAddress = 0x1010;
constexpr WORD kSlopesAddress = 0x1012;
constexpr WORD kCalibratorAddress = 0x103A;
constexpr int kCalibratorLength = 4;
constexpr int kUnitSlope = 10000;

double ScaledNowMs() {
  std::int64_t micros = 0;
  QueryPerformanceCounterValue(micros);
  return double(micros) / 1000.0;
}

// The load limit of the model that the serial number's first four characters name.
int LoadLimitOfSerial(const std::string& serial) {
  const std::string model = serial.substr(0, 4);
  if (model == "VN01") return 6000;
  if (model == "VN02") return 16000;
  if (model == "VN03") return 25000;
  return 0;
}

// A 16-bit value as the instrument's hexadecimal answers give it: low byte first.
std::string HexWord(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X", value & 0xFF, (value >> 8) & 0xFF);
  return text;
}

bool IsUpperHexDigit(BYTE ch) { return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F'); }

std::vector<BYTE> Bytes(const std::string& text) { return std::vector<BYTE>(text.begin(), text.end()); }

bool HoldsIdentifier(const std::vector<BYTE>& image) {
  return std::equal(CZd2LiveModel::kValidityIdentifier, CZd2LiveModel::kValidityIdentifier + 4,
                    image.begin());
}

// What a stored copy holds of a calibration: segment 1 and the offset words.
void CopyCalibration(const std::vector<BYTE>& from, std::vector<BYTE>& to) {
  constexpr int kOffsets = CZd2Simulator::kOffsetsStart - CZd2Simulator::kInfoStart;
  std::copy_n(from.begin(), CZd2Simulator::kSegmentSize, to.begin());
  std::copy_n(from.begin() + kOffsets, CZd2Simulator::kOffsetsSize, to.begin() + kOffsets);
}

// A copy image of the memory's size: missing bytes are erased ones.
std::vector<BYTE> CopyImage(std::vector<BYTE> image) {
  image.resize(CZd2Simulator::kInfoSize, 0xFF);
  return image;
}

// The n-th ";"-separated field of an identity answer.
std::string Field(const std::string& text, int index) {
  size_t start = 0;
  for (int i = 0; i < index; ++i) {
    start = text.find(';', start);
    if (start == std::string::npos) return {};
    ++start;
  }
  return text.substr(start, text.find(';', start) - start);
}

}  // namespace

CZd2Simulator::CZd2Simulator() : m_identity("ZD-2;2;VN02-123-4567;0C000102;1.6.2") {
  // Unit, area, load limit, load rate and drive state answer from the model unless set, the
  // calibration's date, calibrator and counters from the memory.
  m_answers = {{"@EN@", "EN-2207"}, {"@VB@", "6810"}};
  ResetToModel();
}

std::vector<BYTE> CZd2Simulator::DefaultInfoMemory(const std::string& serial) {
  std::vector<BYTE> info(kInfoSize, 0xFF);
  auto put = [&info](WORD address, const std::vector<BYTE>& bytes) {
    std::copy(bytes.begin(), bytes.end(), info.begin() + (address - kInfoStart));
  };
  auto word = [](int value) { return std::vector<BYTE>{BYTE(value), BYTE(value >> 8)}; };
  put(kInfoStart, {CZd2LiveModel::kValidityIdentifier, CZd2LiveModel::kValidityIdentifier + 4});
  put(kDateAddress, Bytes("2026-11-05"));
  put(kStepForceAddress, word(LoadLimitOfSerial(serial) / CZd2LiveModel::kSteps));
  for (int step = 0; step < CZd2LiveModel::kSteps; ++step)
    put(WORD(kSlopesAddress + 2 * step), word(kUnitSlope));
  put(kCalibratorAddress, Bytes("CAL7"));
  put(kCountersStart, {0x78, 0x56, 0x34, 0x12, 0xEF, 0xBE, 0xAD, 0xDE});
  put(kOffsetsStart, std::vector<BYTE>(kOffsetsSize, 0));
  return info;
}

void CZd2Simulator::ResetToModel() {
  m_info = DefaultInfoMemory(Field(m_identity, 2));
  m_factoryCopy = m_lastUsedCopy = m_info;
}

void CZd2Simulator::SetRecords(std::vector<BYTE> records) {
  std::lock_guard lock(m_mutex);
  m_records = std::move(records);
}

bool CZd2Simulator::LoadRecordFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  SetRecords(std::vector<BYTE>(std::istreambuf_iterator<char>(file), {}));
  return true;
}

int CZd2Simulator::RecordCount() const {
  std::lock_guard lock(m_mutex);
  return int(m_records.size() / kRecordSize);
}

void CZd2Simulator::SetIdentity(const std::string& identity) {
  std::lock_guard lock(m_mutex);
  m_identity = identity;
  if (!m_infoChosen) ResetToModel();
}

void CZd2Simulator::SetQueryAnswer(const std::string& query, const std::string& answer) {
  std::lock_guard lock(m_mutex);
  m_answers[query] = answer;
}

void CZd2Simulator::SetDeleteAllDoubleAnswer(bool on) {
  std::lock_guard lock(m_mutex);
  m_deleteAllDoubleAnswer = on;
}

void CZd2Simulator::SetServiceModeOnly(bool on) {
  std::lock_guard lock(m_mutex);
  m_serviceModeOnly = on;
}

void CZd2Simulator::SetDownloadFault(EDownloadFault fault, int faultRecord, int stallMs) {
  std::lock_guard lock(m_mutex);
  m_fault = fault;
  m_faultRecord = faultRecord;
  m_stallMs = stallMs;
}

void CZd2Simulator::SetSRecordRefusal(int number) {
  std::lock_guard lock(m_mutex);
  m_refusedSRecord = number;
}

std::vector<std::string> CZd2Simulator::SRecords() const {
  std::lock_guard lock(m_mutex);
  return m_sRecords;
}

void CZd2Simulator::SetReceiveSink(std::function<void(const BYTE*, int)> sink) {
  std::lock_guard lock(m_mutex);
  m_sink = std::move(sink);
}

void CZd2Simulator::SetRefusedWrite(WORD address) {
  std::lock_guard lock(m_mutex);
  m_refusedWrites.insert(address);
}

void CZd2Simulator::SetStickyByte(WORD address) {
  std::lock_guard lock(m_mutex);
  m_stickyBytes.insert(address);
}

std::vector<BYTE> CZd2Simulator::InfoMemory() const {
  std::lock_guard lock(m_mutex);
  return m_info;
}

void CZd2Simulator::SetInfoMemory(WORD address, const std::vector<BYTE>& bytes) {
  std::lock_guard lock(m_mutex);
  m_infoChosen = true;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (BYTE* cell = InfoAt(WORD(address + i))) *cell = bytes[i];
  }
}

void CZd2Simulator::SetFactoryCopy(std::vector<BYTE> image) {
  std::lock_guard lock(m_mutex);
  m_infoChosen = true;
  m_factoryCopy = CopyImage(std::move(image));
}

void CZd2Simulator::SetLastUsedCopy(std::vector<BYTE> image) {
  std::lock_guard lock(m_mutex);
  m_infoChosen = true;
  m_lastUsedCopy = CopyImage(std::move(image));
}

std::vector<BYTE> CZd2Simulator::FactoryCopy() const {
  std::lock_guard lock(m_mutex);
  return m_factoryCopy;
}

std::vector<BYTE> CZd2Simulator::LastUsedCopy() const {
  std::lock_guard lock(m_mutex);
  return m_lastUsedCopy;
}

void CZd2Simulator::SetRefusedErase(int segment) {
  std::lock_guard lock(m_mutex);
  m_refusedErases.insert(segment);
}

void CZd2Simulator::SetOverwriteRefused(bool on) {
  std::lock_guard lock(m_mutex);
  m_overwriteRefused = on;
}

void CZd2Simulator::SetLifetimeBump(bool on) {
  std::lock_guard lock(m_mutex);
  m_lifetimeBump = on;
}

void CZd2Simulator::SetRawSilence(bool on) {
  std::lock_guard lock(m_mutex);
  m_rawSilence = on;
}

bool CZd2Simulator::InDebugProtocol() const {
  std::lock_guard lock(m_mutex);
  return m_debug;
}

BYTE* CZd2Simulator::InfoAt(WORD address) {
  if (address < kInfoStart || address >= kInfoStart + kInfoSize) return nullptr;
  return &m_info[address - kInfoStart];
}

bool CZd2Simulator::Next(CPeer& peer, BYTE& byte) {
  while (!peer.IsStopping()) {
    if (peer.ReceiveSome(&byte, 1, Stream(peer)) != 1) continue;
    std::function<void(const BYTE*, int)> sink;
    {
      std::lock_guard lock(m_mutex);
      if (ScaledNowMs() < m_ignoreUntilMs) continue;
      sink = m_sink;
    }
    if (sink) sink(&byte, 1);
    return true;
  }
  return false;
}

void CZd2Simulator::Run(CPeer& peer) {
  BYTE byte = 0;
  while (Next(peer, byte)) {
    // Bytes of the binary protocol have the top bit set, so they reach the instrument also
    // while it reads debug-protocol text.
    if (InDebugProtocol() && byte < 0x80) {
      OnDebugChar(peer, byte);
    } else if (byte == kDle) {
      OnTextChannel(peer);
    } else if (byte == 'S') {
      OnServiceString(peer);
    } else if (byte == 0xC3 || byte == 0xC4) {
      BYTE second = 0;
      if (!Next(peer, second)) return;
      if (second == 0xC1) {
        OnRaw(peer, byte, second);
      } else {
        for (int i = 0; i < byte - 0xC0; ++i) Next(peer, byte);
        peer.Send({kStatusUnknownRequest});
      }
    } else if (byte >= 0xC0 && byte <= 0xC0 + 47) {
      OnFrame(peer, byte);
    }
  }
}

void CZd2Simulator::OnTextChannel(CPeer& peer) {
  peer.Send({kAck});
  std::string command;
  BYTE ch = 0;
  while (Next(peer, ch) && ch != '\r') command += char(ch);
  const std::string answer = TextAnswer(command);
  if (!answer.empty()) peer.Send(Bytes(answer + "\r"));
}

std::string CZd2Simulator::ModelAnswer(const std::string& command) const {
  char text[8];
  if (command == "@UU@") {
    std::snprintf(text, sizeof text, "%X", m_unit & 0xF);
    return text;
  }
  if (command == "@DA@") return HexWord(m_area);
  if (command == "@MF@") return HexWord(LoadLimitOfSerial(Field(m_identity, 2)));
  if (command == "@RA@") return HexWord(m_model.GetLoadRate());
  if (command == "@DS@") {
    std::snprintf(text, sizeof text, "%02X", m_model.GetDriveState() & 0xFF);
    return text;
  }
  return {};
}

// The counters as eight hexadecimal characters, low byte first; the date and the calibrator as
// their characters up to the first erased or zero byte.
std::string CZd2Simulator::MemoryAnswer(const std::string& command) const {
  auto at = [this](WORD address) { return m_info[size_t(address - kInfoStart)]; };
  auto hex = [&](WORD address) {
    std::string text;
    char pair[3];
    for (int i = 0; i < 4; ++i) {
      std::snprintf(pair, sizeof pair, "%02X", at(WORD(address + i)));
      text += pair;
    }
    return text;
  };
  auto characters = [&](WORD address, int count) {
    std::string text;
    for (int i = 0; i < count && at(WORD(address + i)) != 0xFF && at(WORD(address + i)) != 0; ++i)
      text += char(at(WORD(address + i)));
    return text;
  };
  if (command == "@CA@") return hex(kCountersStart);
  if (command == "@CB@") return hex(kCountersStart + 4);
  if (command == "@CD@") return characters(kDateAddress, kDateLength);
  if (command == "@CI@") return characters(kCalibratorAddress, kCalibratorLength);
  return {};
}

std::string CZd2Simulator::TextAnswer(const std::string& command) {
  std::lock_guard lock(m_mutex);
  if (command == "@ID@") return m_serviceModeOnly ? std::string() : m_identity;
  if (command == "ID") {
    if (m_serviceModeOnly) return {};
    return Field(m_identity, 0) + ";" + Field(m_identity, 4) + ";" + Field(m_identity, 2);
  }
  const auto found = m_answers.find(command);
  if (found != m_answers.end()) return found->second;
  std::string answer = MemoryAnswer(command);
  if (answer.empty()) answer = ModelAnswer(command);
  return answer.empty() ? "?" : answer;
}

void CZd2Simulator::OnFrame(CPeer& peer, BYTE header) {
  BYTE code = 0;
  if (!Next(peer, code)) return;
  std::vector<BYTE> payload(size_t(header - 0xC0));
  for (BYTE& b : payload) {
    if (!Next(peer, b)) return;
  }
  if (code == 0xF1 && payload.empty()) {
    DWORD signature = 0;
    {
      std::lock_guard lock(m_mutex);
      std::sscanf(Field(m_identity, 3).c_str(), "%x", &signature);
    }
    peer.Send({4, BYTE(signature), BYTE(signature >> 8), BYTE(signature >> 16), BYTE(signature >> 24)});
    return;
  }
  if (code != 0xD2 || payload.size() != 1) {
    peer.Send({kStatusUnknownRequest});
    return;
  }
  bool doubleAnswer = false;
  {
    std::lock_guard lock(m_mutex);
    switch (payload[0]) {
      case 4:
        m_debug = true;
        m_debugArgument.clear();
        break;
      case 0x0B:
        m_records.clear();
        doubleAnswer = m_deleteAllDoubleAnswer;
        break;
      case 6:
        // Mode 6 starts the light-barrier count again and leaves the debug protocol.
        m_model.ResetCounter();
        m_debug = false;
        break;
      default:
        // Service mode (1) leaves the debug protocol.
        m_debug = false;
        break;
    }
  }
  if (doubleAnswer) {
    peer.Send({kStatusOk, kStatusOk});
    return;
  }
  peer.Send({kStatusOk});
}

void CZd2Simulator::OnRaw(CPeer& peer, BYTE first, BYTE second) {
  BYTE third = 0;
  if (!Next(peer, third)) return;
  if (first == 0xC3 && second == 0xC1 && third == 0xC1) {
    SendDownload(peer);
    return;
  }
  if (first == 0xC4) {
    const char answer = CalibrationCommand(third);
    if (answer) peer.Send({BYTE(answer)});
    return;
  }
  peer.Send({kStatusUnknownRequest});
}

// The factory copy answers C1, D1 and E1, the last-used copy C2, D2 and E2; E3 asks about
// the memory itself. A restore takes segment 1 and the offsets, never the counters.
char CZd2Simulator::CalibrationCommand(BYTE command) {
  std::lock_guard lock(m_mutex);
  if (m_rawSilence) return kSilent;
  auto restore = [&](const std::vector<BYTE>& copy) {
    if (!HoldsIdentifier(copy)) return 'e';
    CopyCalibration(copy, m_info);
    return 'g';
  };
  auto overwrite = [&](std::vector<BYTE>& copy) {
    if (m_overwriteRefused) return 'f';
    if (!HoldsIdentifier(m_info)) return 'e';
    CopyCalibration(m_info, copy);
    return 'g';
  };
  switch (command) {
    case 0xE1:
      return HoldsIdentifier(m_factoryCopy) ? 'y' : 'n';
    case 0xE2:
      return HoldsIdentifier(m_lastUsedCopy) ? 'y' : 'n';
    case 0xE3:
      return HoldsIdentifier(m_info) ? 'y' : 'n';
    case 0xC1:
      return restore(m_factoryCopy);
    case 0xC2:
      return restore(m_lastUsedCopy);
    case 0xD1:
      return overwrite(m_factoryCopy);
    case 0xD2:
      return overwrite(m_lastUsedCopy);
    default:
      return kSilent;
  }
}

void CZd2Simulator::OnServiceString(CPeer& peer) {
  std::string line = "S";
  BYTE ch = 0;
  while (line.size() < kMaxSRecordLength && Next(peer, ch)) {
    line += char(ch);
    if (ch == '\n') break;
  }
  if (line == "SC030102F9\r\n") {
    peer.Send({'G'});
  } else if (line == "SE030000FC\r\n") {
    peer.Send({'E'});
  } else if (line == "SX030000FC\r\n") {
    peer.Send({'X'});
  } else if (line == "SI030000FC\r\n") {
    std::string identity;
    {
      std::lock_guard lock(m_mutex);
      identity = m_identity;
    }
    peer.Send(Bytes(identity));
  } else if (line.size() > 2 && line[1] >= '0' && line[1] <= '9') {
    // A record of the firmware being written.
    bool refused = false;
    {
      std::lock_guard lock(m_mutex);
      m_sRecords.push_back(line);
      refused = int(m_sRecords.size()) == m_refusedSRecord;
    }
    peer.Send({BYTE(refused ? 'F' : 'P')});
  }
}

void CZd2Simulator::OnDebugChar(CPeer& peer, BYTE ch) {
  if (IsUpperHexDigit(ch)) {
    m_debugArgument += char(ch);
    return;
  }
  const std::string argument = std::exchange(m_debugArgument, std::string());
  if (ch >= 'a' && ch <= 'z') RunDebugCommand(peer, argument, char(ch));
}

void CZd2Simulator::BumpLifetimeCounter() {
  constexpr WORD kLifetimeCounter = 0x1080;
  BYTE* low = InfoAt(kLifetimeCounter);
  if (!low) return;
  DWORD counter = DWORD(low[0]) | DWORD(low[1]) << 8 | DWORD(low[2]) << 16 | DWORD(low[3]) << 24;
  ++counter;
  for (int i = 0; i < 4; ++i) low[i] = BYTE(counter >> (8 * i));
}

void CZd2Simulator::RunDebugCommand(CPeer& peer, const std::string& argument, char letter) {
  const unsigned long value = argument.empty() ? 0 : std::stoul(argument, nullptr, 16);
  std::vector<BYTE> reply;
  bool hangup = false;
  {
    std::lock_guard lock(m_mutex);
    const bool driveBusy = !m_pendingDrive.empty() || m_model.GetDriveState() != CZd2LiveModel::eStop;
    const bool atRestOnly =
        letter == 'i' || letter == 'f' || (letter == 'g' && value == CZd2LiveModel::eStart);
    if (driveBusy && atRestOnly) ++m_commandsWhileDriveBusy;
    switch (letter) {
      case 's':
        if (value <= 1) {
          m_continuous = value == 0;
        } else {
          m_address = WORD(value);
        }
        break;
      case 'n':
        for (unsigned long i = 0; i < value; ++i) {
          const BYTE* cell = InfoAt(WORD(m_address + i));
          char pair[3];
          std::snprintf(pair, sizeof pair, "%02X", cell ? *cell : 0xFF);
          reply.insert(reply.end(), pair, pair + 2);
        }
        break;
      case 'w': {
        const BYTE data = BYTE(value >> 8);
        const BYTE check = BYTE(value);
        BYTE* cell = InfoAt(m_address);
        const bool ok = argument.size() == 4 && cell && check == BYTE((m_address >> 8) + m_address + data) &&
                        !m_refusedWrites.count(m_address);
        if (ok) {
          if (!m_stickyBytes.count(m_address)) *cell = data;
          ++m_address;
        }
        reply.push_back(ok ? 'k' : 'f');
        break;
      }
      case 'e': {
        const DWORD expected = DWORD(0) - DWORD(m_address);
        const bool ok = argument.size() == 8 && value == expected && InfoAt(m_address) &&
                        (m_address - kInfoStart) % kSegmentSize == 0 &&
                        !m_refusedErases.count((m_address - kInfoStart) / kSegmentSize + 1);
        if (ok) std::fill_n(m_info.begin() + (m_address - kInfoStart), kSegmentSize, BYTE(0xFF));
        reply.push_back(ok ? 'k' : 'f');
        break;
      }
      case 'x':
        // Continuous mode stays chosen for the next time the protocol is entered.
        m_debug = false;
        break;
      case 'r':
        m_debug = false;
        m_continuous = false;
        m_pendingDrive.clear();
        m_heldFrames.clear();
        m_model.Restart();
        m_ignoreUntilMs = ScaledNowMs() + kRestartMs;
        break;
      case 'i':
        m_model.SetRampSpeed(int(value));
        break;
      case 'f':
        ++m_nominalLoadCommands;
        hangup = m_nominalLoadCommands == m_hangupAtNominalLoad;
        if (m_nominalLoadCommands == m_refusedNominalLoad)
          reply.push_back('f');
        else
          m_model.SetNominalLoad(int(value));
        break;
      case 'g':
        if (value == CZd2LiveModel::eStart && ++m_startCommands == m_refusedStart)
          reply.push_back('f');
        else
          CommandDrive(int(value));
        break;
      case 'z':
        m_model.SetAutoHome(value != 0);
        break;
      case 'u':
        if (m_lifetimeBump && value == 1 && m_debugValues['u'] != 1) BumpLifetimeCounter();
        m_debugValues[letter] = int(value);
        break;
      default:
        m_debugValues[letter] = int(value);
        break;
    }
  }
  if (hangup) {
    peer.Hangup();
    return;
  }
  if (!reply.empty()) peer.Send(reply);
}

void CZd2Simulator::CommandDrive(int state) {
  if (m_driveLagMs <= 0) {
    m_model.CommandDrive(state);
    return;
  }
  m_pendingDrive.push_back({state, ScaledNowMs() + m_driveLagMs});
}

void CZd2Simulator::CarryOutDueDriveCommands(double ms, std::string& bytes) {
  while (!m_pendingDrive.empty() && m_pendingDrive.front().dueMs <= ms) {
    AdvanceModelTo(m_pendingDrive.front().dueMs, m_streaming);
    bytes += m_heldFrames;
    m_heldFrames.clear();
    m_model.CommandDrive(m_pendingDrive.front().state);
    m_pendingDrive.pop_front();
  }
}

void CZd2Simulator::SendDownload(CPeer& peer) {
  std::vector<BYTE> records;
  EDownloadFault fault;
  int faultRecord;
  int stallMs;
  {
    std::lock_guard lock(m_mutex);
    records = m_records;
    fault = m_fault;
    faultRecord = m_faultRecord;
    stallMs = m_stallMs;
  }
  const int count = int(records.size() / kRecordSize);
  const int total = count * (kRecordSize + 2);
  std::vector<BYTE> reply = {2, BYTE(total >> 8), BYTE(total), BYTE(count)};
  for (int i = 0; i < count; ++i) {
    const BYTE* record = records.data() + size_t(i) * kRecordSize;
    WORD crc = ReferenceCrc16(record, kRecordSize);
    if (fault == EDownloadFault::eBadCrc && i + 1 == faultRecord) crc ^= 0x0100;
    reply.insert(reply.end(), record, record + kRecordSize);
    reply.push_back(BYTE(crc >> 8));
    reply.push_back(BYTE(crc));
  }
  const int halfway = 4 + total / 2;
  switch (fault) {
    case EDownloadFault::eSilence:
      return;
    case EDownloadFault::eHeaderCut:
      peer.Send({reply[0], reply[1], reply[2]});
      return;
    case EDownloadFault::eStall:
      peer.Send(reply, SFault::Stall(halfway, stallMs));
      return;
    case EDownloadFault::eDisconnect:
      peer.Send(reply, SFault::Hangup(halfway));
      return;
    case EDownloadFault::eDisconnectAfter:
      // A terminal that hangs up drops what its client has not read yet: the pause lets the
      // client take the bytes, as it would from a line that was pulled after them.
      peer.Send(
          std::vector<BYTE>(reply.begin(), reply.begin() + std::min<size_t>(faultRecord, reply.size())));
      peer.Pause(kHangupPauseMs);
      peer.Hangup();
      return;
    case EDownloadFault::eBadCheckSize:
      reply[0] = 3;
      break;
    case EDownloadFault::eZeroSize:
      reply[1] = reply[2] = 0;
      reply.resize(4);
      break;
    case EDownloadFault::eCountMismatch:
      reply[3] = BYTE(count + 1);
      break;
    default:
      break;
  }
  peer.Send(reply);
}

void CZd2Simulator::SetFrameRate(int framesPerSecond) {
  std::lock_guard lock(m_mutex);
  m_frameRate = framesPerSecond;
}

void CZd2Simulator::SetForceModel(double gain, double offset, int noise, unsigned seed) {
  std::lock_guard lock(m_mutex);
  m_model.SetForceModel(gain, offset, noise, seed);
}

void CZd2Simulator::AddLiveTest(const CZd2LiveModel::SLiveTest& test) {
  std::lock_guard lock(m_mutex);
  m_model.AddLiveTest(test);
}

void CZd2Simulator::SetLiveCut(int frames) {
  std::lock_guard lock(m_mutex);
  m_liveCut = frames;
}

void CZd2Simulator::SetFrameNoise(int every) {
  std::lock_guard lock(m_mutex);
  m_frameNoise = every;
}

void CZd2Simulator::SetHoldOperatorTests(bool on) {
  std::lock_guard lock(m_mutex);
  m_model.SetHoldOperatorTests(on);
}

void CZd2Simulator::SetDriveStall(int newtons) {
  std::lock_guard lock(m_mutex);
  m_model.SetDriveStall(newtons);
}

void CZd2Simulator::SetNominalLoadRefusal(int occurrence) {
  std::lock_guard lock(m_mutex);
  m_refusedNominalLoad = occurrence;
}

void CZd2Simulator::SetStartRefusal(int occurrence) {
  std::lock_guard lock(m_mutex);
  m_refusedStart = occurrence;
}

void CZd2Simulator::SetHangupAtNominalLoad(int occurrence) {
  std::lock_guard lock(m_mutex);
  m_hangupAtNominalLoad = occurrence;
}

void CZd2Simulator::SetDriveLag(int ms) {
  std::lock_guard lock(m_mutex);
  m_driveLagMs = ms;
}

int CZd2Simulator::CommandsWhileDriveBusy() const {
  std::lock_guard lock(m_mutex);
  return m_commandsWhileDriveBusy;
}

int CZd2Simulator::HeldPeak() const {
  std::lock_guard lock(m_mutex);
  return m_model.HeldPeak();
}

void CZd2Simulator::ReleaseHold() {
  std::lock_guard lock(m_mutex);
  m_model.ReleaseHold();
}

int CZd2Simulator::FramesSent() const {
  std::lock_guard lock(m_mutex);
  return m_framesSent;
}

int CZd2Simulator::DriveState() const {
  std::lock_guard lock(m_mutex);
  return m_model.GetDriveState();
}

std::string CZd2Simulator::DamageFrame(std::string frame) {
  switch (m_damaged++ % 3) {
    case 0:
      frame[3] = 'X';
      break;
    case 1:
      frame[5] = 'b';
      break;
    default:
      frame.erase(6, 1);
      break;
  }
  return frame;
}

void CZd2Simulator::AdvanceModelTo(double ms, bool streaming) {
  if (m_lastAdvanceMs >= 0 && ms > m_lastAdvanceMs) m_model.Advance(ms - m_lastAdvanceMs, streaming);
  m_lastAdvanceMs = std::max(m_lastAdvanceMs, ms);
}

int CZd2Simulator::Stream(CPeer& peer) {
  std::string bytes;
  bool cut = false;
  int waitMs = kPollMs;
  {
    std::lock_guard lock(m_mutex);
    const double now = ScaledNowMs();
    const bool streaming = m_debug && m_continuous;
    if (streaming && !m_streaming) {
      m_streamStartMs = now;
      m_streamFrames = 0;
    }
    m_streaming = streaming;
    if (!streaming) {
      // An instrument that has left continuous mode sends none of the frames it held back.
      m_heldFrames.clear();
      CarryOutDueDriveCommands(now, bytes);
      AdvanceModelTo(now, false);
      return kPollMs;
    }
    long long due = kFramesPerBatch;
    waitMs = 0;
    if (m_frameRate > 0) {
      // Every frame the schedule owes goes out, however late this thread got to run.
      due = (long long)((now - m_streamStartMs) / FrameIntervalMs()) - m_streamFrames;
      waitMs = std::max(0, int(FrameDueMs(m_streamFrames + std::max(due, 0LL) + 1) - now));
    }
    const std::string version = Field(m_identity, 4);
    for (long long i = 0; i < due && !cut; ++i) {
      // The model moves on to the moment the frame is due, so that a late batch carries the
      // same frames as punctual ones would have.
      const double frameDueMs = m_frameRate > 0 ? FrameDueMs(m_streamFrames + 1) : now;
      CarryOutDueDriveCommands(frameDueMs, bytes);
      AdvanceModelTo(frameDueMs, true);
      std::string frame = m_model.NextFrame(version, m_info);
      ++m_streamFrames;
      ++m_framesSent;
      if (m_frameNoise > 0 && m_framesSent % m_frameNoise == 0) frame = DamageFrame(frame);
      (m_pendingDrive.empty() ? bytes : m_heldFrames) += frame;
      if (m_liveCut > 0 && m_framesSent >= m_liveCut) {
        cut = true;
        m_liveCut = 0;
        m_debug = false;
        m_continuous = false;
      }
    }
    CarryOutDueDriveCommands(now, bytes);
  }
  if (!bytes.empty()) peer.Send(Bytes(bytes));
  if (cut) peer.Hangup();
  return waitMs;
}

double CZd2Simulator::FrameIntervalMs() const {
  return std::max(1000.0 / m_frameRate, 1000.0 * GetTimeScale() / kMaxFramesPerRealSecond);
}

double CZd2Simulator::FrameDueMs(long long frame) const {
  return m_streamStartMs + double(frame) * FrameIntervalMs();
}

}  // namespace Sim
