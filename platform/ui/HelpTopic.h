#pragma once
// Help by topic: the help file opens through the desktop opener (ShellExecute.h), at the topic
// given as the address's fragment ("file#topic=N"), or at its start for topic 0.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

// The opener's result: above 32 when it was started.
INT_PTR OpenHelpTopic(const CString& helpFile, DWORD topic);
