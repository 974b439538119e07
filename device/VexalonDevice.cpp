#include "device/VexalonDevice.h"

#include <string_view>
#include <vector>

#include "device/Callback.h"
#include "device/JvCommands.h"
#include "device/UpdateErrorCode.h"
#include "device/Version.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"
#include "platform/res/StringTable.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr int kType = 9;
constexpr BYTE kDeviceCode = 12;
constexpr int kQueryTimeoutMs = 2000;
constexpr int kTextAnswerSize = 64;
constexpr int kHexAnswerSize = 10;
constexpr int kRawAnswerPauseMs = 100;
constexpr int kServiceIdentitySize = 66;
constexpr BYTE kModeRequest = 0xD2;
constexpr BYTE kModeService = 1;
constexpr BYTE kMode6 = 6;
constexpr int kModeRequestTimeoutMs = 3000;
constexpr int kEraseMinimumTimeoutMs = 3000;
constexpr int kServiceStringPauseMs = 50;
constexpr int kServiceStringRepeats = 5;
constexpr int kAfterUpdateRestartMs = 2000;
constexpr int kOverwriteAttempts = 10;

const char kServiceEnter[] = "SC030102F9\r\n";
const char kServiceIdentity[] = "SI030000FC\r\n";
const char kServiceClear[] = "SC030000FC\r\n";
const char kServiceErase[] = "SE030000FC\r\n";
const char kServiceCheck[] = "SX030000FC\r\n";
constexpr int kServiceStringLength = 12;

const BYTE kDeleteAll[] = {0xC1, 0xD2, 0x0B};

bool SendServiceString(CJvCommands* commands, const char* text, char echo) {
  return commands && commands->SendWithEcho(reinterpret_cast<const BYTE*>(text), kServiceStringLength, echo);
}

// The 32-bit hexadecimal signature; false for anything else.
bool ParseSignature(const CString& text, DWORD& value) {
  if (text.IsEmpty() || text.GetLength() > 8) return false;
  value = 0;
  for (int i = 0; i < text.GetLength(); ++i) {
    const int digit = HexPairToByte('0', char(text[i] < 0x80 ? text[i] : 'x'));
    if (digit < 0) return false;
    value = (value << 4) | DWORD(digit);
  }
  return true;
}

void ShowError(const CString& text) { MessageBox(nullptr, text, CString(u"ZD-Zedo"), MB_OK | MB_ICONERROR); }

}  // namespace

CVexalonDevice::CVexalonDevice() : CJvDevice(kType, u"ZD-2", ePortSerial, kDeviceCode) {
  m_serialSettings.baud = 19200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 50;
}

CVexalonDevice::~CVexalonDevice() {
  if (GetStream()) LeaveDebugProtocol(true, false);
}

std::unique_ptr<CJvDevice> CVexalonDevice::Create() const { return std::make_unique<CVexalonDevice>(); }

bool CVexalonDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen() || !Commands()) return false;
  if (!LeaveDebugProtocol(false, false)) return false;
  CString answer;
  if (Commands()->QueryIdentity(answer, kQueryTimeoutMs) && !answer.IsEmpty()) {
    m_protocolState = kProtocolApplication;
  } else if (ReadServiceIdentity(answer)) {
    m_protocolState = kProtocolService;
  } else {
    return false;
  }
  return ParseIdentity(answer, ident);
}

bool CVexalonDevice::ParseIdentity(const CString& answer, SDeviceIdent& ident) {
  // An empty field between two separators reads "-", so that every field keeps its place.
  CString text = answer;
  while (text.Find(u";;") >= 0) text.Replace(u";;", u";-;");
  std::vector<CString> fields;
  int position = 0;
  for (CString field = text.Tokenize(u";", position); position >= 0; field = text.Tokenize(u";", position))
    fields.push_back(field);
  if (fields.size() < 5) return false;
  m_info.deviceName = fields[0];
  m_info.hardwareRevision = fields[1];
  m_info.serialNumber = fields[2] == u"-" ? CString(u"VN00-000-0000") : fields[2];
  m_info.signature = fields[3];
  m_info.appVersion = fields[4];
  ident = m_info;
  DWORD signature = 0;
  if (!ParseSignature(m_info.signature, signature)) return false;
  if (m_info.deviceName.IsEmpty() || m_info.appVersion.IsEmpty() || m_info.serialNumber.IsEmpty() ||
      m_info.hardwareRevision.IsEmpty())
    return false;
  return (LONG(signature) >> 24) == kDeviceCode;
}

