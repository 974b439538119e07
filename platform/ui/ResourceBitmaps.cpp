#include "platform/ui/ResourceBitmaps.h"

#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/res/ResourceLookup.h"

namespace {

std::vector<BYTE> FindBitmap(HMODULE module, UINT resourceId) {
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(WORD(resourceId)), RT_BITMAP);
  if (!resource) return {};
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
  if (!data) return {};
  return std::vector<BYTE>(data, data + SizeofResource(module, resource));
}

}  // namespace

void UseResourceBitmaps() {
  SetBitmapResourceProvider([](UINT resourceId) {
    HMODULE module = AfxGetResourceHandle();
    std::vector<BYTE> packed = FindBitmap(module, resourceId);
    if (packed.empty() && module) packed = FindBitmap(nullptr, resourceId);
    return packed;
  });
}
