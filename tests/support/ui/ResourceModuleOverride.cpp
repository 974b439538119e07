#include "tests/support/ui/ResourceModuleOverride.h"

CResourceModuleOverride::CResourceModuleOverride(HMODULE module) : m_before(AfxGetResourceHandle()) {
  AfxSetResourceHandle(module);
}

CResourceModuleOverride::~CResourceModuleOverride() { AfxSetResourceHandle(m_before); }
