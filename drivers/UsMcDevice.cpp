#include "drivers/UsMcDevice.h"

#include <algorithm>
#include <vector>

#include "device/Callback.h"
#include "device/DeviceAbort.h"
#include "device/JvCommands.h"
#include "device/PackageHeader.h"
#include "device/UpdateErrorCode.h"
#include "platform/base/FileException.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr BYTE kCommandRequest = 200;
constexpr int kLongRequestFrom = CJvCommands::kMaxPayload + 1;
constexpr int kDefaultTimeoutMs = 1000;
constexpr BYTE kLongReply = 239;
constexpr BYTE kCommand5 = 5;
constexpr BYTE kFlagA = 8;
constexpr BYTE kFlagB = 9;
constexpr BYTE kBattery = 11;
constexpr BYTE kTextB = 14;
constexpr BYTE kTextA = 15;
constexpr BYTE kText16 = 16;
constexpr BYTE kReadText = 17;
constexpr BYTE kIntParameter = 19;
constexpr int kUsMcTextBufferSize = 64;
constexpr int kTextTimeoutMs = 500;
constexpr int kCommand5BufferSize = 20;
constexpr int kCommand5Attempts = 3;
constexpr BYTE kCommand5Failed = 255;
constexpr int kFlagBufferSize = 10;
constexpr int kIntBufferSize = 2;
constexpr int kBatteryBufferSize = 200;
constexpr int kBatteryTimeoutMs = 2000;
constexpr BYTE kModeBits = 0x0F;
constexpr BYTE kClosingRunMode = 0x61;

void ReportDone(CCallback* callback) {
  if (callback && callback->m_bProgressWanted) callback->OnProgress(100, 1, 0);
}

// The state word stays as it came; the unit signs and letters are removed only from the
// numbers after it, so that upper-case state words keep their letters.
CString BatteryText(const BYTE* reply, int length) {
  CString text = CString::FromAnsi(std::string_view(reinterpret_cast<const char*>(reply), size_t(length)));
  text.Remove(u',');
  text.Remove(u'%');
  int word = 0;
  while (word < text.GetLength() && text[word] == u' ') ++word;
  while (word < text.GetLength() && text[word] != u' ') ++word;
  CString numbers = text.Mid(word);
  for (char16_t unit : {u'm', u'V', u'A'}) numbers.Remove(unit);
  return text.Left(word) + numbers;
}

}  // namespace

CUsMcDevice::CUsMcDevice() : CLiveDevice(18, u"Sondrel Array", 1, 23) {
  m_serialSettings.baud = 115200;
  m_serialSettings.readTimeout = 500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CUsMcDevice::Create() const { return std::make_unique<CUsMcDevice>(); }

bool CUsMcDevice::Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) {
  if (!CLiveDevice::Attach(stream, portKind)) return false;
  if (!GetStream()->IsOpen()) return true;
  SDeviceIdent ident;
  if (Identify(ident)) return true;
  // The port goes back to the caller, as after any refused attach: a search tries the next
  // port with this same object, which takes no second stream.
  stream = Detach();
  return false;
}

CString CUsMcDevice::GetInfoText() {
  const SDeviceInfo& info = Info();
  m_infoText.Format(ResString(IDS_DEVICE_INFO_BOOTLOADER), info.deviceName.GetString(),
                    info.serialNumber.GetString(), info.appVersion.GetString(),
                    info.hardwareRevision.GetString(), u"", info.signature.GetString());
  return m_infoText;
}

bool CUsMcDevice::FillFirmwareList(CContents& contents) {
  if (Info().appVersion.IsEmpty()) {
    SDeviceIdent ident;
    if (!Identify(ident)) return false;
  }
  return CLiveDevice::FillFirmwareList(contents);
}

bool CUsMcDevice::CheckConnection(SDeviceIdent&, int, int& value) {
  value = 0;
  return true;
}

