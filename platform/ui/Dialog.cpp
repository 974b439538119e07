#include "platform/ui/Dialog.h"

#include <algorithm>

#include <QApplication>
#include <QMargins>
#include <QEventLoop>
#include <QScreen>
#include <QWidget>

#include "platform/gdi/SystemInfo.h"
#include "platform/res/ResourceLookup.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Edit.h"
#include "platform/ui/IPAddressCtrl.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/RichEditCtrl.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/Static.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/UserAnswers.h"
#include "platform/ui/WndWidget.h"

namespace {

// Dialog base units of the dialog font (8-point Tahoma at 96 dpi): a dialog unit is a quarter
// of the average character width across and an eighth of the character height down.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

const LPCWSTR RT_DIALOG_TYPE = MAKEINTRESOURCEW(5);

std::optional<DialogTemplateFormat::SDialog> ReadTemplate(HMODULE module, UINT templateId) {
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(WORD(templateId)), RT_DIALOG_TYPE);
  if (!resource) return std::nullopt;
  const void* data = LockResource(LoadResource(module, resource));
  if (!data) return std::nullopt;
  return DialogTemplateFormat::Read(static_cast<const std::uint8_t*>(data), SizeofResource(module, resource));
}

bool WantsKey(CWnd* control, UINT key) {
  if (!control) return false;
  const UINT code = UINT(control->SendMessage(WM_GETDLGCODE, key, 0));
  if (code & DLGC_WANTALLKEYS) return true;
  if (key == VK_RETURN && (control->GetStyle() & ES_MULTILINE) && (control->GetStyle() & ES_WANTRETURN) &&
      dynamic_cast<CEdit*>(control))
    return true;
  return false;
}

// The frame the window manager puts around the owner, taken as the one a new top-level window
// will get; none without an owner or before the owner is framed.
QMargins OwnerFrameMargins(const CWnd* owner) {
  if (!owner || !owner->GetWidget()) return {};
  const QWidget* widget = owner->GetWidget()->Widget();
  const QRect frame = widget->frameGeometry();
  const QRect client = widget->geometry();
  return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                  frame.bottom() - client.bottom());
}

// Moves a dialog's rectangle (its frame's corner, its client area's size) onto the work area
// with its frame, as the dialog manager does with a dialog centred on its owner; a dialog
// larger than the work area keeps its top-left corner on it, title bar first.
void KeepOnWorkArea(CRect& rect, const QMargins& frame) {
  const RECT area = GetWorkAreaRect();
  const int width = rect.Width() + frame.left() + frame.right();
  const int height = rect.Height() + frame.top() + frame.bottom();
  const int left = std::max<int>(area.left, std::min<int>(rect.left, area.right - width));
  const int top = std::max<int>(area.top, std::min<int>(rect.top, area.bottom - height));
  rect.MoveToXY(left, top);
}

bool IsArrowKey(UINT key) { return key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN; }

}  // namespace

std::optional<DialogTemplateFormat::SDialog> LoadDialogTemplate(UINT templateId) {
  if (HMODULE module = AfxGetResourceHandle()) {
    if (auto found = ReadTemplate(module, templateId)) return found;
  }
  return ReadTemplate(nullptr, templateId);
}

// clang-format off
BEGIN_MESSAGE_MAP(CDialog, CWnd)
  .OnCommand(IDOK, &CDialog::OnOkCommand)
  .OnCommand(IDCANCEL, &CDialog::OnCancelCommand)
END_MESSAGE_MAP()
// clang-format on

CDialog::CDialog() { m_backgroundColor = COLOR_BTNFACE; }

CDialog::CDialog(UINT templateId, CWnd* parent) : CDialog() {
  m_nIDTemplate = templateId;
  m_pParentWnd = parent;
}

CDialog::~CDialog() {
  if (m_hWnd) DestroyWindow();
}

void CDialog::MapDialogRect(LPRECT rect) const {
  rect->left = rect->left * kBaseUnitX / 4;
  rect->right = rect->right * kBaseUnitX / 4;
  rect->top = rect->top * kBaseUnitY / 8;
  rect->bottom = rect->bottom * kBaseUnitY / 8;
}

