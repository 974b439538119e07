#include "app/MainFrame.h"

#include <algorithm>

#include "app/AppSettings.h"
#include "app/ChildView.h"
#include "app/VexaZedoApp.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "appbase/Registry.h"
#include "appbase/WindowPos.h"
#include "calibration/DeviceInfoBlock.h"
#include "connection/VexalonConnection.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/DropFiles.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/UiApplication.h"
#include "resources/ResourceIds.h"
#include "update/AutoUpdate.h"

namespace {

constexpr UINT kViewId = AFX_IDW_PANE_FIRST;
constexpr int kToolBarPicture = 32;
constexpr COLORREF kPictureMask = RGB(255, 255, 255);
// The smallest part of the frame that must stay on the screen when a stored position is used.
constexpr int kMinVisible = 100;

// The logo button's click, registered by name.
const UINT kLogoClickMessage = RegisterWindowMessage(u"OnLogoClick");

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};

CVersion UnpackVersion(WPARAM wParam, LPARAM lParam) {
  const ULONGLONG a = LOWORD(DWORD(wParam)), b = HIWORD(DWORD(wParam));
  const ULONGLONG c = LOWORD(DWORD(lParam)), d = HIWORD(DWORD(lParam));
  return CVersion((a << 48) | (b << 32) | (c << 16) | d);
}

// Keeps a stored rectangle on the screen: it may have been saved on a larger one.
CRect ClampToScreen(CRect rect) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const int width = std::clamp(int(rect.Width()), kMinVisible, std::max(kMinVisible, screenWidth));
  const int height = std::clamp(int(rect.Height()), kMinVisible, std::max(kMinVisible, screenHeight));
  const int left = std::clamp(int(rect.left), 0, std::max(0, screenWidth - kMinVisible));
  const int top = std::clamp(int(rect.top), 0, std::max(0, screenHeight - kMinVisible));
  return CRect(left, top, left + width, top + height);
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
  .OnCreate(&CMainFrame::OnCreate)
  .OnClose(&CMainFrame::OnClose)
  .OnPaint(&CMainFrame::OnPaint)
  .OnSize(&CMainFrame::OnSize)
  .OnSetFocus(&CMainFrame::OnSetFocus)
  .OnDestroy(&CMainFrame::OnDestroy)
  .OnMessage(WM_DROPFILES, &CMainFrame::OnDropFiles)
  .OnMessage(WM_NEW_PROGRAM_VERSION, &CMainFrame::OnNewProgramVersion)
  .OnMessage(WM_NEW_FIRMWARE_VERSION, &CMainFrame::OnNewFirmwareVersion)
  .OnMessage(WM_DOWNLOAD_PROGRESS, &CMainFrame::OnDownloadProgress)
  .OnMessage(WM_EXTERN_CAL_REPORT, &CMainFrame::OnExternCalReport)
  .OnMessage(WM_SETMESSAGESTRING, &CMainFrame::OnSetMessageString)
  .OnCommand(ID_APP_SETTINGS, &CMainFrame::OnAppSettings)
  .OnCommand(ID_APP_ABOUT, &CMainFrame::OnAppAbout)
  .OnCommand(ID_DOWNLOAD_ALL, &CMainFrame::OnDownloadAll)
  .OnCommand(ID_DELETE_ALL_ON_DEVICE, &CMainFrame::OnDeleteAllOnDevice)
  .OnCommand(ID_DISCONNECT, &CMainFrame::OnDisconnect)
  .OnCommand(ID_UPDATE_FIRMWARE, &CMainFrame::OnUpdateFirmware)
  .OnCommand(ID_LIVE_VIEW, &CMainFrame::OnLiveView)
  .OnCommand(ID_CALIBRATION_ADJUST, &CMainFrame::OnCalibrationAdjustment)
  .OnCommand(ID_CALIBRATION_VERIFY, &CMainFrame::OnCalibrationVerification)
  .OnCommand(ID_RESTORE_FACTORY_CALIBRATION, &CMainFrame::OnRestoreFactoryCalibration)
  .OnCommand(ID_RESTORE_LAST_CALIBRATION, &CMainFrame::OnRestoreLastUsedCalibration)
  .OnCommand(ID_CERTIFICATE_TEMPLATE, &CMainFrame::OnCertificateTemplate)
  .OnCommand(ID_CERTIFICATE_EXAMPLE, &CMainFrame::OnCertificateExample)
  .OnCommand(ID_CUSTOMER_FEEDBACK, &CMainFrame::OnCustomerFeedback)
  .OnCommand(ID_PRODUCT_REGISTRATION, &CMainFrame::OnProductRegistration)
  .OnRegisteredMessage(kLogoClickMessage, &CMainFrame::OnLogoClick)
  .OnUpdateCommandUI(ID_DOWNLOAD_ALL, &CMainFrame::OnUpdateDeviceCommand)
  .OnUpdateCommandUI(ID_DELETE_ALL_ON_DEVICE, &CMainFrame::OnUpdateDeviceCommand)
  .OnUpdateCommandUI(ID_UPDATE_FIRMWARE, &CMainFrame::OnUpdateDeviceCommand)
  .OnUpdateCommandUI(ID_LIVE_VIEW, &CMainFrame::OnUpdateDeviceCommand)
  .OnUpdateCommandUI(ID_DISCONNECT, &CMainFrame::OnUpdateDisconnect)
  .OnCommand(ID_CHECK_UPDATES, &CMainFrame::OnCheckUpdates)
  .OnCommand(ID_UPDATE_PROGRAM, &CMainFrame::OnCheckUpdates)