int CUsMcDevice::UpdateSetMode(const CPackageHeader&, const SBlockRecord& record) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!Commands()) return eUpdateNotAttached;
  ReportStep(IDS_UPDATE_SET_MODE);
  bool switched = false;
  if (!Commands()->ChangeMode(record.ModeByte(), switched, Callback(), CJvCommands::kModeWaitFactor))
    return eUpdateModeChange;
  ReportDone(Callback());
  return eUpdateOk;
}

int CUsMcDevice::UpdateSetRunMode(const CPackageHeader&, const SBlockRecord& record) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!Commands()) return eUpdateNotAttached;
  ReportStep(IDS_UPDATE_SET_RUN_MODE);
  const BYTE after = record.ModeAfter();
  if ((record.ModeByte() & kModeBits) != (after & kModeBits) || (after & SBlockRecord::kForceModeChange)) {
    bool switched = false;
    if (!Commands()->ChangeMode(after, switched, Callback(), CJvCommands::kModeWaitFactor))
      return eUpdateModeChange;
  }
  if ((after & kClosingRunMode) == kClosingRunMode && GetStream()) GetStream()->Close();
  ReportDone(Callback());
  return eUpdateOk;
}

bool CUsMcDevice::SendCommand(BYTE* buffer, int requestLength, int& replyLength, bool replyExpected,
                              int bufferSize, int timeoutMs) {
  replyLength = 0;
  StreamIO::CIoStream* stream = GetStream();
  if (!Commands() || !stream || !buffer || bufferSize <= 0 || requestLength < 1 || requestLength > bufferSize)
    return false;
  if (timeoutMs < 0) timeoutMs = kDefaultTimeoutMs;
  try {
    if (requestLength < kLongRequestFrom) {
      const int result = Commands()->RequestWithProgress(kCommandRequest, buffer, requestLength, replyLength,
                                                         bufferSize, timeoutMs, 0, nullptr);
      if (result == JV_PROGRESS_OK) return true;
      // A reply too large for the buffer was counted but not kept.
      replyLength = 0;
      // A refusal puts its status in the buffer's first byte; a command byte is always below.
      return !replyExpected && result == JV_PROGRESS_IO_FAILURE && buffer[0] < CJvCommands::kFirstStatus;
    }
    BYTE announce[4] = {buffer[0], BYTE(requestLength), BYTE(requestLength >> 8), BYTE(requestLength >> 16)};
    if (Commands()->Request(kCommandRequest, 4, announce, 4, timeoutMs) != 0) return false;
    if (!stream->SetTimeouts(timeoutMs, timeoutMs)) return false;
    if (stream->Write(buffer, requestLength) != requestLength) return false;
    return !replyExpected || ReadReply(buffer, replyLength, bufferSize, timeoutMs);
  } catch (const CFileException&) {
    return false;
  }
}

bool CUsMcDevice::ReadReply(BYTE* buffer, int& replyLength, int bufferSize, int timeoutMs) {
  replyLength = 0;
  StreamIO::CIoStream* stream = GetStream();
  if (!Commands() || !stream || !buffer || bufferSize <= 0) return false;
  try {
    stream->SetTimeouts(timeoutMs < 0 ? kDefaultTimeoutMs : timeoutMs,
                        timeoutMs < 0 ? kDefaultTimeoutMs : timeoutMs);
    BYTE status = 0;
    if (stream->Read(&status, 1) != 1) return false;
    if (status == 0 || status >= CJvCommands::kFirstStatus) {
      buffer[0] = status;
      return status == 0;
    }
    int length = status;
    if (status == kLongReply) {
      BYTE extension[4];
      if (stream->Read(extension, 4) != 4) return false;
      if (extension[0] != 0) {
        buffer[0] = extension[0];
        return false;
      }
      length = extension[1] | extension[2] << 8 | extension[3] << 16;
    }
    const int kept = std::min(length, bufferSize);
    if (stream->Read(buffer, kept) != kept) return false;
    replyLength = kept;
    // The rest is taken off the link so that the next exchange starts clean.
    std::vector<BYTE> rest(size_t(length - kept));
    return rest.empty() || stream->Read(rest.data(), int(rest.size())) == int(rest.size());
  } catch (const CFileException&) {
    return false;
  }
}

