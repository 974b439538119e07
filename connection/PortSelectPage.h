#pragma once
// The wizard's port page: the kind of connection (from the device class's port kinds) and its
// settings: one COM port or a scan of all, or the instrument's IP address.

#include <vector>

#include "platform/ui/ComboBox.h"
#include "platform/ui/IPAddressCtrl.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/ToolTipCtrl.h"

class CDevSelectSheet;

class CPortSelectPage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  CPortSelectPage();

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  void DoDataExchange(CDataExchange* dx) override;
  BOOL PreTranslateMessage(MSG* msg) override;

 private:
  CDevSelectSheet& Sheet() const;
  int SelectedKind() const;
  // Enables the controls that belong to the selected kind.
  void EnableControls();
  void OnHelpButton();

  CComboBox m_kindBox;
  CIPAddressCtrl m_address;
  std::vector<int> m_kinds;
  UINT m_comPort = 1;
  int m_scanAll = 1;
  int m_stopAtFirst = 1;
  CToolTipCtrl m_toolTip;
};
