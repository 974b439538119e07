#pragma once
// A property sheet in wizard mode: one page at a time above a row of buttons (Back, Next or
// Finish, Cancel and Help), run modally like a dialog. The pages decide which buttons are on
// (SetWizardButtons, posted as the platform posts it); a modal run ends with ID_WIZFINISH when
// Finish was accepted and IDCANCEL otherwise. Tests press the buttons as the user would
// (PressButton) and reach the pages' controls by id.

#include <optional>
#include <vector>

#include "platform/ui/PropertyPage.h"

constexpr UINT ID_WIZBACK = 12323;
constexpr UINT ID_WIZNEXT = 12324;
constexpr UINT ID_WIZFINISH = 12325;
constexpr UINT IDHELP = 9;

// SetWizardButtons flags.
constexpr DWORD PSWIZB_BACK = 0x1;
constexpr DWORD PSWIZB_NEXT = 0x2;
constexpr DWORD PSWIZB_FINISH = 0x4;
constexpr DWORD PSWIZB_DISABLEDFINISH = 0x8;

// m_psh.dwFlags.
constexpr DWORD PSH_HASHELP = 0x200;
constexpr DWORD PSH_WIZARD = 0x20;

constexpr UINT PSM_SETWIZBUTTONS = WM_USER + 112;

class CPropertySheet : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
  CPropertySheet(LPCTSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);

  // The page is borrowed; pages show in the order they were added.
  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return int(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  CPropertyPage* GetActivePage() const { return GetPage(m_active); }
  int GetActiveIndex() const { return m_active; }
  // Leaves the active page (when it agrees) and shows the page at index; FALSE when it stays.
  BOOL SetActivePage(int index);
  void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
  // Posts the new state of the wizard's buttons to the sheet.
  void SetWizardButtons(DWORD flags);
  // Presses one of the wizard's buttons as the user would: only a visible, enabled button
  // does anything. False when the button could not be pressed.
  bool PressButton(UINT id);

  struct {
    DWORD dwFlags = PSH_HASHELP;
  } m_psh;

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void OnOK() override {}
  std::optional<DialogTemplateFormat::SDialog> GetDialogTemplate() const override;

 private:
  LRESULT OnSetWizardButtons(WPARAM wParam, LPARAM lParam);
  void OnBack();
  void OnNext();
  void OnFinish();
  void OnDestroy();
  // Goes to the page the handler named: 0 the neighbour in `step`'s direction, else the page
  // with that template id.
  void MoveBy(LRESULT answer, int step);
  void ShowHelpButton();

  CString m_caption;
  UINT m_captionId = 0;
  std::vector<CPropertyPage*> m_pages;
  int m_active = -1;
  UINT m_startPage = 0;
};
