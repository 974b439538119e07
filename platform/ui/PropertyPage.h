#pragma once
// One page of a property sheet (PropertySheet.h): a child dialog made from its own template,
// created when the sheet first shows it. The sheet asks the page before every move through
// the wizard's buttons; a page answers by overriding the handlers below.

#include "platform/ui/Dialog.h"

class CPropertySheet;

// m_psp.dwFlags: the page offers help (the sheet shows its Help button while the page is up).
constexpr DWORD PSP_HASHELP = 0x20;

class CPropertyPage : public CDialog {
 public:
  explicit CPropertyPage(UINT templateId);

  UINT GetTemplateId() const { return m_nIDTemplate; }
  // The sheet the page was added to, or null.
  CPropertySheet* GetSheet() const { return m_sheet; }

  // The page becomes the active one; its window exists.
  virtual BOOL OnSetActive();
  // The page is left by Back or Next; FALSE keeps it. Takes the controls' values by default.
  virtual BOOL OnKillActive();
  // Next and Back: 0 goes to the neighbouring page, -1 stays, a template id goes to that page.
  virtual LRESULT OnWizardNext();
  virtual LRESULT OnWizardBack();
  // Finish: FALSE keeps the wizard open.
  virtual BOOL OnWizardFinish();
  // Cancel: FALSE keeps the wizard open; then OnCancel runs and the wizard ends.
  virtual BOOL OnQueryCancel();
  // OK and Cancel belong to the sheet: a page's own do nothing.
  void OnOK() override {}
  void OnCancel() override {}

  struct {
    DWORD dwFlags = PSP_HASHELP;
  } m_psp;

 private:
  friend class CPropertySheet;
  CPropertySheet* m_sheet = nullptr;
};
