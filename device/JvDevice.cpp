#include "device/JvDevice.h"

#include <utility>

#include "device/Callback.h"
#include "device/CancelableStream.h"
#include "device/DeviceAbort.h"
#include "device/DeviceFactory.h"
#include "device/JvCommands.h"
#include "device/PackageHeader.h"
#include "device/PercentEncoding.h"
#include "platform/base/FileException.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr WORD kLoginBaseFlags = 0x06;
constexpr int kDefaultTextTimeoutMs = 1000;
constexpr int kDefaultProgressTimeoutMs = 2000;
constexpr int kDefaultRequestTimeoutMs = 1000;
constexpr int kMaxBlockSize = 0x8000;
constexpr int kBlockCheckCrc32 = 2;
constexpr int kEnterMode12Word = 12;
constexpr int kEnterMode12WaitFactor = 100;
constexpr int kCheckIdentify = 1;
constexpr int kCheckIdentifyAgain = 12;
constexpr int kCheckUnsupported = 2;
constexpr int kCheckUnsupportedValue = 70000;

bool AbortTest(DWORD_PTR) { return IsDeviceThreadAborted(); }

}  // namespace

CJvDevice::CJvDevice(int type, const CString& displayName, int portMask, BYTE deviceCode)
    : m_type(type), m_portMask(portMask), m_displayName(displayName), m_deviceCode(deviceCode) {}

CJvDevice::~CJvDevice() = default;

bool CJvDevice::Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) {
  if (m_stream || m_portKind != ePortNone) return false;
  if (portKind != ePortSerial && portKind != ePortUsb && portKind != ePortIp) return false;
  if (!stream || !stream->IsOpen()) return false;
  m_portKind = portKind;
  m_stream = std::move(stream);
  m_commands = std::make_unique<CJvCommands>(m_stream.get());
  m_commands->SetAbortTest(&AbortTest, 0);
  m_commands->SetTextMode(false, false);
  m_commands->SetUtf8Names(m_utf8Names);
  return true;
}

std::unique_ptr<StreamIO::CIoStream> CJvDevice::Detach() {
  m_commands.reset();
  m_portKind = ePortNone;
  return std::move(m_stream);
}

void CJvDevice::DropConnection() {
  ForgetRegisteredStream(m_stream.get());
  m_commands.reset();
  m_stream.reset();
  m_portKind = ePortNone;
}

StreamIO::CIoStream* CJvDevice::GetStream() { return m_stream.get(); }

CString CJvDevice::GetPortName() { return m_stream ? m_stream->GetName() : CString(); }

int CJvDevice::GetPortKind() { return m_portKind; }

bool CJvDevice::AttachSecondStream(StreamIO::CIoStream* stream) {
  if (m_secondStream || !stream || !stream->IsOpen()) return false;
  m_secondStream = stream;
  return true;
}

StreamIO::CIoStream* CJvDevice::DetachSecondStream() { return std::exchange(m_secondStream, nullptr); }

bool CJvDevice::SetCallback(CCallback* callback) {
  if (m_callback || !callback) return false;
  m_callback = callback;
  return true;
}

CCallback* CJvDevice::DetachCallback() { return std::exchange(m_callback, nullptr); }

int CJvDevice::GetMaxBlockSize() { return kMaxBlockSize; }

int CJvDevice::GetBlockCheckKind() { return kBlockCheckCrc32; }

StreamIO::SRs232Settings* CJvDevice::GetSerialSettings() { return &m_serialSettings; }

bool CJvDevice::RemoteLogin(SDeviceLogin& login) {
  m_login.userName = ResString(IDS_NO_REMOTE_LOGIN);
  m_login.password.Empty();
  m_login.flags = kLoginBaseFlags;
  if (!QueryLoginCapability()) m_login.flags |= SDeviceLogin::kCloudSignInDone;
  login = m_login;
  return true;
}

bool CJvDevice::RemoteLogout() {
  m_login.flags = 0;
  m_login.userName.Empty();
  m_login.password.Empty();
  return true;
}

bool CJvDevice::SetModeTimeout(bool on, int milliseconds) {
  return m_commands && m_commands->SetModeTimeout(on, milliseconds);
}

bool CJvDevice::SendFixedModeRequest() { return m_commands && m_commands->SendFixedModeRequest(); }

bool CJvDevice::ListDirectory(WORD argument, CString& listing) {
  return m_commands && m_commands->ListDirectory(argument, listing);
}

bool CJvDevice::LoadDeviceFile(StreamIO::CIoStream* target, const CString& path) {
  return m_commands && m_commands->LoadDeviceFile(target, path);
}

bool CJvDevice::RequestDeviceFile(const CString& path, StreamIO::CIoStream* target) {
  return m_commands && m_commands->RequestDeviceFile(path, target);
}

bool CJvDevice::SaveDeviceFile(const CString& path, StreamIO::CIoStream* source) {
  return m_commands && m_commands->SaveDeviceFile(path, source);
}

