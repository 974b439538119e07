// The firmware-update job of the device thread: reads the package's header and block records
// and writes the chosen blocks to the instrument through the device's update steps.

#include <vector>

#include "device/Callback.h"
#include "device/CancelableStream.h"
#include "device/DeviceThread.h"
#include "device/JvDevice.h"
#include "device/PackageHeader.h"
#include "device/UpdateErrorCode.h"
#include "platform/base/FileException.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr BYTE kFlagLeaveOut = 0x80;
// Below this many blocks the steps report their own progress; from it on, the job reports one
// step per block.
constexpr DWORD kBlockProgressFrom = 4;

// The block records that follow the header. They are read one at a time, so that the memory
// they take is bounded by what the package really holds, whatever its block count says.
int ReadBlockRecords(StreamIO::CIoStream& package, DWORD blockCount, std::vector<SBlockRecord>& records) {
  if (package.CanSeek()) {
    const LONGLONG left = LONGLONG(package.GetLength()) - package.GetPosition();
    if (LONGLONG(blockCount) * SBlockRecord::kSize > left) return eUpdateFileRead;
  }
  for (DWORD i = 0; i < blockCount; ++i) {
    SBlockRecord record;
    if (package.Read(record.bytes.data(), SBlockRecord::kSize) != SBlockRecord::kSize) return eUpdateFileRead;
    records.push_back(record);
  }
  return eUpdateOk;
}

// Which blocks to apply: all without a choice; with one, each chosen entry marks the blocks
// from where the previous one stopped (at least one) up to its own end.
std::vector<bool> BlocksToApply(const CPackageHeader& header, const CContents* choice) {
  const size_t blockCount = header.m_blockCount;
  if (!choice) return std::vector<bool>(blockCount, true);
  std::vector<bool> apply(blockCount, false);
  size_t block = 0;
  for (size_t i = 0; i < choice->m_entries.size() && i < header.m_entryCount; ++i) {
    const SContentEntry& entry = choice->m_entries[i];
    const size_t end = size_t(entry.firstBlock) + entry.blockCount;
    do {
      if (block >= blockCount) break;
      apply[block] = !(entry.flags & kFlagLeaveOut);
      ++block;
    } while (block < end);
  }
  return apply;
}

CString StepSuffix(DWORD block, DWORD blockCount) {
  CString suffix;
  if (blockCount > 1) suffix.Format(ResString(IDS_UPDATE_STEP_SUFFIX), int(block + 1), int(blockCount));
  return suffix;
}

int ApplyBlock(CJvDevice& device, CCallback& callback, const CPackageHeader& header,
               const SBlockRecord& record, DWORD block) {
  device.SetStepSuffix(StepSuffix(block, header.m_blockCount));
  if (!callback.m_bProgressWanted)
    callback.OnProgress(int(ULONGLONG(block + 1) * 100 / header.m_blockCount), 1, 0);
  int result = device.UpdateSetMode(header, record);
  if (result == eUpdateOk) result = device.UpdateWriteData(record);
  if (result == eUpdateOk) result = device.UpdateWriteDataBlock(record);
  if (result == eUpdateOk) result = device.UpdateSetRunMode(header, record);
  return result;
}

// The job's steps up to the end of the update; the result code.
int Update(SJobEntry& job, CJvDevice& device, CCallback& callback) {
  CPackageHeader header;
  if (!header.Read(*job.packageStream)) return eUpdateFileRead;
  std::vector<SBlockRecord> records;
  if (int result = ReadBlockRecords(*job.packageStream, header.m_blockCount, records)) return result;
  const std::vector<bool> apply = BlocksToApply(header, job.contents.get());
  if (int result = device.UpdateCheckDevice(header)) return result;
  if (int result = device.UpdateInit(header)) return result;
  callback.m_bProgressWanted = header.m_blockCount < kBlockProgressFrom;
  for (DWORD block = 0; block < header.m_blockCount; ++block) {
    const int result = apply[block] ? ApplyBlock(device, callback, header, records[block], block)
                                    : device.UpdateSeek(records[block]);
    if (result != eUpdateOk) return result;
  }
  return device.UpdateFinish();
}

}  // namespace

void RunDeviceUpdate(SJobEntry& job) {
  if (!job.callback || !job.device || !job.packageStream) return;
  CJvDevice& device = *job.device;
  CCallback& callback = *job.callback;
  if (job.type == eJobUpdateFlagged) device.SetUpdateFlag(true);
  const bool callbackHeld = device.SetCallback(&callback);
  const bool packageHeld = device.AttachSecondStream(job.packageStream.get());
  // The device and the package are given back whatever way the job ends.
  auto giveBack = [&] {
    if (packageHeld) device.DetachSecondStream();
    job.packageStream.reset();
    if (callbackHeld) device.DetachCallback();
  };
  int result = eUpdateNotAttached;
  try {
    if (callbackHeld && packageHeld) {
      CCancelableStream cancelable(device.GetStream());
      result = Update(job, device, callback);
    }
    if (result != eUpdateOk) device.EnterMode12();
  } catch (const CFileException&) {
    giveBack();
    callback.OnMessage(ResString(IDS_UPDATE_COMMUNICATION), eUpdateCommunication);
    return;
  }
  const CString text = result == eUpdateOk ? CString() : device.GetUpdateErrorText(result);
  giveBack();
  callback.OnMessage(text, result);
}

}  // namespace Device
