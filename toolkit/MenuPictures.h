#pragma once
// The derived pictures of menu items: a picture is drawn on a bitmap filled with the
// button-face colour, and every pixel that is not button-face is recoloured.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/ImageList.h"

enum class NPictureVariant {
  Faded,     // each component v becomes v + (255 - v) * 0.3
  Shadow,    // COLOR_BTNSHADOW
  Disabled,  // COLOR_BTNSHADOW lightened by the pixel's mean intensity
};

// Picture `index` of the list, drawn transparently at (0, 0) of a new width x height colour
// bitmap filled with COLOR_BTNFACE. False when the list has no such picture.
bool DrawOnButtonFace(HIMAGELIST list, int index, int width, int height, CBitmap& out);
// Recolours the non-button-face pixels as the variant says; button-face pixels become
// `background` (CLR_NONE: they stay).
void RecolourPicture(CBitmap& bitmap, NPictureVariant variant, COLORREF background = CLR_NONE);
// The colour of one pixel of a variant.
COLORREF VariantPixel(COLORREF pixel, NPictureVariant variant);
// Adds the faded, shadow and disabled variants of picture `index` of `source` to `target`, each
// with COLOR_BTNFACE as its transparent colour, width x height each.
void AppendPictureVariants(HIMAGELIST target, HIMAGELIST source, int index, int width, int height);
