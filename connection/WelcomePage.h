#pragma once
// The wizard's first page: express or custom mode.

#include "platform/ui/PropertySheet.h"
#include "platform/ui/ToolTipCtrl.h"

class CDevSelectSheet;

class CWelcomePage : public CPropertyPage {
 public:
  CWelcomePage();

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  BOOL PreTranslateMessage(MSG* msg) override;

 private:
  CDevSelectSheet& Sheet() const;
  CToolTipCtrl m_toolTip;
};
