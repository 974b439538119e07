// The main frame's commands that act on the connected ZD-2 (delete all, disconnect, firmware
// update, Live View, restoring a stored calibration) and its service commands that open
// documents and web pages.

#include "app/MainFrame.h"
#include "app/VexaZedoApp.h"
#include "appbase/BoxCaption.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "appbase/Registry.h"
#include "calibration/MeasDlg.h"
#include "calibration/RestoreCalDlg.h"
#include "calibration/TestStepDlg.h"
#include "calibration/VexalonDoc.h"
#include "connection/VexalonConnection.h"
#include "device/Version.h"
#include "device/VexalonDevice.h"
#include "platform/base/MessageFormat.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramRun.h"
#include "platform/ui/ShellExecute.h"
#include "platform/ui/WaitCursor.h"
#include "resources/ResourceIds.h"

namespace {

const char16_t kUpgradeParameters[] = u"-DeviceTypeList 0c-00000-0";
const char16_t kLiveViewMinimumFirmware[] = u"1.4.3";
const char16_t kMakerWebSite[] = u"https://www.jovant.example/";
const char16_t kCertificateTemplate[] = u"Calibration Certificate Template.xlsx";
const char16_t kCertificateExample[] = u"Calibration Certificate Example.xlsx";

int ShowBox(CWnd* owner, const CString& text, UINT type) {
  return MessageBox(owner, text, kBoxCaption, type);
}

CString ProgramFolder() {
  const CVexaZedoApp* app = GetZedoApp();
  return app ? app->GetProgramFolder() : CString();
}

void OpenAddress(const CString& address) {
  ShellExecute(nullptr, u"open", address.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

// While a download runs the device belongs to it: the commands that would use the device wait
// until it has ended.
void CMainFrame::OnUpdateDeviceCommand(CCmdUI* cmdUI) {
  cmdUI->Enable(!IsDownloadRunning() && !TheConnection().IsInUse());
}

void CMainFrame::OnUpdateDisconnect(CCmdUI* cmdUI) {
  cmdUI->Enable(!IsDownloadRunning() && !TheConnection().IsInUse() && TheConnection().GetDevice() != nullptr);
}

void CMainFrame::OnDisconnect() {
  if (!IsDownloadRunning()) TheConnection().Disconnect();
}

void CMainFrame::OnDeleteAllOnDevice() {
  if (IsDownloadRunning() || TheConnection().IsInUseByOther()) return;
  TheConnection().Connect(false);
  DeleteAllOnDevice();
}

bool CMainFrame::DeleteAllOnDevice() {
  CVexalonConnection& connection = TheConnection();
  // A wizard cancelled before is offered once more.
  connection.Connect(false);
  auto* device = dynamic_cast<Device::CVexalonDevice*>(connection.GetDevice());
  if (!device) {
    ShowBox(this, LoadStringOrPlaceholder(IDS_NOT_CONNECTED_NO_DELETE), MB_OK);
    return false;
  }
  if (ShowBox(this, LoadStringOrPlaceholder(IDS_CONFIRM_DELETE_ALL), MB_YESNO | MB_ICONQUESTION) != IDYES)
    return false;
  if (!device->DeleteAllMeasurements()) {
    ShowBox(this, LoadStringOrPlaceholder(IDS_DELETE_ALL_FAILED), MB_OK | MB_ICONERROR);
    return false;
  }
  ShowBox(this, LoadStringOrPlaceholder(IDS_DELETE_ALL_DONE), MB_OK | MB_ICONINFORMATION);
  return true;
}

void CMainFrame::OnUpdateFirmware() {
  if (IsDownloadRunning() || TheConnection().IsInUseByOther()) return;
  if (ShowBox(this, LoadStringOrPlaceholder(IDS_FIRMWARE_UPDATE_DELETES), MB_YESNO | MB_ICONQUESTION) !=
      IDYES)
    return;
  if (!DeleteAllOnDevice()) return;
  CWaitCursorScope waitCursor;
  TheConnection().Disconnect();
  m_newestFirmware = CVersion();
  RebuildNewVersionMenu();
  const CString folder = ProgramFolder();
  const CString languageFile = folder + u"/" + LoadStringOrPlaceholder(IDS_UPGRADE_PROGRAM_FILE);
  if (!RegSetString(kUpdaterSettingsKey, u"Pfad", folder) ||
      !RegSetString(kUpdaterSettingsKey, u"LanguageFile", languageFile))
    ShowBox(this, LoadStringOrPlaceholder(IDS_REGISTRY_WRITE_FAILED), MB_OK | MB_ICONERROR);
  // A program that cannot be started is not waited for, and not reported.
  DWORD exitCode = 0;
  RunProgramAndWait(folder + u"/DiVudodav.exe", kUpgradeParameters, exitCode);
}

void CMainFrame::OnLiveView() {
  m_liveViewAllowed = false;
  CVexalonConnection& connection = TheConnection();
  if (IsDownloadRunning() || connection.IsInUseByOther()) return;
  connection.Connect(false);
  auto* device = dynamic_cast<Device::CVexalonDevice*>(connection.GetDevice());
  if (!device) {
    ShowBox(this, LoadStringOrPlaceholder(IDS_LIVE_VIEW_NOT_CONNECTED), MB_OK | MB_ICONERROR);
    return;
  }
  SDeviceIdent ident;
  {
    CWaitCursorScope waitCursor;
    if (!device->LeaveDebugProtocol(false, false) || !device->Identify(ident)) {
      ShowBox(this, LoadStringOrPlaceholder(IDS_LIVE_VIEW_NOT_CONNECTED), MB_OK | MB_ICONERROR);
      return;
    }
  }
  if (CVersion(ident.appVersion) >= CVersion(CString(kLiveViewMinimumFirmware))) {
    m_liveViewAllowed = true;
    CMeasDlg dialog(device, this);
    const CVexaZedoApp* app = GetZedoApp();
    dialog.SetDiagnosticMode(app && app->IsDiagnosticMode());
    dialog.DoModal();
    return;
  }
  const CString text = FormatMessageText(LoadStringOrPlaceholder(IDS_LIVE_VIEW_FIRMWARE_TOO_OLD),
                                         {CString(kLiveViewMinimumFirmware), ident.appVersion});
  ShowBox(this, text, MB_OK | MB_ICONERROR);
}

void CMainFrame::OnCalibrationAdjustment() {
  ResetCalibrationDocument();
  if (CTestStepDlg(true, false, &m_calibrationDoc, this).DoModal() != IDOK) return;
  // The operator chose to verify the new calibration at once, on the same instrument.
  ResetCalibrationDocument();
  CTestStepDlg(false, true, &m_calibrationDoc, this).DoModal();
}

void CMainFrame::OnCalibrationVerification() {
  ResetCalibrationDocument();
  CTestStepDlg(false, false, &m_calibrationDoc, this).DoModal();
}

void CMainFrame::ResetCalibrationDocument() {
  m_calibrationDoc.Reset();
  m_calibrationDoc.m_calibratorInfo.class1Requirements = EResultState::eNotRequired;
}

void CMainFrame::OnRestoreFactoryCalibration() { CRestoreCalDlg(true, &m_calibrationDoc, this).DoModal(); }

void CMainFrame::OnRestoreLastUsedCalibration() { CRestoreCalDlg(false, &m_calibrationDoc, this).DoModal(); }

void CMainFrame::OnCertificateTemplate() { OpenAddress(ProgramFolder() + u"/" + kCertificateTemplate); }

void CMainFrame::OnCertificateExample() { OpenAddress(ProgramFolder() + u"/" + kCertificateExample); }

void CMainFrame::OnCustomerFeedback() { OpenAddress(LoadStringOrPlaceholder(IDS_FEEDBACK_ADDRESS)); }

void CMainFrame::OnProductRegistration() { OpenAddress(LoadStringOrPlaceholder(IDS_REGISTRATION_ADDRESS)); }

LRESULT CMainFrame::OnLogoClick(WPARAM, LPARAM) {
  OpenAddress(kMakerWebSite);
  return 0;
}
