#pragma once
// CImageJAS: writes 24-bit or grey-palette pictures as a JPEG-2000 file in the JP2 container
// through OpenJPEG. The JPEG quality q sets the coding rate q / 100 of the raw size, which is
// a compression ratio of 100 / q.

#include "toolkit/ImageObj.h"

class CImageJAS : public CImageObj {
 public:
  CImageJAS() : CImageObj(IMAGE_TYPE_JPEG2000) {}
  BOOL Encode(CImageFile* file);
};
