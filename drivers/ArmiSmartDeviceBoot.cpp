// The Armivue's identity and its boot loader with two banks, each selected and erased on its
// own, and the firmware-update steps over them.

#include <vector>

#include "device/Callback.h"
#include "device/DeviceAbort.h"
#include "device/JvCommands.h"
#include "device/PackageHeader.h"
#include "device/UpdateErrorCode.h"
#include "drivers/ArmiSmartDevice.h"
#include "drivers/IdentityReply.h"
#include "drivers/ServiceStrings.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/Clock.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr const char* kSelectBankOne = "SC030102F9\r\n";
constexpr const char* kDeselectBankOne = "SC030100FB\r\n";
constexpr const char* kSelectBankTwo = "SC030202F8\r\n";
constexpr const char* kDeselectBankTwo = "SC030200FA\r\n";
constexpr BYTE kNoBank = 0;
constexpr BYTE kBankOne = 1;
constexpr BYTE kBankTwo = 2;
constexpr BYTE kUpdateRequest = 210;
constexpr BYTE kSwitchToBootLoader = 1;
constexpr int kMinimumTimeoutMs = 3000;
constexpr int kEnterBurst = 5;
constexpr int kEnterPauseMs = 50;
// Bit 3 of an entry's mode byte: the entry needs no bank of its own.
constexpr BYTE kNoBankNeeded = 0x08;
constexpr int kPartByte = 13;
constexpr int kKindByte = 12;
constexpr BYTE kSRecordKind = 0x40;
constexpr int kPartHeaderSize = 16;
constexpr int kMaxPartHeaderExtra = 496;

// The erase reports its progress whether or not the callback asked for progress reports.
void ReportProgress(CCallback* callback, int percent) {
  if (callback) callback->OnProgress(percent, 1, 0);
}

}  // namespace

bool CArmiSmartDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen() || !Commands()) return false;
  CString line;
  if (CIdentityReply::Query(Commands(), line)) {
    if (m_bootloaderState == kNoBank) m_bootloaderState = kBankTwo;
    m_mode = kApplicationMode;
  } else {
    if (!QueryBootloaderIdentity(line)) return false;
    m_mode = kBootLoaderMode;
  }
  const CIdentityReply reply(line);
  if (!reply.ReadLeadingFields(m_info)) return false;
  ident = m_info;
  DWORD signature = 0;
  if (!CIdentityReply::ReadSignature(m_info.signature, signature)) return false;
  return CIdentityReply::HasLeadingTexts(m_info) &&
         CIdentityReply::CarriesDeviceCode(signature, GetExpectedDeviceCode());
}

bool CArmiSmartDevice::QueryId(SDeviceIdent& ident) {
  if (!Commands()) return false;
  if (!Commands()->QueryId(ident)) return Identify(ident);
  if (m_bootloaderState == kNoBank) m_bootloaderState = kBankTwo;
  m_mode = kApplicationMode;
  return true;
}

bool CArmiSmartDevice::QueryBootloaderIdentity(CString& text) {
  const bool selectedHere = m_bootloaderState == kNoBank;
  if (selectedHere) {
    if (!CServiceStrings::Send(Commands(), kSelectBankTwo, CServiceStrings::kAccepted)) return false;
    m_bootloaderState = kBankTwo;
  }
  if (!CServiceStrings::ReadIdentity(Commands(), text)) return false;
  if (selectedHere) {
    if (!CServiceStrings::Send(Commands(), kDeselectBankTwo, CServiceStrings::kAccepted)) return false;
    m_bootloaderState = kNoBank;
  }
  return true;
}

bool CArmiSmartDevice::EnterBootloaderState1() {
  if (m_mode != kBootLoaderMode) return false;
  if (m_bootloaderState == kBankTwo) {
    if (!CServiceStrings::Send(Commands(), kDeselectBankTwo, CServiceStrings::kAccepted)) return false;
    m_bootloaderState = kNoBank;
  }
  if (!CServiceStrings::Send(Commands(), kSelectBankOne, CServiceStrings::kAccepted)) return false;
  m_bootloaderState = kBankOne;
  return true;
}

bool CArmiSmartDevice::EnterBootloaderState2() {
  if (m_mode != kBootLoaderMode) return false;
  if (m_bootloaderState == kBankOne) {
    if (!CServiceStrings::Send(Commands(), kDeselectBankOne, CServiceStrings::kAccepted)) return false;
    m_bootloaderState = kNoBank;
  }
  if (!CServiceStrings::Send(Commands(), kSelectBankTwo, CServiceStrings::kAccepted)) return false;
  m_bootloaderState = kBankTwo;
  return true;
}

