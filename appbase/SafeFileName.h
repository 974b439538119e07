#pragma once
// Text from outside (an instrument's serial number, a typed serial) made fit for a part of a
// file name: a "/" or a control character becomes "_", so that it cannot leave the folder.

#include "platform/base/String.h"

CString SafeForFileName(const CString& text);
