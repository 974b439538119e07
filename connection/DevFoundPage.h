#pragma once
// The wizard's last page: searches the chosen ports for the instrument on the device thread,
// lists the instruments found and lets the user pick one. The search reports through the
// page's callback slots on the device thread; they only post messages, and every change of the
// page happens in its message handlers.

#include <memory>
#include <vector>

#include "device/Callback.h"
#include "device/JvDevice.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/ToolTipCtrl.h"

class CDevSelectSheet;

constexpr UINT WM_START_DEVICE_SEARCH = WM_APP + 1111;
constexpr UINT WM_SEARCH_DEVICE_FOUND = WM_APP + 1112;
constexpr UINT WM_SEARCH_STATUS_TEXT = WM_APP + 1113;

// The place of a found device as the list shows it: "@ " and its port name, an IP address
// without the port number, "COMn" for an extended COM name; empty for a USB device path.
CString MakePortText(const CString& portName);

class CDevFoundPage : public CPropertyPage, public Device::CCallback {
  DECLARE_MESSAGE_MAP()

 public:
  CDevFoundPage();
  ~CDevFoundPage() override;

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;
  BOOL OnWizardFinish() override;
  void OnCancel() override;
  BOOL PreTranslateMessage(MSG* msg) override;

  // Device::CCallback, called on the device thread.
  void OnDeviceFound(Device::CJvDevice* device) override;
  void OnStatusText(const CString& text) override;
  void OnMessage(const CString& text, int result) override;
  void OnProgress(int percent, int mode, int expectedMs) override;

  // True from the start of a search until its end has been handled.
  bool IsSearching() const { return m_searching; }

 private:
  CDevSelectSheet& Sheet() const;
  LRESULT OnStartSearch(WPARAM wParam, LPARAM lParam);
  LRESULT OnFound(WPARAM wParam, LPARAM lParam);
  LRESULT OnStatus(WPARAM wParam, LPARAM lParam);
  void OnSearchEnded();
  void OnSelectionChange();
  void OnDestroy();
  void ClearDevices();
  void ShowSelectedInfo();
  // Runs the login check for the selected device and moves it to the sheet; false when the
  // page must stay.
  bool HandOverSelected();

  std::vector<std::unique_ptr<Device::CJvDevice>> m_devices;  // in the order of the list
  CComboBox m_deviceBox;
  CToolTipCtrl m_toolTip;
  bool m_searching = false;
};