int CArmiSmartDevice::UpdateInit(const CPackageHeader& header) {
  if (CJvDevice::UpdateInit(header) != eUpdateOk) return eUpdateNotAttached;
  StreamIO::CIoStream* stream = GetStream();
  if (!stream) return eUpdateNotAttached;
  int readTimeout = 0;
  int writeTimeout = 0;
  if (!stream->GetTimeouts(readTimeout, writeTimeout)) return eUpdateCommunication;
  if ((readTimeout < kMinimumTimeoutMs || writeTimeout < kMinimumTimeoutMs) &&
      !stream->SetTimeouts(kMinimumTimeoutMs, kMinimumTimeoutMs))
    return eUpdateCommunication;
  if (m_mode != kBootLoaderMode) {
    BYTE request[1] = {kSwitchToBootLoader};
    if (BinaryRequest(kUpdateRequest, 1, request, sizeof request, kMinimumTimeoutMs) >=
        CJvCommands::kFirstStatus)
      return eUpdateModeChange;
    for (int i = 0; i < kEnterBurst; ++i) {
      Sleep(kEnterPauseMs);
      if (!CServiceStrings::Send(Commands(), CServiceStrings::kEnterBootLoader, CServiceStrings::kNoEcho))
        return eUpdateModeChange;
    }
    m_bootloaderState = kNoBank;
    m_mode = kBootLoaderMode;
  }
  if (Callback()) Callback()->OnStatusText(ResString(IDS_ERASE_MEMORY) + GetStepSuffix());
  ReportProgress(Callback(), 0);
  if (!stream->GetTimeouts(readTimeout, writeTimeout)) return eUpdateCommunication;
  if (!EnterBootloaderState1()) return eUpdateModeChange;
  if (!stream->SetTimeouts(CJvCommands::kEraseTimeoutMs, CJvCommands::kEraseTimeoutMs))
    return eUpdateCommunication;
  // Both banks are erased under the long time-out, which is put back whatever happens.
  bool erased = CServiceStrings::Send(Commands(), CServiceStrings::kErase, CServiceStrings::kEraseEcho);
  if (erased) ReportProgress(Callback(), 50);
  erased = erased && EnterBootloaderState2() &&
           CServiceStrings::Send(Commands(), CServiceStrings::kErase, CServiceStrings::kEraseEcho);
  if (!stream->SetTimeouts(readTimeout, writeTimeout) || !erased) return eUpdateCommunication;
  ReportProgress(Callback(), 100);
  return eUpdateOk;
}

int CArmiSmartDevice::UpdateSetMode(const CPackageHeader&, const SBlockRecord& record) {
  if (!Commands() || !GetStream()) return eUpdateNotAttached;
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  ReportStep(IDS_UPDATE_SET_MODE);
  const BYTE part = record.bytes[kPartByte];
  if (part == m_bootloaderState || (record.ModeByte() & kNoBankNeeded)) return eUpdateOk;
  if (part == kBankOne) return EnterBootloaderState1() ? eUpdateOk : eUpdateModeChange;
  if (part == kBankTwo) return EnterBootloaderState2() ? eUpdateOk : eUpdateModeChange;
  return eUpdateNotAttached;
}

int CArmiSmartDevice::UpdateWriteData(const SBlockRecord& record) {
  if (!Commands()) return eUpdateNotAttached;
  StreamIO::CIoStream* package = SecondStream();
  if (!package || !package->IsOpen()) return eUpdateNotAttached;
  ReportStep(IDS_UPDATE_TRANSFER_BLOCK);
  if ((record.bytes[kKindByte] & 0xF0) != kSRecordKind) return eUpdateOk;
  BYTE header[kPartHeaderSize];
  if (package->Read(header, kPartHeaderSize) != kPartHeaderSize) return eUpdateNotAttached;
  const int headerLength = GetLe16(header + 4);
  const int entrySize = int(record.DataLength());
  // A header shorter than its own fixed part would make its remainder negative.
  if (headerLength < kPartHeaderSize || headerLength - kPartHeaderSize > kMaxPartHeaderExtra ||
      GetLe32(header + 12) != DWORD(entrySize - headerLength))
    return eUpdateNotAttached;
  std::vector<BYTE> rest(size_t(headerLength - kPartHeaderSize));
  if (!rest.empty() && package->Read(rest.data(), int(rest.size())) != int(rest.size()))
    return eUpdateNotAttached;
  const int count = entrySize - headerLength;
  if (Commands()->SendSRecords(package, count, Callback()) == count) return eUpdateOk;
  return IsDeviceThreadAborted() ? eUpdateAborted : eUpdateIncomplete;
}

int CArmiSmartDevice::UpdateWriteDataBlock(const SBlockRecord&) { return eUpdateOk; }

int CArmiSmartDevice::UpdateSetRunMode(const CPackageHeader&, const SBlockRecord&) { return eUpdateOk; }

int CArmiSmartDevice::UpdateFinish() {
  if (m_bootloaderState != kBankOne && !EnterBootloaderState1()) return eUpdateCommunication;
  if (!CServiceStrings::Send(Commands(), CServiceStrings::kLeave, CServiceStrings::kLeaveEcho))
    return eUpdateCommunication;
  if (!CServiceStrings::Send(Commands(), kSelectBankTwo, CServiceStrings::kAccepted))
    return eUpdateCommunication;
  m_bootloaderState = kBankTwo;
  if (!CServiceStrings::Send(Commands(), CServiceStrings::kLeave, CServiceStrings::kLeaveEcho))
    return eUpdateCommunication;
  return CJvDevice::UpdateFinish();
}

}  // namespace Device