bool CUsMcDevice::SendText(BYTE command, const CString& text) {
  BYTE buffer[kUsMcTextBufferSize] = {command};
  const int count = std::min(text.GetLength(), kMaxTextCharacters);
  for (int i = 0; i < count; ++i) buffer[1 + i] = BYTE(text[i]);
  int replyLength = 0;
  return SendCommand(buffer, 1 + count, replyLength, true, kUsMcTextBufferSize, kTextTimeoutMs);
}

bool CUsMcDevice::SendText14(const CString& text) { return SendText(kTextB, text); }

bool CUsMcDevice::SendText15(const CString& text) { return SendText(kTextA, text); }

bool CUsMcDevice::SendText16(const CString& text) { return SendText(kText16, text); }

CString CUsMcDevice::ReadText17() {
  BYTE buffer[kUsMcTextBufferSize] = {kReadText};
  int replyLength = 0;
  if (!SendCommand(buffer, 1, replyLength, true, kUsMcTextBufferSize, kTextTimeoutMs)) return u"-";
  const BYTE* end = std::find(buffer, buffer + std::min(replyLength, kMaxTextCharacters), BYTE(0));
  return CString::FromAnsi(std::string_view(reinterpret_cast<const char*>(buffer), size_t(end - buffer)));
}

bool CUsMcDevice::SendCommand5(BYTE value, BYTE& status) {
  BYTE buffer[kCommand5BufferSize] = {};
  int replyLength = 0;
  bool sent = false;
  for (int attempt = 0; attempt < kCommand5Attempts && !sent; ++attempt) {
    buffer[0] = kCommand5;
    buffer[1] = value;
    sent = SendCommand(buffer, 2, replyLength, false, kCommand5BufferSize, kDefaultTimeoutMs);
  }
  if (!sent) {
    status = kCommand5Failed;
    return false;
  }
  status = replyLength == 1 ? buffer[0] : 0;
  return status == 0;
}

bool CUsMcDevice::SetTextParameterA(const CString& text) {
  return SignatureValue() == kTextParameterSignature ? SendText15(text)
                                                     : CLiveDevice::SetTextParameterA(text);
}

bool CUsMcDevice::SetTextParameterB(const CString& text) {
  return SignatureValue() == kTextParameterSignature ? SendText14(text)
                                                     : CLiveDevice::SetTextParameterB(text);
}

bool CUsMcDevice::GetBatteryState(int& state, CString& stateText, int values[3]) {
  BYTE buffer[kBatteryBufferSize] = {kBattery};
  int replyLength = 0;
  if (!SendCommand(buffer, 1, replyLength, true, kBatteryBufferSize, kBatteryTimeoutMs)) return false;
  if (replyLength == 0) {
    state = kBatteryError;
    stateText = u"ERROR";
    return true;
  }
  return ParseBatteryText(BatteryText(buffer, replyLength), state, stateText, values);
}

bool CUsMcDevice::SendFlag(BYTE command, bool on) {
  BYTE buffer[kFlagBufferSize] = {command, BYTE(on ? 1 : 0)};
  int replyLength = 0;
  return SendCommand(buffer, 2, replyLength, true, kFlagBufferSize, kDefaultTimeoutMs);
}

bool CUsMcDevice::SetFlagParameterA(bool on) { return SendFlag(kFlagA, on); }

bool CUsMcDevice::SetFlagParameterB(bool on) { return SendFlag(kFlagB, on); }

bool CUsMcDevice::SetIntParameter(int value) {
  BYTE buffer[kIntBufferSize] = {kIntParameter, BYTE(value)};
  int replyLength = 0;
  return SendCommand(buffer, 2, replyLength, true, kIntBufferSize, kDefaultTimeoutMs);
}

}  // namespace Device
