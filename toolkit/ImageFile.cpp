#include "toolkit/ImageFile.h"

BOOL CImageFile::PutByte(BYTE value) { return Write(&value, 1, 1) == 1; }
