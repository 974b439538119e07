#include "login/LoginMessage.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/Wnd.h"

int ShowLoginMessage(CWnd* owner, const CString& text, UINT type) {
  return MessageBox(owner ? owner->GetSafeHwnd() : nullptr, text, u"ZD-Zedo", type);
}
