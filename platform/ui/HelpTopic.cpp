#include "platform/ui/HelpTopic.h"

#include "platform/ui/ShellExecute.h"

INT_PTR OpenHelpTopic(const CString& helpFile, DWORD topic) {
  CString address = helpFile;
  if (topic != 0) {
    CString fragment;
    fragment.Format(u"#topic=%u", unsigned(topic));
    address += fragment;
  }
  return ShellExecute(nullptr, u"open", address.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
}
