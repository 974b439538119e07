#include "drivers/SRecordPart.h"

#include <vector>

#include "device/Callback.h"
#include "device/DeviceAbort.h"
#include "device/JvCommands.h"
#include "device/PackageHeader.h"
#include "device/UpdateErrorCode.h"
#include "device/streamio/IoStream.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/FileException.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr BYTE kSRecordData = 0x40;

bool ReadExactly(StreamIO::CIoStream* stream, BYTE* buffer, int count) {
  try {
    return stream->Read(buffer, count) == count;
  } catch (const CFileException&) {
    return false;
  }
}

}  // namespace

int CSRecordPart::Write(CJvCommands* commands, StreamIO::CIoStream* package, const SBlockRecord& record,
                        CCallback* callback, const CString& stepSuffix) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!commands || !package || !package->IsOpen()) return eUpdateNotAttached;
  if (callback) callback->OnStatusText(ResString(IDS_UPDATE_TRANSFER_BLOCK) + stepSuffix);
  if (record.DataFormat() != kSRecordData) return eUpdateOk;
  BYTE header[kHeaderSize];
  if (!ReadExactly(package, header, kHeaderSize)) return eUpdateNotAttached;
  const DWORD headerSize = GetLe16(header + 4);
  const DWORD payloadSize = GetLe32(header + 12);
  if (headerSize < DWORD(kHeaderSize) || headerSize > DWORD(kMaxHeaderSize) ||
      headerSize > record.DataLength() || payloadSize != record.DataLength() - headerSize)
    return eUpdateNotAttached;
  if (headerSize > DWORD(kHeaderSize)) {
    std::vector<BYTE> rest(headerSize - kHeaderSize);
    if (!ReadExactly(package, rest.data(), int(rest.size()))) return eUpdateNotAttached;
  }
  if (commands->SendSRecords(package, int(payloadSize), callback) >= int(payloadSize)) return eUpdateOk;
  return IsDeviceThreadAborted() ? eUpdateAborted : eUpdateIncomplete;
}

}  // namespace Device