END_MESSAGE_MAP()
// clang-format on

CMainFrame::CMainFrame()
    : m_pView(std::make_unique<CChildView>(m_doc)),
      m_pWindowPos(std::make_unique<CWindowPos>(u"MainFrm", this)) {
  m_progressDlg.Create(IDD_PROGRESS);
}

CMainFrame::~CMainFrame() {
  StopDownload();
  if (IsWindow()) DestroyWindow();
  TheConnection().Disconnect();
  if (m_progressDlg.IsWindow()) m_progressDlg.DestroyWindow();
  m_pWindowPos.reset();
  m_pView.reset();
  RemoveNewVersionMenu();
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& create) {
  m_pWindowPos->Restore(kSettingsKey);
  const CRect rect = ClampToScreen(
      CRect(m_pWindowPos->m_left, m_pWindowPos->m_top, m_pWindowPos->m_right, m_pWindowPos->m_bottom));
  create.x = rect.left;
  create.y = rect.top;
  create.cx = rect.Width();
  create.cy = rect.Height();
  create.dwExStyle &= ~WS_EX_CLIENTEDGE;
  return CFrameWnd::PreCreateWindow(create);
}

int CMainFrame::OnCreate(LPCREATESTRUCT create) {
  if (CFrameWnd::OnCreate(create) == -1) return -1;
  if (!m_pView->Create(this, kViewId)) return -1;
  if (!CreateBars()) return -1;
  m_wndLogo.Create(nullptr, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 0, 0), GetDockBar(), IDC_LOGO);
  m_wndLogo.LoadBitmaps(IDB_LOGO, IDB_LOGO_PRESSED);
  m_wndLogo.SizeToContent();
  CreateToolBarImages();
  RecalcLayout();
  UpdateControlBars();
  TheConnection().SetNotify(this, WM_NEW_FIRMWARE_VERSION, 0);
  const CVexaZedoApp* app = GetZedoApp();
  m_pAutoUpdate = std::make_unique<CAutoUpdate>(this, app ? app->GetProgramFolder() : CString());
  m_pAutoUpdate->StartCheck(WM_NEW_PROGRAM_VERSION);
  if (app && !app->GetCommandLine().empty()) m_doc.OnFileOpen(app->GetCommandLine().front());
  return 0;
}

bool CMainFrame::CreateBars() {
  if (!m_wndToolBar.CreateEx(
          this, TBSTYLE_FLAT,
          WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
          AFX_IDW_TOOLBAR) ||
      !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
    return false;
  if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
      !m_wndStatusBar.SetIndicators(kIndicators, int(std::size(kIndicators))))
    return false;
  m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndToolBar);
  SetMessageText(AFX_IDS_IDLEMESSAGE);
  return true;
}

