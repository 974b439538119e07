#pragma once
// One entry of an instrument's firmware list: a content the instrument has installed, tagged
// with its content type and kind and the version the instrument reports for it.

#include "device/Contents.h"
#include "platform/base/String.h"

namespace Device {

SContentEntry InstalledContent(int contentType, BYTE kind, const CString& version);

}  // namespace Device
