#include "tests/connection/ConnectionFixture.h"

#include "device/DeviceThread.h"
#include "device/streamio/StreamIO.h"
#include "drivers/DriverClasses.h"
#include "platform/ui/SimulatedInput.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/sim/PtyLink.h"

namespace {

constexpr DWORD kSearchPollMs = 20;

}  // namespace

ConnectionTest::ConnectionTest() {
  m_timeScale.Set(20);
  RegisterProgramResources(nullptr);
  StreamIO::InitStreamIO();
  Device::RegisterDriverClasses();
  Device::StartDeviceThread();
}

ConnectionTest::~ConnectionTest() {
  Device::StopDeviceThread();
  StopSimulators();
  StreamIO::ExitStreamIO();
}

Sim::CZd2Simulator& ConnectionTest::StartZd2AtCom(int com, const std::string& identity) {
  auto link = std::make_unique<Sim::CPtyLink>();
  EXPECT_TRUE(link->MapToComPort(com));
  Sim::CZd2Simulator& zd2 = m_zd2s.emplace_back();
  if (!identity.empty()) zd2.SetIdentity(identity);
  auto& peer = m_peers.emplace_back(std::make_unique<Sim::CPeer>(std::move(link)));
  peer->Start([&zd2](Sim::CPeer& p) { zd2.Run(p); });
  return zd2;
}

void ConnectionTest::StopSimulators() {
  for (auto& peer : m_peers) peer->Stop();
  m_peers.clear();
}

void ConnectionTest::AwaitSearchEnd(CDevFoundPage& page) {
  PumpMessages();
  while (page.IsSearching()) PumpMessages(kSearchPollMs);
  PumpMessages();
}

std::vector<CString> ConnectionTest::Entries(CWnd& page, int comboId) {
  std::vector<CString> entries;
  auto* combo = dynamic_cast<CComboBox*>(page.GetDlgItem(comboId));
  for (int i = 0; combo && i < combo->GetCount(); ++i) {
    CString entry;
    combo->GetLBText(i, entry);
    entries.push_back(entry);
  }
  return entries;
}

CScriptedAnswers::DialogScript ConnectionTest::SerialScript(int com) {
  return [this, com](CWnd& dialog) {
    auto& sheet = dynamic_cast<CDevSelectSheet&>(dialog);
    PumpMessages();
    CWnd& port = *sheet.GetActivePage();
    if (com > 0) {
      port.CheckDlgButton(IDC_WIZARD_SCAN, BST_UNCHECKED);
      port.SetDlgItemInt(IDC_WIZARD_COM_PORT, UINT(com), FALSE);
    }
    sheet.PressButton(ID_WIZNEXT);
    auto& found = sheet.GetFoundPage();
    AwaitSearchEnd(found);
    m_found = Entries(found, IDC_WIZARD_DEVICES);
    if (!sheet.PressButton(ID_WIZFINISH)) sheet.PressButton(IDCANCEL);
  };
}