void CMainFrame::CreateToolBarImages() {
  CBitmap normal;
  CBitmap disabled;
  m_normalImages.Create(kToolBarPicture, kToolBarPicture, ILC_COLOR24 | ILC_MASK, 15, 1);
  m_disabledImages.Create(kToolBarPicture, kToolBarPicture, ILC_COLOR24 | ILC_MASK, 15, 1);
  if (normal.LoadBitmap(IDB_TOOLBAR)) m_normalImages.Add(&normal, kPictureMask);
  if (disabled.LoadBitmap(IDB_TOOLBAR_DISABLED)) m_disabledImages.Add(&disabled, kPictureMask);
  m_wndToolBar.SetImageList(&m_normalImages);
  m_wndToolBar.SetDisabledImageList(&m_disabledImages);
  // The pictures follow the buttons in order, the separators taking none.
  int image = 0;
  for (int i = 0; i < m_wndToolBar.GetCount(); ++i) {
    if (m_wndToolBar.GetButtonStyle(i) & TBBS_SEPARATOR) continue;
    m_wndToolBar.SetButtonImage(i, image++);
  }
}

void CMainFrame::OnClose() {
  m_pWindowPos->Save(kSettingsKey);
  if (!m_doc.QuerySave()) return;
  // Deleting the wizard stops its check thread.
  m_pAutoUpdate.reset();
  RemoveNewVersionMenu();
  CFrameWnd::OnClose();
}

void CMainFrame::OnDestroy() {
  StopDownload();
  const bool mainWindow = AfxGetMainWnd() == this;
  CFrameWnd::OnDestroy();
  // The program ends with its main window.
  if (mainWindow) CUiApplication::Quit(0);
}

void CMainFrame::OnPaint() {
  CPaintDC dc(this);
  m_wndLogo.Reposition();
}

void CMainFrame::OnSize(UINT type, int cx, int cy) {
  CFrameWnd::OnSize(type, cx, cy);
  m_wndLogo.Reposition();
}

void CMainFrame::OnSetFocus(CWnd*) {
  if (m_pView && m_pView->IsWindow()) m_pView->SetFocus();
}

LRESULT CMainFrame::OnDropFiles(WPARAM wParam, LPARAM) {
  auto drop = reinterpret_cast<HDROP>(wParam);
  CString path;
  const bool any = DragQueryFile(drop, 0, path) > 0;
  DragFinish(drop);
  if (any && path.GetLength() >= 4 && path.Right(4).CompareNoCase(u".jvd") == 0) m_doc.OnFileOpen(path);
  return 0;
}

LRESULT CMainFrame::OnNewProgramVersion(WPARAM wParam, LPARAM lParam) {
  m_newestProgram = UnpackVersion(wParam, lParam);
  RebuildNewVersionMenu();
  return 0;
}

LRESULT CMainFrame::OnNewFirmwareVersion(WPARAM wParam, LPARAM lParam) {
  m_newestFirmware = UnpackVersion(wParam, lParam);
  RebuildNewVersionMenu();
  return 0;
}

LRESULT CMainFrame::OnDownloadProgress(WPARAM wParam, LPARAM lParam) {
  if (!m_progressDlg.IsWindow()) return 0;
  if (lParam == kShowProgress) {
    m_progressDlg.ShowWindow(SW_SHOW);
  } else if (lParam == kHideProgress) {
    m_progressDlg.ShowWindow(SW_HIDE);
  } else {
    m_progressDlg.SetPos(int(wParam));
    m_progressDlg.RedrawWindow();
  }
  return 0;
}

LRESULT CMainFrame::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  if (lParam) {
    m_strIdleText = reinterpret_cast<LPCTSTR>(lParam);
    SetMessageText(m_strIdleText.GetString());
    return 0;
  }
  if (UINT(wParam) == AFX_IDS_IDLEMESSAGE) {
    if (m_strIdleText.IsEmpty()) {
      SetMessageText(AFX_IDS_IDLEMESSAGE);
    } else {
      SetMessageText(m_strIdleText.GetString());
    }
    return 0;
  }
  SetMessageText(UINT(wParam));
  return 0;
}

