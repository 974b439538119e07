#pragma once
// CImageJPG: writes 24-bit or grey-palette pictures as baseline JFIF through libjpeg, with
// the image's quality and resolution; the format option word tunes coding and sampling.

#include "toolkit/ImageObj.h"

class CImageJPG : public CImageObj {
 public:
  CImageJPG() : CImageObj(IMAGE_TYPE_JPEG) {}
  BOOL Encode(CImageFile* file);
};
