#include "platform/ui/ResourceIcons.h"

#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/gdi/GdiInternals.h"
#include "platform/gdi/IconFile.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/WindowClass.h"

namespace {

// The shared icons by module and resource id.
std::mutex g_lock;
std::map<std::pair<HMODULE, UINT_PTR>, std::unique_ptr<IconData>> g_icons;

HMODULE ModuleOf(HINSTANCE instance) {
  if (!instance || instance == AfxGetInstanceHandle()) return nullptr;
  return static_cast<HMODULE>(instance);
}

HICON ReadIcon(HMODULE module, LPCWSTR name) {
  HRSRC resource = FindResourceW(module, name, RT_GROUP_ICON);
  if (!resource) return nullptr;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
  if (!data) return nullptr;
  return CreateIconFromIconFile(data, SizeofResource(module, resource), GetSystemMetrics(SM_CXICON),
                                GetSystemMetrics(SM_CYICON));
}

}  // namespace

HICON LoadIcon(HINSTANCE instance, LPCWSTR name) {
  const HMODULE module = ModuleOf(instance);
  if (!IS_INTRESOURCE(name)) return nullptr;
  const auto key = std::make_pair(module, reinterpret_cast<UINT_PTR>(name));
  std::lock_guard guard(g_lock);
  auto found = g_icons.find(key);
  if (found != g_icons.end()) return found->second.get();
  HICON icon = ReadIcon(module, name);
  if (!icon) return nullptr;
  icon->shared = true;
  g_icons.emplace(key, icon);
  return icon;
}

HICON LoadAppIcon(UINT resourceId) {
  const LPCWSTR name = MAKEINTRESOURCEW(WORD(resourceId));
  HMODULE current = AfxGetResourceHandle();
  if (HICON icon = current ? LoadIcon(const_cast<SResourceModule*>(current), name) : nullptr) return icon;
  return LoadIcon(nullptr, name);
}
