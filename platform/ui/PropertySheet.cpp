#include "platform/ui/PropertySheet.h"

#include <algorithm>

#include "platform/res/StringTable.h"
#include "platform/ui/Button.h"

namespace {

// The button row, in dialog units: buttons of 50 × 14 with a margin of 7 around the sheet.
constexpr int kMargin = 7;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 7;
constexpr int kMinPageWidth = 4 * kButtonWidth + 3 * kButtonGap;
// The tabbed form: the page lies inside the tab control's frame, below the row of tabs, in
// pixels from the sheet's corner, (width - 8) x (height - 26) large, as the sheet's owner
// sizes it too.
constexpr int kTabbedPageLeft = 4;
constexpr int kTabbedPageTop = 22;
constexpr int kTabbedPageRight = 4;
constexpr int kTabbedPageBottom = 4;
constexpr UINT kTabControlId = 0x3020;

DialogTemplateFormat::SControl Button(UINT id, int x, int y, const char16_t* text, std::uint32_t extra = 0) {
  DialogTemplateFormat::SControl button;
  button.kind = DialogTemplateFormat::kButton;
  button.id = std::uint16_t(id);
  button.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | extra;
  button.x = x;
  button.y = y;
  button.cx = kButtonWidth;
  button.cy = kButtonHeight;
  button.text = text;
  return button;
}

}  // namespace

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId) {}

BOOL CPropertyPage::OnSetActive() { return TRUE; }
BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return TRUE; }
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

// clang-format off
BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
  .OnMessage(PSM_SETWIZBUTTONS, &CPropertySheet::OnSetWizardButtons)
  .OnMessage(PSM_GETTABCONTROL, &CPropertySheet::OnGetTabControl)
  .OnCommand(ID_WIZBACK, &CPropertySheet::OnBack)
  .OnCommand(ID_WIZNEXT, &CPropertySheet::OnNext)
  .OnCommand(ID_WIZFINISH, &CPropertySheet::OnFinish)
  .OnDestroy(&CPropertySheet::OnDestroy)
END_MESSAGE_MAP()
// clang-format on

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : CDialog(0, parent), m_captionId(captionId), m_startPage(selectPage) {
  if (captionId) m_caption = ResString(captionId);
}

CPropertySheet::CPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : CDialog(0, parent), m_caption(caption ? caption : u""), m_startPage(selectPage) {}

CPropertySheet::~CPropertySheet() {
  if (IsWindow()) DestroyWindow();
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle) {
  m_tabs = std::make_unique<CTabCtrl>();
  m_createStyle = style ? style : WS_CHILD | WS_VISIBLE;
  m_createExStyle = exStyle;
  return CDialog::Create(0, parent);
}

CTabCtrl* CPropertySheet::GetTabControl() const {
  return m_tabs && m_tabs->IsWindow() ? m_tabs.get() : nullptr;
}

LRESULT CPropertySheet::OnGetTabControl(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(GetTabControl()); }

void CPropertySheet::AddPage(CPropertyPage* page) {
  page->m_sheet = this;
  m_pages.push_back(page);
  if (CTabCtrl* tabs = GetTabControl()) {
    auto pageTemplate = LoadDialogTemplate(page->GetTemplateId());
    tabs->InsertItem(GetPageCount() - 1, pageTemplate ? pageTemplate->caption.c_str() : u"");
    if (m_active < 0) SetActivePage(0);
  }
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
  for (int i = 0; i < GetPageCount(); ++i)
    if (m_pages[size_t(i)] == page) return i;
  return -1;
}

void CPropertySheet::RemovePage(CPropertyPage* page) { RemovePage(GetPageIndex(page)); }

void CPropertySheet::RemovePage(int index) {
  CPropertyPage* page = GetPage(index);
  if (!page) return;
  const bool wasActive = index == m_active;
  if (page->IsWindow()) page->DestroyWindow();
  page->m_sheet = nullptr;
  m_pages.erase(m_pages.begin() + index);
  if (CTabCtrl* tabs = GetTabControl()) tabs->DeleteItem(index);
  if (index < m_active) --m_active;
  if (!wasActive) return;
  m_active = -1;
  if (IsWindow() && GetPageCount() > 0) SetActivePage(std::min(index, GetPageCount() - 1));
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[size_t(index)] : nullptr;
}

