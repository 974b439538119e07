#pragma once
// The wizard's device-type page: the type of instrument to search for.

#include "platform/ui/ComboBox.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/ToolTipCtrl.h"

class CDevSelectSheet;

class CDevSelectPage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  // The device types offered run from 0 to this one.
  static constexpr int kLastDeviceType = 22;

  CDevSelectPage();

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  BOOL PreTranslateMessage(MSG* msg) override;

 private:
  CDevSelectSheet& Sheet() const;
  void OnTypeChange();

  CComboBox m_types;
  CToolTipCtrl m_toolTip;
};
