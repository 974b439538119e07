#include "platform/ui/IPAddressCtrl.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "platform/ui/WndWidget.h"

namespace {

constexpr int kFields = 4;
constexpr int kFieldMax = 255;

}  // namespace

std::unique_ptr<WndWidget> CIPAddressCtrl::CreateWidget(CWnd* parent) {
  auto widget = CEdit::CreateWidget(parent);
  if (auto* line = dynamic_cast<QLineEdit*>(widget->Widget())) {
    line->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^(\\d{0,3}\\.){0,3}\\d{0,3}$")), line));
    line->setMaxLength(4 * 3 + 3);
  }
  return widget;
}

CString CIPAddressCtrl::GetAddressText() const {
  const CString text = GetWindowTextString();
  int fields[kFields] = {0, 0, 0, 0};
  int field = 0;
  for (int i = 0; i < text.GetLength() && field < kFields; ++i) {
    const char16_t ch = text[i];
    if (ch == u'.')
      ++field;
    else if (ch >= u'0' && ch <= u'9')
      fields[field] = std::min(fields[field] * 10 + (ch - u'0'), kFieldMax);
  }
  CString address;
  address.Format(u"%d.%d.%d.%d", fields[0], fields[1], fields[2], fields[3]);
  return address;
}

void CIPAddressCtrl::SetAddressText(const CString& address) { SetWindowText(address.GetString()); }
