#include "toolkit/ImageBMP.h"

namespace {

constexpr DWORD kFileHeaderSize = 14;

void PutLe16(BYTE* p, WORD v) {
  p[0] = BYTE(v);
  p[1] = BYTE(v >> 8);
}

void PutLe32(BYTE* p, DWORD v) {
  PutLe16(p, WORD(v));
  PutLe16(p + 2, WORD(v >> 16));
}

}  // namespace

BOOL CImageBMP::Encode(CImageFile* file) {
  if (CheckEncodeTarget(file)) return FALSE;
  BYTE header[kFileHeaderSize] = {'B', 'M'};
  PutLe32(header + 2, GetDibSize() + kFileHeaderSize);
  PutLe32(header + 10, kFileHeaderSize + sizeof(BITMAPINFOHEADER) + GetPaletteBytes());
  SyncHeaderToDib();
  // A short write means a truncated file, which must not be reported as saved.
  if (file->Write(header, kFileHeaderSize, 1) != 1 || file->Write(m_pDib, GetDibSize(), 1) != 1) {
    SetLastError("Error writing BMP file");
    return FALSE;
  }
  return TRUE;
}
