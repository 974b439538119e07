#pragma once
// A property sheet, one page at a time, in one of two forms:
// - in wizard mode, above a row of buttons (Back, Next or Finish, Cancel and Help), run
//   modally like a dialog. The pages decide which buttons are on (SetWizardButtons, posted as
//   the platform posts it); a modal run ends with ID_WIZFINISH when Finish was accepted and
//   IDCANCEL otherwise. Tests press the buttons as the user would (PressButton) and reach the
//   pages' controls by id.
// - made with Create, a window of its own (a child window as a rule) with a tab control that
//   holds one tab per page: a click on a tab shows its page. Each page is a child dialog of
//   the sheet, made when it is first shown and placed inside the tab control's frame.

#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/PropertyPage.h"
#include "platform/ui/TabCtrl.h"

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
// Answers the sheet's tab control (a CTabCtrl*), or 0 before the sheet is made with Create.
constexpr UINT PSM_GETTABCONTROL = WM_USER + 116;

class CPropertySheet : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
  CPropertySheet(LPCTSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);

  ~CPropertySheet() override;

  // Makes the sheet with its tab control and shows the start page. Styles of 0 give a
  // visible child window.
  BOOL Create(CWnd* parent, DWORD style = 0, DWORD exStyle = 0);
  // Null before Create.
  CTabCtrl* GetTabControl() const;

  // The page is borrowed; pages show in the order they were added.
  void AddPage(CPropertyPage* page);
  // Takes the page off the sheet and destroys its window; the page object stays the caller's.
  // The next page (else the one before) becomes active when it was the active one.
  void RemovePage(CPropertyPage* page);
  void RemovePage(int index);
  int GetPageCount() const { return int(m_pages.size()); }
  int GetPageIndex(const CPropertyPage* page) const;
  CPropertyPage* GetPage(int index) const;
  CPropertyPage* GetActivePage() const { return GetPage(m_active); }
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
  LRESULT OnGetTabControl(WPARAM wParam, LPARAM lParam);
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  // Makes the page's window on its first showing; in the tabbed form it is placed inside the
  // tab control's frame.
  bool CreatePage(CPropertyPage* page);
  CRect TabbedPageRect() const;
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
  std::unique_ptr<CTabCtrl> m_tabs;  // the tabbed form's tab control
  DWORD m_createStyle = 0;
  DWORD m_createExStyle = 0;
};
