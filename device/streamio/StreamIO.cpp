#include "device/streamio/StreamIO.h"

#include "device/streamio/FileStream.h"
#include "device/streamio/IpStream.h"
#include "device/streamio/RamDisk.h"
#include "device/streamio/RamStream.h"
#include "device/streamio/Rs232Stream.h"
#include "device/streamio/SocketLibrary.h"
#include "device/streamio/StreamTable.h"
#include "device/streamio/UsbHostProbeManager.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"

namespace StreamIO {

namespace {

std::unique_ptr<CRamDisk> g_ramDisk;

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

bool HasPrefix(const CString& name, const char16_t* prefix) {
  const int length = WideLength(prefix);
  return name.GetLength() >= length && name.Left(length).CompareNoCase(prefix) == 0;
}

}  // namespace

void InitStreamIO() {
  CStreamTable::Instance().Start();
  g_ramDisk = std::make_unique<CRamDisk>(u"RAM:");
}

void ExitStreamIO() {
  CStreamTable::Instance().Stop();
  g_ramDisk.reset();
  StopSockets();
  // HID probe streams waiting on other threads learn that the library is going away.
  CUsbHostProbeManager::Instance().GetCloseEvent().SetEvent();
}

CRamDisk* GetRamDisk() { return g_ramDisk.get(); }

std::unique_ptr<CIoStream> OpenStream(const CString& name, DWORD openFlags) {
  // A serial port opened by name keeps the line settings it has.
  if (int port = ParseComPortName(name)) return std::make_unique<CRs232Stream>(port, openFlags, nullptr);
  if (HasPrefix(name, u"RAM:")) return std::make_unique<CRamStream>(name, openFlags);
  if (HasPrefix(name, u"IP:")) return std::make_unique<CIpStream>(name, openFlags);
  return std::make_unique<CFileStream>(name, openFlags);
}

CIoStream* FindStream(DWORD handle) { return CStreamTable::Instance().Find(handle); }

int CloseStream(DWORD handle) {
  CIoStream* stream = FindStream(handle);
  if (!stream) return ERROR_INVALID_HANDLE;
  stream->DoClose();
  return 0;
}

int ParseComPortName(const CString& name) {
  if (!HasPrefix(name, u"COM")) return 0;
  int port = 0;
  int pos = 3;
  while (pos < name.GetLength() && IsDigit(name[pos])) {
    if (pos == 6) return 0;
    port = port * 10 + (name[pos] - u'0');
    ++pos;
  }
  if (pos == 3 || pos == name.GetLength() || name[pos] != u':') return 0;
  return port >= 1 && port <= 256 ? port : 0;
}

}  // namespace StreamIO