CString CVexalonDevice::GetInfoText() {
  m_infoText.Format(ResString(IDS_DEVICE_INFO), m_info.deviceName, m_info.serialNumber, m_info.appVersion,
                    m_info.hardwareRevision, m_info.signature);
  return m_infoText;
}

const CString& CVexalonDevice::GetSerialNumber() { return m_info.serialNumber; }

bool CVexalonDevice::FillFirmwareList(CContents& contents) {
  if (m_info.signature.IsEmpty()) {
    SDeviceIdent ident;
    if (!Identify(ident)) return false;
  }
  contents.m_entries.clear();
  SContentEntry entry;
  entry.flags = 1;
  entry.kind = 1;
  entry.contentType = 1;
  entry.version = CVersion(m_info.appVersion);
  contents.m_entries.push_back(entry);
  return true;
}

bool CVexalonDevice::QueryId(SDeviceIdent& ident) {
  if (LeaveDebugProtocol(false, false) && CJvDevice::QueryId(ident)) {
    m_protocolState = kProtocolApplication;
    return true;
  }
  return Identify(ident);
}

int CVexalonDevice::GetDeviceCode() {
  if (!Commands()) return 0;
  SDeviceIdent ident;
  DWORD signature = 0;
  if (!Identify(ident) || !ParseSignature(m_info.signature, signature)) return 0;
  return int(signature);
}

void CVexalonDevice::GetDeviceInfo(SDeviceInfo& info) { info = m_info; }

bool CVexalonDevice::ReadServiceIdentity(CString& answer) {
  StreamIO::CIoStream* stream = GetStream();
  if (!stream || !Commands()) return false;
  try {
    if (!SendServiceString(Commands(), kServiceEnter, 'G')) return false;
    SendServiceString(Commands(), kServiceIdentity, 0);
    char buffer[kServiceIdentitySize + 1] = {};
    const int got = stream->Read(buffer, kServiceIdentitySize);
    if (got <= 3) return false;
    answer = CString::FromAnsi(std::string_view(buffer, size_t(got)));
    return true;
  } catch (const CFileException&) {
    return false;
  }
}

int CVexalonDevice::Query(const char* query, char* answer, int answerSize) {
  if (!LeaveDebugProtocol(false, false)) return -1;
  return TextQuery(CString(query), answer, answerSize, kQueryTimeoutMs);
}

bool CVexalonDevice::QueryText(const char* query, CString& text) {
  char answer[kTextAnswerSize] = {};
  if (Query(query, answer, sizeof answer) > 0) {
    text = CString::FromAnsi(answer);
    return true;
  }
  text = u"UNDEF";
  return false;
}

bool CVexalonDevice::QueryEN(CString& text) { return QueryText("@EN@", text); }

bool CVexalonDevice::QueryCD(CString& text) { return QueryText("@CD@", text); }

bool CVexalonDevice::QueryCI(CString& text) { return QueryText("@CI@", text); }

bool CVexalonDevice::QueryHex(const char* query, int digits, DWORD& value) {
  char answer[kHexAnswerSize] = {};
  if (Query(query, answer, sizeof answer) != digits) return false;
  if (digits == 1) {
    const int digit = HexPairToByte('0', answer[0]);
    if (digit < 0) return false;
    value = DWORD(digit);
    return true;
  }
  if (digits % 2 != 0) return false;
  DWORD result = 0;
  for (int i = 0; i < digits / 2; ++i) {
    const int byte = HexPairToByte(answer[2 * i], answer[2 * i + 1]);
    if (byte < 0) return false;
    result |= DWORD(byte) << (8 * i);
  }
  value = result;
  return true;
}

bool CVexalonDevice::QueryCalibrationWord(bool askCA, DWORD& value) {
  return QueryHex(askCA ? "@CA@" : "@CB@", 8, value);
}

