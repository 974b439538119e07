#pragma once
// The three fonts of every series cell in the process: made once, at the first drawing, from
// the font then selected in the context, and kept until the process ends, so that later font
// changes of the grid do not reach them.

#include "platform/gdi/Dc.h"
#include "platform/gdi/Font.h"

struct SSeriesCellFonts {
  CFont normal;
  CFont underlined;
  CFont bold;
  bool made = false;

  static SSeriesCellFonts& Shared();
  // Makes the fonts from the context's current font unless they exist already.
  void MakeFrom(CDC* dc);
};
