#pragma once
// Conversions between CString and Qt's string, both UTF-16. For the platform layer only.

#include <QString>

#include "platform/base/String.h"

inline QString ToQString(const CString& text) {
  return QString::fromUtf16(text.GetString(), text.GetLength());
}

inline CString FromQString(const QString& text) {
  return CString(reinterpret_cast<const char16_t*>(text.utf16()), int(text.size()));
}
