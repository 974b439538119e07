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

void CPropertySheet::AddPage(CPropertyPage* page) {
  page->m_sheet = this;
  m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[size_t(index)] : nullptr;
}

// The sheet is as large as its largest page, with the button row below it.
std::optional<DialogTemplateFormat::SDialog> CPropertySheet::GetDialogTemplate() const {
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
  SetDefID(ID_WIZNEXT);
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
  if (!next->IsWindow()) {
    if (!next->Create(next->GetTemplateId(), this)) return FALSE;
    CRect area(kMargin, kMargin, kMargin, kMargin);
    MapDialogRect(area);
    next->SetWindowPos(nullptr, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  m_active = index;
  next->ShowWindow(SW_SHOW);
  ShowHelpButton();
  next->OnSetActive();
  return TRUE;
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