// The sheet is as large as its largest page, with the button row below it; the tabbed form
// has the tab control instead of the buttons.
std::optional<DialogTemplateFormat::SDialog> CPropertySheet::GetDialogTemplate() const {
  if (m_tabs) {
    DialogTemplateFormat::SDialog sheet;
    sheet.style = m_createStyle;
    sheet.exStyle = m_createExStyle;
    sheet.caption = m_caption.GetString();
    sheet.cx = kMinPageWidth;
    sheet.cy = kMinPageWidth;
    return sheet;
  }
  int pageWidth = kMinPageWidth;
  int pageHeight = 0;
  for (const CPropertyPage* page : m_pages) {
    if (auto pageTemplate = LoadDialogTemplate(page->GetTemplateId())) {
      pageWidth = std::max(pageWidth, pageTemplate->cx);
      pageHeight = std::max(pageHeight, pageTemplate->cy);
    }
  }
  DialogTemplateFormat::SDialog sheet;
  sheet.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  sheet.caption = m_caption.GetString();
  sheet.cx = pageWidth + 2 * kMargin;
  sheet.cy = pageHeight + 2 * kMargin + kButtonHeight + kMargin;
  const int row = pageHeight + 2 * kMargin;
  const int help = sheet.cx - kMargin - kButtonWidth;
  const int cancel = help - kButtonGap - kButtonWidth;
  const int next = cancel - kButtonGap - kButtonWidth;
  const int back = next - kButtonWidth;
  sheet.controls.push_back(Button(ID_WIZBACK, back, row, u"< Back"));
  sheet.controls.push_back(Button(ID_WIZNEXT, next, row, u"Next >", BS_DEFPUSHBUTTON));
  sheet.controls.push_back(Button(ID_WIZFINISH, next, row, u"Finish"));
  sheet.controls.push_back(Button(IDCANCEL, cancel, row, u"Cancel"));
  sheet.controls.push_back(Button(IDHELP, help, row, u"Help"));
  sheet.controls[2].style &= ~WS_VISIBLE;
  return sheet;
}

BOOL CPropertySheet::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_tabs) {
    CRect client;
    GetClientRect(client);
    if (!m_tabs->Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, client, this, kTabControlId)) return TRUE;
    for (int i = 0; i < GetPageCount(); ++i) {
      auto pageTemplate = LoadDialogTemplate(m_pages[size_t(i)]->GetTemplateId());
      m_tabs->InsertItem(i, pageTemplate ? pageTemplate->caption.c_str() : u"");
    }
  } else {
    SetDefID(ID_WIZNEXT);
  }
  const int start = std::clamp(int(m_startPage), 0, std::max(0, GetPageCount() - 1));
  if (GetPageCount() > 0) SetActivePage(start);
  return TRUE;
}

BOOL CPropertySheet::SetActivePage(int index) {
  CPropertyPage* next = GetPage(index);
  if (!next) return FALSE;
  if (CPropertyPage* current = GetActivePage()) {
    if (current != next && !current->OnKillActive()) return FALSE;
    current->ShowWindow(SW_HIDE);
  }
  if (!next->IsWindow() && !CreatePage(next)) return FALSE;
  m_active = index;
  if (CTabCtrl* tabs = GetTabControl()) {
    tabs->SetCurSel(index);
    const CRect area = TabbedPageRect();
    next->SetWindowPos(nullptr, area.left, area.top, area.Width(), area.Height(), SWP_NOZORDER);
  }
  next->ShowWindow(SW_SHOW);
  ShowHelpButton();
  next->OnSetActive();
  return TRUE;
}

