#pragma once
// A module made the current resource module (AfxSetResourceHandle) for as long as the override
// lives; the module before comes back when it goes.

#include "platform/res/ResourceLookup.h"

class CResourceModuleOverride {
 public:
  explicit CResourceModuleOverride(HMODULE module);
  ~CResourceModuleOverride();
  CResourceModuleOverride(const CResourceModuleOverride&) = delete;
  CResourceModuleOverride& operator=(const CResourceModuleOverride&) = delete;

 private:
  HMODULE m_before;
};
