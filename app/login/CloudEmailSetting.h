#pragma once
// The e-mail address last used for the cloud sign-in, which the connection wizard remembers as
// "Server Username" under its key, "Software\Jovant\DiVudodav\Settings\ConnWizard".

#include "platform/base/String.h"

// Empty when none is remembered.
CString LoadCloudEmail();
// False when the settings store refuses the write.
bool SaveCloudEmail(const CString& email);
