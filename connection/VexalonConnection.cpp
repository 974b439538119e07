#include "connection/VexalonConnection.h"

#include "connection/DevSelectSheet.h"
#include "device/DeviceTypes.h"
#include "resources/ResourceIds.h"

namespace {

// Every device command of the program works with the ZD-2.
constexpr int kZd2Type = Device::eTypeVexalon;

}  // namespace

CVexalonConnection& TheConnection() {
  // Built before the application starts; the device is released by the main frame's end.
  static CVexalonConnection connection;
  return connection;
}

bool CVexalonConnection::TryTake() {
  std::lock_guard lock(m_useLock);
  if (m_user != std::thread::id() && m_user != std::this_thread::get_id()) return false;
  m_user = std::this_thread::get_id();
  return true;
}

void CVexalonConnection::Give() {
  std::lock_guard lock(m_useLock);
  m_user = std::thread::id();
}

bool CVexalonConnection::IsInUseByOther() const {
  std::lock_guard lock(m_useLock);
  return m_user != std::thread::id() && m_user != std::this_thread::get_id();
}

bool CVexalonConnection::IsInUse() const {
  std::lock_guard lock(m_useLock);
  return m_user != std::thread::id();
}

void CVexalonConnection::Release() {
  if (!m_device) return;
  m_device->SetModeTimeout(false, 0);
  m_device.reset();
}

bool CVexalonConnection::CheckConnection() {
  if (!m_device || IsInUseByOther()) return m_device != nullptr;
  SDeviceIdent ident;
  if (m_device->Identify(ident)) return true;
  Release();
  return false;
}

void CVexalonConnection::Disconnect() {
  if (IsInUseByOther()) return;
  Release();
  m_firmwareCheck.reset();
}

void CVexalonConnection::SetNotify(CWnd* window, UINT message, DWORD parameter) {
  m_notifyWindow = window;
  m_notifyMessage = message;
  m_notifyParameter = parameter;
}

bool CVexalonConnection::Connect(bool noCheck) {
  if (IsInUseByOther()) return false;
  if (m_device) {
    if (noCheck) return true;
    if (!CheckConnection()) Disconnect();
    if (m_device) return true;
  }
  CDevSelectSheet wizard(IDS_CONNECT_WIZARD_CAPTION, nullptr, 2, 0);
  wizard.LoadSettings(kConnWizardKey);
  wizard.m_deviceType = kZd2Type;
  wizard.m_express = false;
  const INT_PTR result = wizard.DoModal();
  // A failed write of the remembered choices does not stop the connection.
  wizard.SaveSettings(kConnWizardKey);
  if (result == INT_PTR(ID_WIZFINISH)) Adopt(wizard.TakeDevice());
  return m_device != nullptr;
}

void CVexalonConnection::Adopt(std::unique_ptr<Device::CJvDevice> device) {
  Release();
  m_device = std::move(device);
  if (m_device && !m_firmwareCheck) {
    m_firmwareCheck = std::make_unique<CFwUpdateCheck>(m_notifyWindow, CString());
    // A check that cannot start only means no firmware notice for this instrument.
    m_firmwareCheck->Start(m_device.get(), m_notifyMessage, m_notifyParameter, 0);
  }
}
