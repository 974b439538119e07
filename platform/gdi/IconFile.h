#pragma once
// Icons from an icon file (platform/base/IconDirectory.h), the form of an icon resource.

#include <cstddef>

#include "platform/gdi/GdiTypes.h"

// The icon's own picture is the file's picture of cx × cy, else the smallest larger one, else
// the largest; the file's other pictures stay with the icon as its other sizes. Null when the
// file, or any picture in it, is malformed. The caller destroys the icon.
HICON CreateIconFromIconFile(const BYTE* data, std::size_t size, int cx, int cy);
