#include "platform/base/Object.h"

const CRuntimeClass CObject::classCObject = {"CObject", nullptr, nullptr};

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass)
    if (cls == base) return true;
  return false;
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

void CObject::Serialize(CArchive&) {}
