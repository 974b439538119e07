#include "calibration/Zd2SearchConnection.h"

#include "calibration/VexalonDoc.h"
#include "device/DeviceThread.h"
#include "device/Version.h"
#include "device/streamio/IoStream.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"

namespace {

constexpr char16_t kMinimumFirmware[] = u"1.6.3";
// How long a search that is given up may take to notice it.
constexpr DWORD kAbandonWaitMs = 8000;

// "\\.\COM12" gives 12: backslashes, full stops and the letters of "COM" are skipped, then
// the leading number is read; 0 when there is none.
int ComPortNumberOf(const CString& streamName) {
  int at = 0;
  while (at < streamName.GetLength() && CString(u"\\.COM").Find(streamName[at]) >= 0) ++at;
  int number = 0;
  for (; at < streamName.GetLength() && streamName[at] >= u'0' && streamName[at] <= u'9'; ++at)
    number = number * 10 + (streamName[at] - u'0');
  return number;
}

}  // namespace

CZd2SearchConnection::CZd2SearchConnection(CVexalonDoc* doc) : m_doc(doc) {}

CZd2SearchConnection::~CZd2SearchConnection() { Disconnect(); }

bool CZd2SearchConnection::Connect(const Device::SSearchRequest& request) {
  CWaitCursorScope waitCursor;
  Disconnect();
  m_searching = true;
  if (Device::AddSearchJob(this, &request)) return true;
  m_searching = false;
  return false;
}

bool CZd2SearchConnection::Disconnect() {
  AbandonSearch();
  if (m_doc && m_doc->m_device == m_device.get()) m_doc->m_device = nullptr;
  m_device.reset();
  m_connected = false;
  m_comPortNumber = -1;
  return true;
}

void CZd2SearchConnection::AbandonSearch() {
  if (!m_searching) return;
  // An aborted job reports nothing more; the thread takes new jobs once the abort is reset.
  Device::AbortDeviceThread(kAbandonWaitMs);
  Device::ResetDeviceThreadAbort();
  m_searching = false;
}

void CZd2SearchConnection::OnDeviceFound(Device::CJvDevice* device) {
  if (device) {
    // The device belongs to the receiver; only the first one of a search is kept.
    std::unique_ptr<Device::CJvDevice> found(device);
    if (m_device) return;
    if (auto* zd2 = dynamic_cast<Device::CVexalonDevice*>(device)) {
      found.release();
      m_device.reset(zd2);
    }
    return;
  }
  // The search has ended; the owner may go on as soon as it sees the outcome.
  bool connected = false;
  if (m_device) {
    const StreamIO::CIoStream* stream = m_device->GetStream();
    m_comPortNumber = stream ? ComPortNumberOf(stream->GetName()) : 0;
    connected = OnConnected();
  }
  m_searching = false;
  m_connected = connected;
}

bool CZd2SearchConnection::OnConnected() {
  m_doc->m_device = m_device.get();
  m_doc->ReadDeviceIdentity();
  if (CVersion(m_doc->m_firmwareVersion) < CVersion(CString(kMinimumFirmware))) {
    CString text;
    text.Format(
        u"The test can not be continued!!! You need to update the ZD-2 firmware to version %s or higher. "
        u"Your "
        u"current firmware version is %s.",
        kMinimumFirmware, m_doc->m_firmwareVersion);
    MessageBox(nullptr, text, u"ZD-Zedo", MB_OK | MB_ICONERROR);
    m_doc->m_device = nullptr;
    m_device.reset();
    m_comPortNumber = -1;
    return false;
  }
  return true;
}
