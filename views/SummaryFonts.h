#pragma once
// The six fonts of every summary view in the process, made once from the system's message
// font and kept until the process ends.

#include "platform/gdi/Font.h"

struct SSummaryFonts {
  CFont normal;
  CFont underlined;
  CFont bold;
  CFont boldUnderlined;
  CFont title;
  // Rotated a quarter turn: the base of the chart's value labels.
  CFont vertical;

  static SSummaryFonts& Shared();
};
