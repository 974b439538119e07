#include "update/FwUpdateCheck.h"

#include <map>

#include "appbase/LoadStringOrPlaceholder.h"
#include "device/FileVersionInfo.h"
#include "device/JvDevice.h"
#include "platform/net/FtpConnection.h"
#include "platform/net/InternetException.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"
#include "update/AppHelper.h"

namespace {

constexpr const char16_t* kFailCountValue = u"FwUpdateFailCount";
constexpr const char16_t* kFailMaxValue = u"FwUpdateFailCountMax";
constexpr int kDefaultFailMax = 100;
constexpr int kMaxCounterText = 100;
// After the user was told: the maximum for a small count.
constexpr int kSmallFailMax = 10;

bool AllDigits(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i)
    if (text[i] < u'0' || text[i] > u'9') return false;
  return true;
}

// A decimal number at the start of the text, as the platform's text-to-integer reads it.
int DecimalOf(const CString& text) {
  int i = 0;
  while (i < text.GetLength() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.GetLength() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  long long value = 0;
  for (; i < text.GetLength() && text[i] >= u'0' && text[i] <= u'9' && value < 0x80000000LL; ++i)
    value = value * 10 + (text[i] - u'0');
  return int(negative ? -value : value);
}

bool TagFits(const CString& tag, int contentType) {
  if (tag.IsEmpty()) return true;
  switch (contentType) {
    case CFwUpdateCheck::kApplicationFirmware:
      return tag == u"FW" || tag == u"APP";
    case CFwUpdateCheck::kOperatingSystem:
      return tag == u"OS";
    case CFwUpdateCheck::kMultimediaFirmware:
      return tag == u"MFW";
    default:
      return false;
  }
}

}  // namespace

CFwUpdateCheck::CFwUpdateCheck(CWnd* notify, const CString& registryKey)
    : m_pNotify(notify), m_strRegistryKey(registryKey) {}

CFwUpdateCheck::~CFwUpdateCheck() { m_worker.Stop(); }

CVersion CFwUpdateCheck::VersionFromName(const CString& name, int contentType) {
  const int marker = name.Find(u"-V");
  if (name.GetLength() <= 3 || name.Right(3) != u"lod" || marker < 0) return CVersion();
  CString rest = name.Mid(marker + 2);
  CString versionText;
  CString tag;
  for (;;) {
    int separator = -1;
    for (int i = 0; i < rest.GetLength(); ++i) {
      if (rest[i] == u'.' || rest[i] == u'_') {
        separator = i;
        break;
      }
    }
    if (separator < 0) break;
    const CString part = rest.Left(separator);
    if (!AllDigits(part)) {
      tag = part;
      break;
    }
    versionText += part + u".";
    rest = rest.Mid(separator + 1);
  }
  if (!TagFits(tag, contentType)) return CVersion();
  versionText.TrimRight(u'.');
  return CVersion(versionText);
}

bool CFwUpdateCheck::Start(Device::CJvDevice* device, UINT firmwareMessage, UINT osMessage,
                           UINT mediaMessage) {
  m_worker.Stop();
  m_pDevice = device;
  m_firmwareMessage = firmwareMessage;
  m_osMessage = osMessage;
  m_mediaMessage = mediaMessage;
  if (!m_pDevice || !m_pDevice->Identify(m_ident)) return false;
  if (!m_pDevice->FillFirmwareList(m_contents)) return false;
  if (m_strRegistryKey.IsEmpty()) {
    CFileVersionInfo info;
    info.CreateFromModule(nullptr);
    m_strRegistryKey.Format(u"Software\\Jovant\\%s\\Settings", info.GetProductName().GetString());
  }
  ReadCounters();
  m_strDeviceCode.Format(u"%08x", unsigned(m_pDevice->GetDeviceCode()));

  SRun run;
  run.deviceCode = m_strDeviceCode;
  run.registryKey = m_strRegistryKey;
  run.failCount = m_nFailCount;
  run.failMax = m_nFailMax;
  run.firmwareMessage = m_firmwareMessage;
  run.osMessage = m_osMessage;
  run.mediaMessage = m_mediaMessage;
  run.contents = m_contents;
  run.ident = m_ident;
  return m_worker.Start(m_pNotify, [run](CCheckWorkerState& state) { return Check(run, state); });
}

void CFwUpdateCheck::ReadCounters() {
  CString text;
  if (RegGetString(m_strRegistryKey, kFailCountValue, text) && text.GetLength() <= kMaxCounterText)
    m_nFailCount = DecimalOf(text);
  m_nFailMax = kDefaultFailMax;
  if (RegGetString(m_strRegistryKey, kFailMaxValue, text) && text.GetLength() <= kMaxCounterText)
    m_nFailMax = DecimalOf(text);
}

void CFwUpdateCheck::WriteCounters(const SRun& run) {
  CString count;
  CString max;
  count.Format(u"%d", run.failCount);
  max.Format(u"%d", run.failMax);
  // A counter that cannot be stored only delays the reminder; the check goes on.
  RegSetString(run.registryKey, kFailCountValue, count);
  RegSetString(run.registryKey, kFailMaxValue, max);
}

DWORD CFwUpdateCheck::CountFailure(SRun& run) {
  ++run.failCount;
  if (run.failCount <= run.failMax) {
    WriteCounters(run);
    return kExitOffline;
  }
  run.failMax = run.failCount <= kSmallFailMax ? kSmallFailMax : run.failMax / 2;
  run.failCount = 0;
  WriteCounters(run);
  CString text;
  text.Format(LoadStringOrPlaceholder(IDS_FIRMWARE_CHECK_OFFLINE).GetString(),
              run.ident.deviceName.GetString());
  MessageBox(nullptr, text, LoadStringOrPlaceholder(IDS_CAPTION_INFORMATION), MB_OK | MB_ICONINFORMATION);
  return kExitUserTold;
}

DWORD CFwUpdateCheck::Check(SRun run, CCheckWorkerState& state) {
  CAppHelper helper;
  helper.SetShowMessages(false);
  helper.SetStopFlag(&state.StopFlag());
  CFtpConnection* connection = helper.ConnectUpdateServer(run.deviceCode);
  if (!connection) return state.StopFlag() ? CCheckWorker::kStoppedExitCode : CountFailure(run);
  run.failCount = 0;
  run.failMax = kDefaultFailMax;
  WriteCounters(run);

  // The highest newer version of each content type: a listing sorted by name would put
  // 1.10.0 before 1.9.0.
  std::map<int, CVersion> newest = {
      {kApplicationFirmware, CVersion()}, {kOperatingSystem, CVersion()}, {kMultimediaFirmware, CVersion()}};
  try {
    for (const Device::SContentEntry& entry : run.contents.m_entries) {
      if (!newest.count(entry.contentType)) continue;
      for (const SFtpFileEntry& file : connection->ListFiles(u"*.lod")) {
        const CVersion version = VersionFromName(file.name, entry.contentType);
        if (version.GetValue() != 0 && version > entry.version && version > newest[entry.contentType])
          newest[entry.contentType] = version;
      }
    }
  } catch (const CInternetException&) {
    // A server that fails in the middle of the check gives no result; the next connection
    // checks again.
    helper.CloseConnection();
    return kExitOffline;
  }
  if (run.osMessage) state.PostVersion(run.osMessage, newest[kOperatingSystem]);
  if (run.mediaMessage) state.PostVersion(run.mediaMessage, newest[kMultimediaFirmware]);
  state.PostVersion(run.firmwareMessage, newest[kApplicationFirmware]);
  helper.CloseConnection();
  return kExitPosted;
}
