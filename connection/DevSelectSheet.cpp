#include "connection/DevSelectSheet.h"

#include "appbase/ProgramFolder.h"
#include "connection/DevFoundPage.h"
#include "connection/DevSelectPage.h"
#include "connection/PortSelectPage.h"
#include "connection/WelcomePage.h"
#include "device/DeviceFactory.h"
#include "device/DeviceThread.h"
#include "platform/registry/RegistryStore.h"
#include "platform/res/StringTable.h"
#include "platform/ui/HelpTopic.h"
#include "resources/ResourceIds.h"

namespace {

constexpr DWORD kLastStoredPort = 9998;
constexpr int kLastWrittenPort = 9999;
// The remembered texts are read into 520 bytes: 259 characters and the terminating zero.
constexpr int kMaxStoredText = 259;

// Stored 0 gives false; any other value, a missing value or another type gives true.
bool ReadFlag(const CString& key, const char16_t* name) {
  DWORD value = 0;
  return !RegGetDword(key, name, value) || value != 0;
}

CString ReadText(const CString& key, const char16_t* name) {
  CString value;
  if (!RegGetString(key, name, value) || value.GetLength() > kMaxStoredText) return CString();
  return value;
}

}  // namespace

CDevSelectSheet::CDevSelectSheet(UINT captionId, CWnd* parent, int pagesLeftOut, WORD requiredLoginRights)
    : CPropertySheet(captionId, parent),
      m_pagesLeftOut(pagesLeftOut > 1 ? 2 : pagesLeftOut),
      m_requiredLoginRights(requiredLoginRights) {
  Device::ResetDeviceThreadAbort();
  if (m_pagesLeftOut < 1) m_welcomePage = std::make_unique<CWelcomePage>();
  if (m_pagesLeftOut < 2) m_typePage = std::make_unique<CDevSelectPage>();
  m_portPage = std::make_unique<CPortSelectPage>();
  m_foundPage = std::make_unique<CDevFoundPage>();
  m_psh.dwFlags &= ~PSH_HASHELP;
  for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{m_welcomePage.get(), m_typePage.get(),
                                                                   m_portPage.get(), m_foundPage.get()}) {
    if (!page) continue;
    page->m_psp.dwFlags &= ~PSP_HASHELP;
    AddPage(page);
  }
  SetWizardMode();
}

// The pages' windows go before the pages.
CDevSelectSheet::~CDevSelectSheet() {
  if (IsWindow()) DestroyWindow();
}

Device::CJvDevice* CDevSelectSheet::EnsureDevice() {
  if (!m_device) m_device = Device::CreateDevice(m_deviceType);
  return m_device.get();
}

bool CDevSelectSheet::LoadSettings(const CString& keyPath) {
  if (keyPath.IsEmpty() || !RegKeyExists(keyPath)) return false;
  m_express = ReadFlag(keyPath, u"Express");
  DWORD value = 0;
  m_deviceType = RegGetDword(keyPath, u"DeviceType", value) && value <= DWORD(CDevSelectPage::kLastDeviceType)
                     ? int(value)
                     : 0;
  m_comPort =
      RegGetDword(keyPath, u"ComPort", value) && value >= 1 && value <= kLastStoredPort ? int(value) : 1;
  m_portKind =
      RegGetDword(keyPath, u"CommPort", value) && value >= 1 && value <= kLastStoredPort ? int(value) : 0;
  m_scanAll = ReadFlag(keyPath, u"Scan");
  m_stopAtFirst = ReadFlag(keyPath, u"Stop Scan");
  m_address = ReadText(keyPath, u"IP Address");
  m_cloudEmail = ReadText(keyPath, u"Server Username");
  return true;
}

bool CDevSelectSheet::SaveSettings(const CString& keyPath) const {
  if (!RegCreateKey(keyPath)) return false;
  const int type = m_device ? m_device->GetType() : m_deviceType;
  const int port = m_comPort <= 0 || m_comPort > kLastWrittenPort ? 1 : m_comPort;
  return RegSetDword(keyPath, u"Express", m_express ? 1 : 0) &&
         RegSetDword(keyPath, u"DeviceType", DWORD(type)) && RegSetDword(keyPath, u"ComPort", DWORD(port)) &&
         RegSetDword(keyPath, u"CommPort", DWORD(m_portKind)) &&
         RegSetDword(keyPath, u"Scan", m_scanAll ? 1 : 0) &&
         RegSetDword(keyPath, u"Stop Scan", m_stopAtFirst ? 1 : 0) &&
         RegSetString(keyPath, u"IP Address", m_address) &&
         RegSetString(keyPath, u"Server Username", m_cloudEmail);
}

BOOL CDevSelectSheet::OnInitDialog() {
  CPropertySheet::OnInitDialog();
  m_toolTip.Create(this);
  const std::pair<UINT, UINT> tips[] = {{ID_WIZNEXT, IDS_TIP_NEXT},
                                        {IDCANCEL, IDS_TIP_CANCEL},
                                        {ID_WIZBACK, IDS_TIP_BACK},
                                        {ID_WIZFINISH, IDS_TIP_FINISH}};
  for (const auto& [button, tip] : tips) {
    if (CWnd* window = GetDlgItem(int(button))) m_toolTip.AddTool(window, tip);
  }
  m_toolTip.Activate(TRUE);
  const std::pair<UINT, UINT> texts[] = {{ID_WIZNEXT, IDS_WIZARD_NEXT},
                                         {ID_WIZBACK, IDS_WIZARD_BACK},
                                         {ID_WIZFINISH, IDS_WIZARD_FINISH},
                                         {IDCANCEL, IDS_WIZARD_CANCEL}};
  for (const auto& [button, text] : texts) SetDlgItemText(int(button), ResString(text).GetString());
  return TRUE;
}

// F1 on the sheet opens the help at its start; the pages with topics of their own take F1
// themselves.
BOOL CDevSelectSheet::PreTranslateMessage(MSG* msg) {
  if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) m_toolTip.RelayEvent(msg);
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1) {
    DWORD topic = 0;
    const CPropertyPage* page = GetActivePage();
    if (page == m_typePage.get())
      topic = kHelpTopicDeviceType;
    else if (page == m_portPage.get())
      topic = kHelpTopicPort;
    else if (page == m_foundPage.get())
      topic = kHelpTopicFound;
    OpenWizardHelp(topic);
    return TRUE;
  }
  return CPropertySheet::PreTranslateMessage(msg);
}

void OpenWizardHelp(DWORD topic) {
  OpenHelpTopic(GetProgramFolder() + u"/" + ResString(IDS_FIRMWARE_HELP_FILE), topic);
}
