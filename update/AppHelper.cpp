#include "update/AppHelper.h"

#include <mutex>

#include "appbase/LoadStringOrPlaceholder.h"
#include "device/FileVersionInfo.h"
#include "device/ShowMessage.h"
#include "device/Version.h"
#include "platform/base/LocalTime.h"
#include "platform/net/FtpConnection.h"
#include "platform/net/InternetException.h"
#include "platform/net/InternetSession.h"
#include "platform/registry/RegistryStore.h"
#include "resources/ResourceIds.h"

namespace {

constexpr const char16_t* kUpdateUser = u"jvcust";
constexpr const char16_t* kUpdatePassword = u"hantelKRB";
constexpr UINT kErrorMessageLength = 1024;
constexpr int kHeaderLabelWidth = 25;
constexpr int kDeviceLabelWidth = 18;
constexpr int kProductNameColumn = 15;

struct SReportValues {
  std::mutex lock;
  CString deviceName;
  CString serialNumber;
  CString softwareVersion;
  CString hwRevision;
  CString signature;
  CString tester;
  CString temperature;
  CString facility;
};

SReportValues& ReportValues() {
  static SReportValues values;
  return values;
}

CFileVersionInfo ProgramVersionInfo() {
  CFileVersionInfo info;
  info.CreateFromModule(nullptr);
  return info;
}

CString PadRight(const CString& text, int width) {
  CString padded = text;
  while (padded.GetLength() < width) padded += u' ';
  return padded;
}

// "%d-%b-%Y" with the English month names, whatever the locale.
CString FormatReportDate(const SLocalTime& now) {
  static const char16_t* const kMonths[] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                            u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  CString text;
  text.Format(u"%02d-%s-%04d", now.day, kMonths[(now.month + 11) % 12], now.year);
  return text;
}

}  // namespace

CAppHelper::CAppHelper() = default;

CAppHelper::~CAppHelper() {
  CloseConnection();
  m_pSession.reset();
}

void CAppHelper::SetReportInfo(const CString& deviceName, const CString& serialNumber,
                               const CString& softwareVersion, const CString& hwRevision,
                               const CString& signature) {
  SReportValues& values = ReportValues();
  std::lock_guard<std::mutex> guard(values.lock);
  values.deviceName = deviceName;
  values.serialNumber = serialNumber;
  values.softwareVersion = softwareVersion;
  values.hwRevision = hwRevision;
  values.signature = signature;
}

void CAppHelper::SetTesterAndTemperature(const CString& tester, const CString& temperature) {
  SReportValues& values = ReportValues();
  bool changed = false;
  {
    std::lock_guard<std::mutex> guard(values.lock);
    changed = values.tester != tester || values.temperature != temperature;
    values.tester = tester;
    values.temperature = temperature;
  }
  // A failed write only loses the remembered values; the report still has them.
  if (changed) SaveTesterSettings(tester, temperature);
}

CString CAppHelper::GetFacility() {
  SReportValues& values = ReportValues();
  std::lock_guard<std::mutex> guard(values.lock);
  return values.facility;
}

bool CAppHelper::SaveTesterSettings(const CString& tester, const CString& temperature) {
  const CString key = u"Software\\Jovant\\" + ProgramVersionInfo().GetProductName() + u"\\Settings\\Config";
  const bool testerWritten = RegSetString(key, u"TesterName", tester);
  const bool temperatureWritten = RegSetString(key, u"AmbientTemperature", temperature);
  return testerWritten && temperatureWritten;
}

CFtpConnection* CAppHelper::ConnectUpdateServer(const CString& folder) {
  const CString name = folder.IsEmpty() ? ProgramVersionInfo().GetProductName() : folder;
  return Connect(kUpdateUser, kUpdatePassword, u"./DiVudodav/" + name + u"/");
}

