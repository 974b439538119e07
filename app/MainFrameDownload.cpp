// The main frame's download of all measurement data: the command, the download thread and the
// frame's end during a download.

#include <vector>

#include "app/ChildView.h"
#include "app/MainFrame.h"
#include "appbase/BoxCaption.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "connection/MeasDeviceIdentity.h"
#include "connection/VexalonConnection.h"
#include "device/DeviceIdent.h"
#include "device/VexalonDevice.h"
#include "device/streamio/IoStream.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"
#include "platform/kernel/SyncObject.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kDownloadBufferSize = 65536;
constexpr WPARAM kStartPercent = 2;
constexpr WPARAM kDonePercent = 100;
constexpr DWORD kDonePauseMs = 1000;

// Whether the instrument may have gone during the download: nothing, a cut header or cut data
// came, the port failed, or a header counted no tests, which a link that ends right after it
// must not pass off as an empty instrument. A complete answer, even a wrong one, and data still
// arriving at the time-out show a link that works.
bool MayHaveLostTheLink(int result, int count) {
  switch (result) {
    case Device::kDownloadOk:
      return count <= 0;
    case Device::kDownloadLeaveFailed:
    case Device::kDownloadHeaderShort:
    case Device::kDownloadIncomplete:
    case Device::kDownloadException:
      return true;
    default:
      return false;
  }
}

bool StillAnswers(Device::CVexalonDevice& device) {
  SDeviceIdent ident;
  return device.Identify(ident);
}

}  // namespace

void CMainFrame::OnDownloadAll() {
  if (IsDownloadRunning() || TheConnection().IsInUse()) return;
  if (!m_doc.QuerySave()) return;
  m_downloadAbandoned = false;
  m_downloadThread.Start([this] { return DownloadThreadProc(this); });
  if (m_pView) m_pView->UpdateTitle();
}

void CMainFrame::ShowDownloadBox(const CString& text, UINT type) {
  if (!m_downloadAbandoned) MessageBox(this, text, kBoxCaption, type);
}

DWORD CMainFrame::DownloadThreadProc(CMainFrame* frame) {
  if (!frame) return 0;
  CVexalonConnection& connection = TheConnection();
  CConnectionUse use(connection);
  if (!use.IsTaken() || !connection.Connect(false)) return 0;
  auto* device = dynamic_cast<Device::CVexalonDevice*>(connection.GetDevice());
  if (!device) return 0;
  CWaitCursorScope waitCursor;
  const SMeasDeviceInfo identity = ReadMeasDeviceInfo(*device);
  std::vector<BYTE> buffer(kDownloadBufferSize);
  int size = kDownloadBufferSize;
  int count = 0;
  device->SetCallback(frame);
  frame->PostMessage(WM_DOWNLOAD_PROGRESS, kStartPercent, 0);
  frame->PostMessage(WM_DOWNLOAD_PROGRESS, 0, kShowProgress);
  const int result = device->DownloadMeasurements(buffer.data(), size, count);
  frame->PostMessage(WM_DOWNLOAD_PROGRESS, kDonePercent, 0);
  if (!frame->m_downloadAbandoned) Sleep(kDonePauseMs);
  frame->PostMessage(WM_DOWNLOAD_PROGRESS, 0, kHideProgress);
  if (frame->m_downloadAbandoned) return 0;
  // The held device stays: the next command's connection check lets it go.
  if (MayHaveLostTheLink(result, count) && !StillAnswers(*device)) {
    frame->ShowDownloadBox(LoadStringOrPlaceholder(IDS_DOWNLOAD_FAILED) + u"\n" +
                               LoadStringOrPlaceholder(IDS_DOWNLOAD_LINK_LOST),
                           MB_OK | MB_ICONERROR);
    return 0;
  }
  if (result != 0) {
    CString text;
    text.Format(u"%s\n%s", LoadStringOrPlaceholder(IDS_DOWNLOAD_FAILED).GetString(),
                Device::GetDownloadErrorText(result));
    frame->ShowDownloadBox(text, MB_OK | MB_ICONERROR);
    return 0;
  }
  if (count <= 0) {
    frame->ShowDownloadBox(LoadStringOrPlaceholder(IDS_NO_MEASUREMENT_DATA), MB_OK);
    return 0;
  }
  buffer.resize(size_t(size));
  if (!frame->m_doc.AddDownloadedData(buffer.data(), buffer.size(), &identity)) {
    // The records before the one that could not be read stay in the project.
    CString record;
    record.Format(LoadStringOrPlaceholder(IDS_DOWNLOAD_RECORD_UNREADABLE).GetString(),
                  frame->m_doc.GetCount() + 1, count);
    frame->ShowDownloadBox(LoadStringOrPlaceholder(IDS_DOWNLOAD_FAILED) + u"\n" + record,
                           MB_OK | MB_ICONERROR);
  }
  return 0;
}

void CMainFrame::WaitForDownload() { WaitForSingleObject(m_downloadThread, INFINITE); }

// The thread must not outlive the frame and its document: its blocked read is woken and the
// thread joined before they go.
void CMainFrame::StopDownload() {
  if (!IsDownloadRunning()) return;
  m_downloadAbandoned = true;
  if (Device::CJvDevice* device = TheConnection().GetDevice()) {
    if (StreamIO::CIoStream* stream = device->GetStream()) {
      try {
        stream->Cancel();
      } catch (const CFileException&) {
        // The read ends by its own time-out instead.
      }
    }
  }
  WaitForDownload();
}