double CVexalonDevice::ReadBatteryVoltage() {
  DWORD millivolts = 0;
  return QueryHex("@VB@", 4, millivolts) ? millivolts * 0.001 : 0.0;
}

int CVexalonDevice::ReadDriveState() {
  DWORD state = 0;
  return QueryHex("@DS@", 2, state) ? int(state) : -1;
}

WORD CVexalonDevice::QueryDA() {
  DWORD value = 0;
  return QueryHex("@DA@", 4, value) ? WORD(value) : 0;
}

WORD CVexalonDevice::QueryMF() {
  DWORD value = 0;
  return QueryHex("@MF@", 4, value) ? WORD(value) : 0;
}

WORD CVexalonDevice::QueryRA() {
  DWORD value = 0;
  return QueryHex("@RA@", 4, value) ? WORD(value) : 0;
}

int CVexalonDevice::QueryUU() {
  DWORD value = 0;
  return QueryHex("@UU@", 1, value) ? int(value) : -1;
}

bool CVexalonDevice::SendRawCommand(const BYTE* bytes, int count, BYTE& answer) {
  answer = 0;
  if (!LeaveDebugProtocol(false, false)) return false;
  StreamIO::CIoStream* stream = GetStream();
  if (!stream) return false;
  try {
    stream->Purge();
    for (int i = 0; i < count; ++i) stream->WriteByte(bytes[i]);
    Sleep(kRawAnswerPauseMs);
    return stream->Read(&answer, 1) == 1;
  } catch (const CFileException&) {
    return false;
  }
}

char CVexalonDevice::CalibrationCommand(BYTE command) {
  const BYTE bytes[] = {0xC4, 0xC1, command};
  BYTE answer = 0;
  return SendRawCommand(bytes, sizeof bytes, answer) ? char(answer) : 0;
}

bool CVexalonDevice::IsFactoryCalibrationValid() { return CalibrationCommand(0xE1) == 'y'; }

bool CVexalonDevice::IsLastUsedCalibrationValid() { return CalibrationCommand(0xE2) == 'y'; }

bool CVexalonDevice::IsCalibrationValid() { return CalibrationCommand(0xE3) == 'y'; }

int CVexalonDevice::RestoreCalibration(BYTE command, int attempts) {
  int result = 1;
  for (int i = 0; i < attempts; ++i) {
    const char answer = CalibrationCommand(command);
    result = answer == 'g' ? 0 : answer == 'e' ? 2 : 1;
    if (result == 0) break;
  }
  return result;
}

bool CVexalonDevice::OverwriteCalibration(BYTE command, int attempts) {
  for (int i = 0; i < attempts; ++i) {
    if (CalibrationCommand(command) == 'g') return true;
  }
  return false;
}

int CVexalonDevice::RestoreFactoryCalibration(int attempts) { return RestoreCalibration(0xC1, attempts); }

int CVexalonDevice::RestoreLastUsedCalibration(int attempts) { return RestoreCalibration(0xC2, attempts); }

bool CVexalonDevice::OverwriteFactoryCalibration(int attempts) {
  return OverwriteCalibration(0xD1, attempts);
}

bool CVexalonDevice::OverwriteLastUsedCalibration(int attempts) {
  return OverwriteCalibration(0xD2, attempts);
}

bool CVexalonDevice::DeleteAllMeasurements() {
  if (!LeaveDebugProtocol(false, false)) return false;
  StreamIO::CIoStream* stream = GetStream();
  if (!stream) return false;
  const CWaitCursorScope waitCursor;
  try {
    stream->Purge();
    for (BYTE b : kDeleteAll) stream->WriteByte(b);
    Sleep(kRawAnswerPauseMs);
    BYTE answer[10];
    return stream->Read(answer, sizeof answer) == 1 && answer[0] == 0x00;
  } catch (const CFileException&) {
    return false;
  }
}

bool CVexalonDevice::ModeRequest(BYTE mode) {
  BYTE buffer[1] = {mode};
  return BinaryRequest(kModeRequest, 1, buffer, sizeof buffer, kModeRequestTimeoutMs) < 240;
}