CFtpConnection* CAppHelper::Connect(const CString& user, const CString& password, const CString& folder) {
  CloseConnection();
  m_strFolder = folder;
  if (!m_pSession) {
    auto session = std::make_unique<CInternetSession>();
    if (!session->IsOpen()) {
      Fail(LoadStringOrPlaceholder(IDS_INTERNET_SESSION_FAILED));
      return nullptr;
    }
    m_pSession = std::move(session);
  }
  m_strLastError.Empty();
  CString server;
  RegGetString(kUpdateServerKey, kUpdateServerValue, server);
  try {
    m_pConnection = m_pSession->GetFtpConnection(server, user, password, m_pStopFlag);
  } catch (const CInternetException& error) {
    CString message;
    error.GetErrorMessage(message, kErrorMessageLength);
    CString number;
    number.Format(LoadStringOrPlaceholder(IDS_INTERNET_ERROR_NUMBER).GetString(), int(error.m_dwError));
    CString text;
    text.Format(u"%s %s", message.GetString(), number.GetString());
    Fail(text);
    return nullptr;
  }
  CString current;
  if (!m_pConnection->GetCurrentDirectory(current)) {
    CloseConnection();
    Fail(LoadStringOrPlaceholder(IDS_FTP_CONNECT_FAILED));
    return nullptr;
  }
  if (!m_pConnection->SetCurrentDirectory(folder)) {
    CloseConnection();
    CString text;
    text.Format(LoadStringOrPlaceholder(IDS_FTP_FOLDER_MISSING).GetString(), folder.GetString());
    Fail(text);
    return nullptr;
  }
  return m_pConnection.get();
}

bool CAppHelper::IsConnected() {
  if (!m_pConnection) return false;
  CString current;
  if (m_pConnection->GetCurrentDirectory(current)) return true;
  CloseConnection();
  return false;
}

void CAppHelper::CloseConnection() {
  if (!m_pConnection) return;
  m_pConnection->Close();
  m_pConnection.reset();
}

void CAppHelper::Fail(const CString& text) {
  m_strLastError = text;
  if (m_bShowMessages) ShowMessage(kErrorMessage, text);
}

void CAppHelper::WriteReportHeader(CString& text, const CString& title, const CString& prefix,
                                   const CString& suffix) const {
  const CFileVersionInfo info = ProgramVersionInfo();
  const CString product = info.GetProductName();
  SLocalTime now;
  StampToLocalTime(CurrentTimeStamp(), now);
  CString time;
  time.Format(u"%02d:%02d", now.hour, now.minute);

  text = prefix + u"\r\n\r\n";
  const CString titleLine = product + u" " + title;
  text += titleLine + u"\r\n" + CString(u'-', titleLine.GetLength()) + u"\r\n";
  text += PadRight(u"Date:", kHeaderLabelWidth) + FormatReportDate(now) + u"\r\n";
  text += PadRight(u"Time:", kHeaderLabelWidth) + time + u"\r\n";
  CString versionLine = product + u" Version: ";
  if (product.GetLength() < kProductNameColumn)
    versionLine += CString(u' ', kProductNameColumn - product.GetLength());
  text += versionLine + CVersion(info.GetProductVersion()).Format(3) + u"\r\n";

  SReportValues& values = ReportValues();
  std::lock_guard<std::mutex> guard(values.lock);
  text += PadRight(u"Tester:", kHeaderLabelWidth) + values.tester + u"\r\n";
  text += PadRight(u"Temperature:", kHeaderLabelWidth) + values.temperature + u" \u00B0C\r\n";
  text += u"\r\n\r\nDevice Info\r\n" + CString(u'-', 11) + u"\r\n";
  text += PadRight(u"Device Name:", kDeviceLabelWidth) + values.deviceName + u"\r\n";
  text += PadRight(u"Serial Number:", kDeviceLabelWidth) + values.serialNumber + u"\r\n";
  text += PadRight(u"Software Version:", kDeviceLabelWidth) + values.softwareVersion + u"\r\n";
  text += PadRight(u"HW Revision:", kDeviceLabelWidth) + values.hwRevision + u"\r\n";
  text += PadRight(u"Signature:", kDeviceLabelWidth) + values.signature;
  if (!suffix.IsEmpty()) text += u"\r\n" + suffix;
  text += u"\r\n\r\n";
}