void CMainFrame::RemoveNewVersionMenu() {
  if (!m_hNewVersionMenu) return;
  if (CMenu* bar = GetMenu()) {
    for (int i = bar->GetMenuItemCount() - 1; i >= 0; --i)
      if (::GetSubMenu(bar->m_hMenu, i) == m_hNewVersionMenu) bar->RemoveMenu(UINT(i), MF_BYPOSITION);
  }
  ::DestroyMenu(m_hNewVersionMenu);
  m_hNewVersionMenu = nullptr;
}

void CMainFrame::RebuildNewVersionMenu() {
  CString programText;
  CString firmwareText;
  if (m_newestProgram.GetValue() != 0)
    programText.Format(LoadStringOrPlaceholder(IDS_UPDATE_PROGRAM_TO).GetString(),
                       m_newestProgram.Format(3).GetString());
  if (m_newestFirmware.GetValue() != 0)
    firmwareText.Format(LoadStringOrPlaceholder(IDS_UPDATE_FIRMWARE_TO).GetString(),
                        m_newestFirmware.Format(3).GetString());
  RemoveNewVersionMenu();
  CMenu* bar = GetMenu();
  if (bar && (!programText.IsEmpty() || !firmwareText.IsEmpty())) {
    m_hNewVersionMenu = ::CreatePopupMenu();
    bar->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(m_hNewVersionMenu),
                    LoadStringOrPlaceholder(IDS_NEW_VERSION_MENU).GetString());
    if (!programText.IsEmpty())
      ::AppendMenuW(m_hNewVersionMenu, MF_STRING, ID_UPDATE_PROGRAM, programText.GetString());
    if (!firmwareText.IsEmpty())
      ::AppendMenuW(m_hNewVersionMenu, MF_STRING, ID_UPDATE_FIRMWARE, firmwareText.GetString());
  }
  DrawMenuBar();
}

void CMainFrame::OnAppSettings() {
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
  CAppSettings settings(this);
  settings.DoModal();
  if (settings.IsLanguageChanged()) {
    RemoveNewVersionMenu();
    CMenu menu;
    if (menu.LoadMenu(IDR_MAINFRAME)) {
      HMENU old = GetMenu() ? GetMenu()->m_hMenu : nullptr;
      SetMenu(&menu);
      if (old) ::DestroyMenu(old);
    }
    RebuildNewVersionMenu();
  }
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  // Texts, units and dates are shown anew in every view.
  m_doc.UpdateAllViews(this, -1);
}

void CMainFrame::OnAppAbout() {
  if (CVexaZedoApp* app = GetZedoApp()) app->OnAppAbout();
}

CString CMainFrame::WriteExternCalReport(const SExternCalTexts& texts) {
  const CString text = CExternCalReport::BuildText(texts);
  const CVexaZedoApp* app = GetZedoApp();
  CExternCalReport::Write(text, texts, app ? app->GetTempLogFolder() : CString());
  return text;
}

// The calibration document's identity, information block and last report; the document keeps
// the text as it was written.
LRESULT CMainFrame::OnExternCalReport(WPARAM, LPARAM) {
  SExternCalTexts texts;
  texts.deviceName = m_calibrationDoc.m_deviceName;
  texts.serialNumber = m_calibrationDoc.m_serialNumber;
  texts.softwareVersion = m_calibrationDoc.m_firmwareVersion;
  texts.hwRevision = m_calibrationDoc.m_hardwareRevision;
  texts.signature = m_calibrationDoc.m_signature;
  texts.instrumentInfo = FormatDeviceInfoBlock(m_calibrationDoc);
  texts.testReport = m_calibrationDoc.m_reportText;
  texts.referenceSerial = m_calibrationDoc.m_calibratorInfo.referenceSensorSerialNumber;
  m_calibrationDoc.m_exportText = WriteExternCalReport(texts);
  return 0;
}

void CMainFrame::OnCheckUpdates() {
  if (!m_doc.QuerySave() || !m_pAutoUpdate) return;
  // The installer has started: the program makes way for it.
  if (m_pAutoUpdate->Run(false, true, false)) PostMessage(WM_CLOSE);
}

void CMainFrame::OnDeviceFound(Device::CJvDevice*) {}
void CMainFrame::OnStatusText(const CString&) {}
void CMainFrame::OnMessage(const CString&, int) {}

void CMainFrame::OnProgress(int percent, int, int) { PostMessage(WM_DOWNLOAD_PROGRESS, WPARAM(percent), 0); }
