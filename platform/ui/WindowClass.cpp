#include "platform/ui/WindowClass.h"

#include <map>
#include <mutex>

#include "platform/base/String.h"

namespace {

struct Registry {
  std::mutex lock;
  std::map<CString, WNDCLASS> classes;
};

Registry& Classes() {
  static Registry registry;
  return registry;
}

}  // namespace

HINSTANCE AfxGetInstanceHandle() {
  static int module;
  return &module;
}

BOOL AfxRegisterClass(WNDCLASS* windowClass) {
  if (!windowClass || !windowClass->lpszClassName || !*windowClass->lpszClassName) return FALSE;
  Registry& registry = Classes();
  std::lock_guard<std::mutex> hold(registry.lock);
  const CString name(windowClass->lpszClassName);
  if (registry.classes.count(name)) return FALSE;
  WNDCLASS stored = *windowClass;
  stored.lpszClassName = nullptr;
  registry.classes[name] = stored;
  return TRUE;
}

BOOL GetClassInfo(HINSTANCE, LPCTSTR className, WNDCLASS* windowClass) {
  if (!className) return FALSE;
  Registry& registry = Classes();
  std::lock_guard<std::mutex> hold(registry.lock);
  auto it = registry.classes.find(CString(className));
  if (it == registry.classes.end()) return FALSE;
  if (windowClass) {
    *windowClass = it->second;
    windowClass->lpszClassName = className;
  }
  return TRUE;
}