bool CVexalonDevice::EnterMode6() {
  if (!LeaveDebugProtocol(false, false)) return false;
  if (!ModeRequest(kMode6)) return false;
  try {
    GetStream()->Purge();
  } catch (const CFileException&) {
    return false;
  }
  Sleep(kRawAnswerPauseMs);
  return true;
}

int CVexalonDevice::UpdateInit(const CPackageHeader& header) {
  if (CJvDevice::UpdateInit(header) != eUpdateOk) return eUpdateNotAttached;
  StreamIO::CIoStream* stream = GetStream();
  if (!stream) return eUpdateNotAttached;
  try {
    int readTimeout = 0;
    int writeTimeout = 0;
    if (!stream->GetTimeouts(readTimeout, writeTimeout)) return eUpdateCommunication;
    if ((readTimeout < kEraseMinimumTimeoutMs || writeTimeout < kEraseMinimumTimeoutMs) &&
        !stream->SetTimeouts(kEraseMinimumTimeoutMs, kEraseMinimumTimeoutMs))
      return eUpdateCommunication;
    if (m_protocolState != kProtocolService) {
      if (!ModeRequest(kModeService)) return eUpdateModeChange;
      for (int i = 0; i < kServiceStringRepeats; ++i) {
        Sleep(kServiceStringPauseMs);
        if (!SendServiceString(Commands(), kServiceClear, 0)) return eUpdateModeChange;
      }
      m_protocolState = kProtocolService;
    }
    if (Callback()) {
      ReportStep(IDS_ERASE_MEMORY);
      Callback()->OnProgress(0, 1, 0);
    }
    if (!SendServiceString(Commands(), kServiceEnter, 'G')) return eUpdateCommunication;
    if (!stream->GetTimeouts(readTimeout, writeTimeout)) return eUpdateCommunication;
    if (!stream->SetTimeouts(CJvCommands::kEraseTimeoutMs, CJvCommands::kEraseTimeoutMs))
      return eUpdateCommunication;
    if (SendServiceString(Commands(), kServiceErase, 'E')) {
      if (Callback()) Callback()->OnProgress(100, 1, 0);
      return eUpdateOk;
    }
    stream->SetTimeouts(readTimeout, writeTimeout);
    return eUpdateCommunication;
  } catch (const CFileException&) {
    return eUpdateCommunication;
  }
}

int CVexalonDevice::UpdateSetMode(const CPackageHeader&, const SBlockRecord&) {
  return UpdateSetModeWithoutRequest();
}

int CVexalonDevice::UpdateWriteData(const SBlockRecord& record) { return UpdateWriteDataAsSRecords(record); }

int CVexalonDevice::UpdateWriteDataBlock(const SBlockRecord&) { return eUpdateOk; }

int CVexalonDevice::UpdateSetRunMode(const CPackageHeader&, const SBlockRecord&) { return eUpdateOk; }

int CVexalonDevice::UpdateFinish() {
  if (!SendServiceString(Commands(), kServiceEnter, 'G') ||
      !SendServiceString(Commands(), kServiceCheck, 'X'))
    return eUpdateCommunication;
  m_protocolState = kProtocolApplication;
  Sleep(kAfterUpdateRestartMs);
  SDeviceIdent ident;
  const bool identified = Identify(ident);
  if (!identified) {
    ShowError(
        u"Error: Failed to verify calibration validity.\nPlease retry or contact Jovant if the problem "
        u"persists.");
  } else if (CVersion(m_info.appVersion) >= CVersion(CString(u"1.6.0")) && IsCalibrationValid()) {
    CString errors;
    if (!IsFactoryCalibrationValid() && !OverwriteFactoryCalibration(kOverwriteAttempts))
      errors += u"Failed to overwrite the factory calibration.\n";
    if (!IsLastUsedCalibrationValid() && !OverwriteLastUsedCalibration(kOverwriteAttempts))
      errors += u"Failed to overwrite the last used calibration.\n";
    if (!errors.IsEmpty())
      ShowError(u"Error(s):\n" + errors + u"Please retry or contact Jovant if the problem persists.");
  }
  return CJvDevice::UpdateFinish();
}

}  // namespace Device