std::unique_ptr<CWnd> CDialog::CreateControl(const DialogTemplateFormat::SControl& control) {
  using namespace DialogTemplateFormat;
  switch (control.kind) {
    case kButton:
      return std::make_unique<CButton>();
    case kEdit:
      return std::make_unique<CEdit>();
    case kStatic:
      return std::make_unique<CStatic>();
    case kListBox:
      return std::make_unique<CListBox>();
    case kComboBox:
      return std::make_unique<CComboBox>();
    case kScrollBar:
      return std::make_unique<CScrollBar>();
    case kProgress:
      return std::make_unique<CProgressCtrl>();
    case kRichEdit:
      return std::make_unique<CRichEditCtrl>();
    case kIpAddress:
      return std::make_unique<CIPAddressCtrl>();
    default:
      return std::make_unique<CWnd>();
  }
}

std::optional<DialogTemplateFormat::SDialog> CDialog::GetDialogTemplate() const {
  return LoadDialogTemplate(m_nIDTemplate);
}

bool CDialog::CreateFromTemplate(CWnd* parent) {
  auto dialog = GetDialogTemplate();
  if (!dialog) return false;
  // A page template made without a parent (to look at it alone) becomes a window of its own.
  const bool child = (dialog->style & WS_CHILD) != 0 && parent;
  if (!child) dialog->style &= ~WS_CHILD;
  CRect rect(dialog->x, dialog->y, dialog->x + dialog->cx, dialog->y + dialog->cy);
  MapDialogRect(rect);
  if (!child) {
    // Top-level dialogs open centred over their owner, else on the screen.
    CRect area(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (parent && parent->IsWindow()) parent->GetWindowRect(area);
    rect.MoveToXY(area.left + (area.Width() - rect.Width()) / 2,
                  area.top + (area.Height() - rect.Height()) / 2);
    KeepOnWorkArea(rect, OwnerFrameMargins(parent && parent->IsWindow() ? parent : nullptr));
  }
  const DWORD style = (dialog->style & ~WS_VISIBLE) | (child ? 0 : WS_POPUP);
  if (!CreateEx(dialog->exStyle, u"#32770", dialog->caption.c_str(), style, rect, parent, 0)) return false;
  m_templateFont.DeleteObject();
  if (m_templateFont.CreatePointFont(dialog->pointSize * 10, dialog->face.c_str()))
    SetFont(&m_templateFont, FALSE);
  for (const DialogTemplateFormat::SControl& item : dialog->controls) {
    std::unique_ptr<CWnd> control = CreateControl(item);
    CRect itemRect(item.x, item.y, item.x + item.cx, item.y + item.cy);
    MapDialogRect(itemRect);
    const UINT id = item.id == 0xFFFF ? UINT(IDC_STATIC) : item.id;
    if (!control->CreateEx(item.exStyle, nullptr, item.text.c_str(), item.style, itemRect, this, id))
      continue;
    if (GetFont()) control->SetFont(GetFont(), FALSE);
    m_templateControls.push_back(STemplateControl{item.kind, std::move(control)});
  }
  if ((dialog->style & WS_VISIBLE) && !m_modal) ShowWindow(SW_SHOW);
  return true;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  if (!IsUiThread()) return CallOnUiThread([&] { return Create(templateId, parent); });
  m_nIDTemplate = templateId;
  m_pParentWnd = parent;
  m_modal = false;
  m_ended = false;
  if (!CreateFromTemplate(parent)) return FALSE;
  SendMessage(WM_INITDIALOG);
  return TRUE;
}

INT_PTR CDialog::DoModal() {
  if (!IsUiThread()) return CallOnUiThread([this] { return DoModal(); });
  CWnd* owner = m_pParentWnd ? m_pParentWnd->GetTopLevelParent() : AfxGetMainWnd();
  m_modal = true;
  m_ended = false;
  m_nModalResult = -1;
  if (!CreateFromTemplate(owner)) {
    m_modal = false;
    return -1;
  }
  const bool disableOwner = owner && owner->IsWindowEnabled();
  if (disableOwner) owner->EnableWindow(FALSE);
  GetWidget()->Widget()->setWindowModality(Qt::ApplicationModal);
  SendMessage(WM_INITDIALOG);
  if (!m_ended) {
    ShowWindow(SW_SHOW);
    SModalDialogRequest request;
    request.dialog = this;
    request.templateId = m_nIDTemplate;
    request.caption = GetWindowTextString();
    if (!GetUserAnswerSink().OnModalDialog(request) && !m_ended) {
      QEventLoop loop;
      m_loop = &loop;
      loop.exec();
      m_loop = nullptr;
    }
    // A dialog the sink left open is cancelled, as Escape would.
    if (!m_ended) SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    if (!m_ended) EndDialog(IDCANCEL);
  }
  // The dialog, or its owner while the window system has yet to hand the dialog the activation.
  const CWnd* activeWindow = GetActiveWindow();
  const bool active = activeWindow == this || (activeWindow && activeWindow == owner);
  if (disableOwner && owner->IsWindow()) owner->EnableWindow(TRUE);
  // The owner takes the activation back, and with it the keyboard, before the dialog goes, as
  // on the platform; no window system is left to choose the next active window.
  if (active && owner && owner->IsWindow() && owner->GetWidget()) {
    QWidget* top = owner->GetWidget()->Widget()->window();
    AllowActivation(top, true);
    top->activateWindow();
  }
  DestroyWindow();
  m_templateControls.clear();
  m_modal = false;
  return m_nModalResult;
}

void CDialog::AwaitUser() {
  SModalDialogRequest request;
  request.dialog = this;
  request.templateId = m_nIDTemplate;
  request.caption = GetWindowTextString();
  GetUserAnswerSink().OnModelessDialogTurn(request);
}

void CDialog::EndDialog(int result) {
  m_nModalResult = result;
  m_ended = true;
  if (m_loop) {
    m_loop->exit();
  } else if (!m_modal && m_hWnd) {
    ShowWindow(SW_HIDE);
  }
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange(this, saveAndValidate);
  try {
    DoDataExchange(&exchange);
  } catch (const SDataExchangeFailed&) {
    // A control held a value its member cannot take; the exchange stops there.
    return FALSE;
  }
  return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message != WM_KEYDOWN) return FALSE;
  CWnd* focus = GetFocus();
  const UINT key = UINT(msg->wParam);
  if (IsArrowKey(key)) return MoveFocusInGroup(focus, key == VK_LEFT || key == VK_UP);
  if (key != VK_RETURN && key != VK_ESCAPE) return FALSE;
  if (WantsKey(focus && IsChild(focus) ? focus : nullptr, key)) return FALSE;
  const UINT id = key == VK_ESCAPE ? UINT(IDCANCEL) : m_defaultId;
  SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), LPARAM(GetDlgItem(int(id))));
  return TRUE;
}

// The arrow keys move the focus from a button of the dialog to the next or previous member
// of its group; an auto radio button that the focus reaches is clicked, so that the check goes
// with the focus. Controls that use the arrows themselves (fields, lists) keep them.
bool CDialog::MoveFocusInGroup(CWnd* focus, bool previous) {
  if (!focus || focus->GetParent() != this || !dynamic_cast<CButton*>(focus)) return false;
  if (UINT(focus->SendMessage(WM_GETDLGCODE)) & (DLGC_WANTARROWS | DLGC_WANTALLKEYS)) return false;
  CWnd* next = NextInDlgGroup(focus, previous);
  if (!next || next == focus) return true;
  next->SetFocus();
  if ((next->GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON && dynamic_cast<CButton*>(next) &&
      next->SendMessage(BM_GETCHECK) != BST_CHECKED)
    next->SendMessage(BM_CLICK);
  return true;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_CLOSE:
      SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
      return 0;
    default:
      return CWnd::DefWindowProc(message, wParam, lParam);
  }
}
