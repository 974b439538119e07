#pragma once
// CObject and CRuntimeClass: the run-time class information of the framework. A class that is
// created by its class record declares DECLARE_DYNCREATE(Class) in its body and names its base
// with IMPLEMENT_DYNCREATE(Class, Base) in its source; RUNTIME_CLASS(Class) gives the record.

class CArchive;
class CObject;

struct CRuntimeClass {
  const char* m_lpszClassName;
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* m_pBaseClass;

  // A new object of the class, or null for a class that cannot be created.
  CObject* CreateObject() const;
  // Whether this class is the given one or derives from it.
  bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
 public:
  virtual const CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;
  virtual void Serialize(CArchive& archive);

  static const CRuntimeClass classCObject;

 protected:
  CObject() = default;
};

#define RUNTIME_CLASS(Class) (&Class::class##Class)

#define DECLARE_DYNCREATE(Class)                         \
 public:                                                 \
  static const CRuntimeClass class##Class;               \
  const CRuntimeClass* GetRuntimeClass() const override; \
  static CObject* CreateObject();

#define IMPLEMENT_DYNCREATE(Class, Base)                                                         \
  CObject* Class::CreateObject() { return new Class; }                                           \
  const CRuntimeClass Class::class##Class = {#Class, &Class::CreateObject, RUNTIME_CLASS(Base)}; \
  const CRuntimeClass* Class::GetRuntimeClass() const { return RUNTIME_CLASS(Class); }
