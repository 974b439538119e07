#pragma once
// CGdiObject: the owner of one drawing-object handle. Deleting the wrapper deletes the
// object; a device context that still has it selected keeps it alive until it selects
// another one.

#include "platform/gdi/GdiTypes.h"

class CGdiObject {
 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  virtual ~CGdiObject();

  HGDIOBJ m_hObject = nullptr;

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }
  BOOL Attach(HGDIOBJ handle);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int size, void* buffer) const;

  // The wrapper of a handle: its owning wrapper when it has one, else a temporary wrapper
  // that lives until DeleteTempMap (as the framework's temporary objects did).
  static CGdiObject* FromHandle(HGDIOBJ handle);
  static void DeleteTempMap();
};
