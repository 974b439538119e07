#include "toolkit/ImageBMP.h"

#include "platform/base/ByteOrder.h"

namespace {

constexpr DWORD kFileHeaderSize = 14;

}  // namespace

BOOL CImageBMP::Encode(CImageFile* file) {
  if (CheckEncodeTarget(file)) return FALSE;
  BYTE header[kFileHeaderSize] = {'B', 'M'};
  SetLe32(header + 2, GetDibSize() + kFileHeaderSize);
  SetLe32(header + 10, kFileHeaderSize + sizeof(BITMAPINFOHEADER) + GetPaletteBytes());
  SyncHeaderToDib();
  // A short write means a truncated file, which must not be reported as saved.
  if (file->Write(header, kFileHeaderSize, 1) != 1 || file->Write(m_pDib, GetDibSize(), 1) != 1) {
    SetLastError("Error writing BMP file");
    return FALSE;
  }
  return TRUE;
}
