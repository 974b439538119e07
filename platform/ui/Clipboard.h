#pragma once
// The clipboard, as the platform offers it: open, empty, set or get data blocks by format,
// close. Private formats are registered by name; the same name gives the same format in every
// running copy of the program, so data placed by one copy can be read by another. What is set
// while the clipboard is open reaches the system clipboard when it is closed.
//
// The window that empties the clipboard owns it: it alone may set data, also in a later
// opening by the same window, until another emptying (here or in another program) replaces
// the content.
//
// The clipboard is used on the user-interface thread; calls from another thread run there.
// Without a user-interface application every call fails.

#include <vector>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/ui/TextBlocks.h"

class CWnd;

// The standard text formats CF_UNICODETEXT and CF_TEXT (TextBlocks.h) are both the system
// clipboard's plain text, which other programs read and write; CF_BITMAP is its image.
constexpr UINT CF_BITMAP = 2;

// A format id for the name, the same for every call with that name (from 0xC000 up); 0 for an
// empty name.
UINT RegisterClipboardFormat(LPCTSTR name);

// owner: the window opening it, which becomes the clipboard's owner when it empties it.
BOOL OpenClipboard(CWnd* owner);
BOOL CloseClipboard();
// Drops every format of the clipboard; the next close replaces the system clipboard's content.
BOOL EmptyClipboard();
// Hands a copy of the block to the clipboard under the format; needs the clipboard open.
BOOL SetClipboardData(UINT format, const std::vector<BYTE>& data);
// Hands the bitmap to the clipboard as its image (CF_BITMAP); needs the clipboard open and
// owned, as SetClipboardData above. Once accepted, the bitmap belongs to the clipboard, which
// deletes it; when refused it stays the caller's.
BOOL SetClipboardData(UINT format, HBITMAP bitmap);
// A copy of the clipboard's image as a new bitmap that the caller deletes; none when the
// clipboard holds no image.
HBITMAP GetClipboardBitmap();
// Copies the block of the format; false when the clipboard holds none.
bool GetClipboardData(UINT format, std::vector<BYTE>& data);
BOOL IsClipboardFormatAvailable(UINT format);
