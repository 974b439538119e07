#pragma once
// The entities that keep the Armivue data file's quoted texts (comment, object name) on one
// line and free of double quotes. The entities carry no closing semicolon.

#include "platform/base/String.h"

namespace Device {

class CArmivueEscaping {
 public:
  static CString Escape(const CString& text);
  static CString Unescape(const CString& text);
};

}  // namespace Device
