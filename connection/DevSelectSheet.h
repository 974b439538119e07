#pragma once
// The device-connection wizard: a property sheet in wizard mode that lets the user choose how
// an instrument is connected, searches the ports for it and hands the chosen, identified device
// object to its creator. Up to four pages (welcome, device type, port, search result); the
// creator may leave out the first one or two. The choices are remembered in the registry
// between runs (LoadSettings, SaveSettings).

#include <memory>
#include <vector>

#include "device/JvDevice.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/ToolTipCtrl.h"

class CWelcomePage;
class CDevSelectPage;
class CPortSelectPage;
class CDevFoundPage;

class CDevSelectSheet : public CPropertySheet {
 public:
  // captionId 0 gives an empty caption; pagesLeftOut above 1 counts as 2.
  CDevSelectSheet(UINT captionId, CWnd* parent, int pagesLeftOut, WORD requiredLoginRights);
  ~CDevSelectSheet() override;

  // False when the path is empty or the key cannot be opened; the members keep their values.
  bool LoadSettings(const CString& keyPath);
  // False at the first value that cannot be written.
  bool SaveSettings(const CString& keyPath) const;

  // The device object of the chosen type, or after Finish the chosen found device; the
  // creator takes it over.
  std::unique_ptr<Device::CJvDevice> TakeDevice() { return std::move(m_device); }
  // Makes a device object of the device type member when the sheet holds none.
  Device::CJvDevice* EnsureDevice();

  BOOL PreTranslateMessage(MSG* msg) override;

  std::unique_ptr<Device::CJvDevice> m_device;
  int m_deviceType = 0;
  int m_portKind = 0;
  int m_comPort = 1;
  CString m_address;
  CString m_cloudEmail;
  bool m_scanAll = true;
  bool m_stopAtFirst = true;
  bool m_express = true;
  int m_pagesLeftOut = 0;
  WORD m_requiredLoginRights = 0;
  bool m_hideHelp = false;
  std::vector<int> m_allowedTypes;

  CDevFoundPage& GetFoundPage() const { return *m_foundPage; }

 protected:
  BOOL OnInitDialog() override;

 private:
  std::unique_ptr<CWelcomePage> m_welcomePage;
  std::unique_ptr<CDevSelectPage> m_typePage;
  std::unique_ptr<CPortSelectPage> m_portPage;
  std::unique_ptr<CDevFoundPage> m_foundPage;
  CToolTipCtrl m_toolTip;
};

// Opens the program's help at the topic, or at its start topic for 0.
void OpenWizardHelp(DWORD topic);
