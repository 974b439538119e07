#pragma once
// Icon resources (RT_GROUP_ICON, an icon file each, platform/base/IconDirectory.h). A loaded
// icon has the system's large icon size (SM_CXICON × SM_CYICON) and keeps the resource's other
// sizes beside it for the window system. Loaded icons are shared, as the platform's were: one
// icon per module and name, living as long as the program, which DestroyIcon leaves alone.

#include "platform/gdi/GdiTypes.h"
#include "platform/res/ResourceLookup.h"
#include "platform/ui/WinUser.h"

// The icon resource of the module (null or AfxGetInstanceHandle(): the program's own
// resources; else a resource module handle) by its id (MAKEINTRESOURCEW); null for a name
// given as text, and when the module has no such icon or the icon is malformed.
HICON LoadIcon(HINSTANCE instance, LPCWSTR name);
// The application's icon of the id: from the current resource module, else from the program's.
HICON LoadAppIcon(UINT resourceId);