bool CPropertySheet::CreatePage(CPropertyPage* page) {
  // Made after the tab control, the page lies above it, which paints all of its area.
  if (!page->Create(page->GetTemplateId(), this)) return false;
  if (GetTabControl()) return true;
  CRect area(kMargin, kMargin, kMargin, kMargin);
  MapDialogRect(area);
  page->SetWindowPos(nullptr, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  return true;
}

// Below the tabs: where the toolkit's tab row is taller than the platform's, the page moves
// down by the difference and keeps its size.
CRect CPropertySheet::TabbedPageRect() const {
  CRect client;
  GetClientRect(client);
  CRect tab(0, 0, 0, 0);
  if (m_tabs) m_tabs->GetItemRect(0, tab);
  const int top = std::max(kTabbedPageTop, int(tab.bottom));
  const int width = std::max(0, client.Width() - kTabbedPageLeft - kTabbedPageRight);
  const int height = std::max(0, client.Height() - kTabbedPageTop - kTabbedPageBottom);
  return CRect(kTabbedPageLeft, top, kTabbedPageLeft + width, top + height);
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  CTabCtrl* tabs = GetTabControl();
  if (tabs && header && header->hwndFrom == tabs && header->code == TCN_SELCHANGE) {
    // A page that refuses to be left keeps its tab selected.
    if (!SetActivePage(tabs->GetCurSel())) tabs->SetCurSel(m_active);
    *result = 0;
    return TRUE;
  }
  return CDialog::OnNotify(wParam, lParam, result);
}

void CPropertySheet::ShowHelpButton() {
  const CPropertyPage* page = GetActivePage();
  const bool help = (m_psh.dwFlags & PSH_HASHELP) && page && (page->m_psp.dwFlags & PSP_HASHELP);
  if (CWnd* button = GetDlgItem(int(IDHELP))) button->ShowWindow(help ? SW_SHOW : SW_HIDE);
}

void CPropertySheet::SetWizardButtons(DWORD flags) { PostMessage(PSM_SETWIZBUTTONS, 0, LPARAM(flags)); }

// Finish takes the place of Next whenever the page asks for it, enabled or not.
LRESULT CPropertySheet::OnSetWizardButtons(WPARAM, LPARAM lParam) {
  const DWORD flags = DWORD(lParam);
  const bool finish = flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH);
  if (CWnd* back = GetDlgItem(int(ID_WIZBACK))) back->EnableWindow((flags & PSWIZB_BACK) != 0);
  if (CWnd* next = GetDlgItem(int(ID_WIZNEXT))) {
    next->ShowWindow(finish ? SW_HIDE : SW_SHOW);
    next->EnableWindow((flags & PSWIZB_NEXT) != 0);
  }
  if (CWnd* done = GetDlgItem(int(ID_WIZFINISH))) {
    done->ShowWindow(finish ? SW_SHOW : SW_HIDE);
    done->EnableWindow((flags & PSWIZB_FINISH) != 0);
  }
  SetDefID(finish ? ID_WIZFINISH : ID_WIZNEXT);
  return 0;
}

bool CPropertySheet::PressButton(UINT id) {
  CWnd* button = GetDlgItem(int(id));
  if (!button || !button->IsWindowVisible() || !button->IsWindowEnabled()) return false;
  SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), LPARAM(button));
  return true;
}

void CPropertySheet::MoveBy(LRESULT answer, int step) {
  if (answer == -1) return;
  int target = m_active + step;
  if (answer != 0) {
    for (int i = 0; i < GetPageCount(); ++i)
      if (LRESULT(m_pages[size_t(i)]->GetTemplateId()) == answer) target = i;
  }
  SetActivePage(target);
}

void CPropertySheet::OnBack() {
  if (CPropertyPage* page = GetActivePage()) MoveBy(page->OnWizardBack(), -1);
}

void CPropertySheet::OnNext() {
  if (CPropertyPage* page = GetActivePage()) MoveBy(page->OnWizardNext(), +1);
}

void CPropertySheet::OnFinish() {
  CPropertyPage* page = GetActivePage();
  if (page && !page->OnWizardFinish()) return;
  EndDialog(int(ID_WIZFINISH));
}

void CPropertySheet::OnCancel() {
  // The tabbed form is no dialog to end: Escape in one of its pages changes nothing.
  if (m_tabs) return;
  CPropertyPage* page = GetActivePage();
  if (page) {
    if (!page->OnQueryCancel()) return;
    page->OnCancel();
  }
  EndDialog(IDCANCEL);
}

// The pages go before the sheet, each with its own destruction, while the sheet still exists.
void CPropertySheet::OnDestroy() {
  for (CPropertyPage* page : m_pages) {
    if (page->IsWindow()) page->DestroyWindow();
  }
  m_active = -1;
}
