#include "platform/ui/DialogLayout.h"

#include <QWidget>

#include "platform/res/ControlStyles.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/WndWidget.h"

namespace {

CString ButtonKind(DWORD style) {
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return u"checkbox";
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return u"radio";
    case BS_GROUPBOX:
      return u"groupbox";
    default:
      return u"button";
  }
}

CString KindName(std::uint16_t kind, DWORD style) {
  using namespace DialogTemplateFormat;
  switch (kind) {
    case kButton:
      return ButtonKind(style);
    case kEdit:
      return u"edit";
    case kStatic:
      return u"static";
    case kListBox:
      return u"listbox";
    case kScrollBar:
      return u"scrollbar";
    case kComboBox:
      return u"combobox";
    case kProgress:
      return u"progress";
    case kRichEdit:
      return u"richedit";
    case kIpAddress:
      return u"ipaddress";
    default:
      return u"custom";
  }
}

}  // namespace

SDialogLayout ReportDialogLayout(const CDialog& dialog) {
  return CallOnUiThread([&] {
    SDialogLayout layout;
    CRect client;
    dialog.GetClientRect(client);
    layout.client = client.Size();
    const QWidget* dialogWidget = QtWidgetOf(&dialog);
    for (const CDialog::STemplateControl& control : dialog.GetTemplateControls()) {
      const CWnd& window = *control.window;
      SDialogControlPlacement placement;
      placement.id = window.GetDlgCtrlID();
      placement.style = window.GetStyle();
      placement.kind = KindName(control.kind, placement.style);
      window.GetWindowRect(placement.rect);
      dialog.ScreenToClient(placement.rect);
      window.GetWindowText(placement.text);
      // The dialog itself may be hidden; what counts is whether the control shows with it.
      const QWidget* widget = QtWidgetOf(&window);
      placement.visible = widget && dialogWidget && widget->isVisibleTo(dialogWidget);
      if (placement.visible) placement.style |= WS_VISIBLE;
      layout.controls.push_back(placement);
    }
    return layout;
  });
}
