#pragma once
// CImageBMP: writes the picture as a Windows bitmap file (file header, then the DIB as held).

#include "toolkit/ImageObj.h"

class CImageBMP : public CImageObj {
 public:
  CImageBMP() : CImageObj(IMAGE_TYPE_BMP) {}
  BOOL Encode(CImageFile* file);
};
