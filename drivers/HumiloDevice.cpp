#include "drivers/HumiloDevice.h"

#include <cstdio>
#include <string>

#include "device/UpdateErrorCode.h"
#include "device/streamio/IoStream.h"
#include "drivers/DeviceInfoText.h"
#include "platform/base/FileException.h"

namespace Device {
namespace {

constexpr int kReadTimeoutMs = 2000;
constexpr int kWriteTimeoutMs = 1000;
constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';

// 1 a reading that counts, 0 a line that does not, -1 an empty line.
int JudgeLine(const std::string& line) {
  double value = 0;
  const int scanned = std::sscanf(line.c_str(), "%lf", &value);
  if (scanned == EOF) return -1;
  return scanned == 1 && value >= CHumiloDevice::kLowestReading && value <= CHumiloDevice::kHighestReading;
}

}  // namespace

CHumiloDevice::CHumiloDevice() : CJvDevice(22, u"Humilo", 1, 0) {
  m_serialSettings.baud = 9600;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CHumiloDevice::Create() const { return std::make_unique<CHumiloDevice>(); }

bool CHumiloDevice::Identify(SDeviceIdent&) {
  StreamIO::CIoStream* stream = GetStream();
  if (!stream || !stream->IsOpen() || !Commands()) return false;
  try {
    if (!stream->SetTimeouts(kReadTimeoutMs, kWriteTimeoutMs)) return false;
    stream->Purge();
    std::string line;
    bool inLine = false;
    int readings = 0;
    for (int i = 0; i < kMaxBytes; ++i) {
      char ch = 0;
      if (stream->Read(&ch, 1) != 1) return false;
      if (ch == kLineFeed) {
        inLine = true;
        line.clear();
      } else if (inLine && ch == kCarriageReturn) {
        const int judged = JudgeLine(line);
        if (judged < 0) return false;
        if (judged > 0 && ++readings == kReadingsNeeded) return true;
        inLine = false;
      } else if (inLine) {
        line += ch;
      }
    }
  } catch (const CFileException&) {
    return false;
  }
  return false;
}

CString CHumiloDevice::GetInfoText() { return DeviceInfoText(m_info); }

const CString& CHumiloDevice::GetSerialNumber() { return m_info.serialNumber; }

bool CHumiloDevice::FillFirmwareList(CContents&) { return false; }

bool CHumiloDevice::QueryId(SDeviceIdent&) { return false; }

int CHumiloDevice::GetDeviceCode() { return 0; }

int CHumiloDevice::UpdateInit(const CPackageHeader&) { return eUpdateNotAttached; }

int CHumiloDevice::UpdateSetMode(const CPackageHeader&, const SBlockRecord&) { return eUpdateNotAttached; }

int CHumiloDevice::UpdateWriteDataBlock(const SBlockRecord&) { return eUpdateOk; }

int CHumiloDevice::UpdateSetRunMode(const CPackageHeader&, const SBlockRecord&) { return eUpdateOk; }

bool CHumiloDevice::GetDeviceInfo(SDeviceInfo& info) {
  if (&info != &m_info) info = m_info;
  return true;
}

}  // namespace Device
