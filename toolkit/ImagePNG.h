#pragma once
// CImagePNG: writes the picture as PNG through libpng (grey, palette or RGB, 8 bits or less
// per channel); the format option word 1 asks for Adam7 interlacing.

#include "toolkit/ImageObj.h"

class CImagePNG : public CImageObj {
 public:
  CImagePNG() : CImageObj(IMAGE_TYPE_PNG) {}
  BOOL Encode(CImageFile* file);
};