bool CJvDevice::CreateEmptyDeviceFile(const CString& path) {
  return m_commands && m_commands->CreateEmptyDeviceFile(path);
}

bool CJvDevice::RenameDeviceFile(const CString& oldPath, const CString& newPath) {
  return m_commands && m_commands->RenameDeviceFile(oldPath, newPath);
}

bool CJvDevice::DeleteDeviceFile(const CString& path) {
  return m_commands && m_commands->DeleteDeviceFile(path);
}

bool CJvDevice::EnterMode12() {
  if (!m_stream || !m_commands) return false;
  if (!m_commands->Resync()) return false;
  bool switched = false;
  return m_commands->ChangeMode(kEnterMode12Word, switched, nullptr, kEnterMode12WaitFactor);
}

CString CJvDevice::GetDeviceInfoPairs() {
  const CString equals = GetDeviceInfoKeyName(9);
  const CString separator = GetDeviceInfoKeyName(10);
  SDeviceIdent ident;
  // The pairs go out as a web form, so each value is encoded where the pair is built.
  if (!QueryId(ident)) return GetDeviceInfoKeyName(0) + equals + PercentEncode(m_displayName);
  return GetDeviceInfoKeyName(0) + equals + PercentEncode(ident.deviceName) + separator +
         GetDeviceInfoKeyName(1) + equals + PercentEncode(ident.appVersion) + separator +
         GetDeviceInfoKeyName(2) + equals + PercentEncode(ident.serialNumber);
}

bool CJvDevice::QueryLoginCapability() { return false; }

void CJvDevice::SetLoginCapabilityFlag(bool on) {
  if (on) {
    m_login.flags |= SDeviceLogin::kCloudSignInDone;
  } else {
    m_login.flags &= WORD(~SDeviceLogin::kCloudSignInDone);
  }
}

bool CJvDevice::QueryId(SDeviceIdent& ident) { return m_commands && m_commands->QueryId(ident); }

int CJvDevice::GetDeviceCode() { return m_commands ? m_commands->QueryDeviceCode() : 0; }

bool CJvDevice::SetTextMode(bool on) { return m_commands && m_commands->SetTextMode(on, false); }

bool CJvDevice::ReadSnapshot(BYTE* buffer, int& size, WORD& status) {
  if (!m_stream || !m_stream->IsOpen() || !m_commands || !buffer) return false;
  return m_commands->ReadSnapshot(buffer, size, status);
}

int CJvDevice::TextQuery(const CString& command, char* reply, int replySize, int timeoutMs) {
  if (!m_commands || command.IsEmpty()) return 0;
  return m_commands->TextCommand(command, reply, replySize,
                                 timeoutMs < 0 ? kDefaultTextTimeoutMs : timeoutMs);
}

int CJvDevice::RequestWithProgress(BYTE code, BYTE* buffer, int payloadLength, int& count, int bufferSize,
                                   int timeoutMs, int budgetMs) {
  if (!m_commands || !buffer || bufferSize <= 0) return JV_PROGRESS_BAD_ARGUMENTS;
  return m_commands->RequestWithProgress(code, buffer, payloadLength, count, bufferSize,
                                         timeoutMs < 0 ? kDefaultProgressTimeoutMs : timeoutMs, budgetMs,
                                         m_callback);
}

void CJvDevice::SetUpdateFlag(bool on) { m_updateFlag = on; }

bool CJvDevice::GetUpdateFlag() { return m_updateFlag; }

int CJvDevice::BinaryRequest(BYTE code, int payloadLength, BYTE* buffer, int bufferSize, int timeoutMs) {
  // Nothing could be exchanged, which must not read as the instrument's success status 0.
  if (!m_commands || !buffer || bufferSize <= 0) return JV_IO_FAILURE;
  return m_commands->Request(code, payloadLength, buffer, bufferSize,
                             timeoutMs < 0 ? kDefaultRequestTimeoutMs : timeoutMs);
}

bool CJvDevice::QueryCapability() { return false; }

int CJvDevice::UpdatePrepare(const CContents&, const CPackageHeader&) { return 1; }

bool CJvDevice::CheckConnection(SDeviceIdent& ident, int kind, int& value) {
  value = 0;
  if (kind == kCheckUnsupported) {
    value = kCheckUnsupportedValue;
    return false;
  }
  if (kind != kCheckIdentify && kind != kCheckIdentifyAgain) return true;
  if (!m_stream || !m_stream->IsOpen() || !m_commands) return false;
  try {
    return Identify(ident) || Identify(ident);
  } catch (const CFileException&) {
    return false;
  }
}

void CJvDevice::CancelTransfer() {}

void CJvDevice::ReportStep(UINT stringId) {
  if (m_callback) m_callback->OnStatusText(ResString(stringId) + m_stepSuffix);
}

}  // namespace Device
