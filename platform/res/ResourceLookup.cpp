#include "platform/res/ResourceLookup.h"

#include <cstdlib>
#include <list>
#include <mutex>
#include <string>

struct SResourceEntry {
  HMODULE module = nullptr;
  std::u16string type;
  std::u16string name;
  const BYTE* data = nullptr;
  std::size_t size = 0;
};

namespace {

std::mutex g_resourcesLock;
// A list keeps the entries' addresses stable, since HRSRC points at them.
std::list<SResourceEntry> g_entries;
HMODULE g_resourceModule = nullptr;

// Integer names become "#<number>" so that both spellings of a name compare equal; text names
// compare without regard to case, as the platform's did.
std::u16string Key(LPCWSTR name) {
  if (IS_INTRESOURCE(name)) {
    std::string digits = std::to_string(reinterpret_cast<UINT_PTR>(name));
    return u"#" + std::u16string(digits.begin(), digits.end());
  }
  std::u16string key;
  for (const char16_t* p = name; *p; ++p) key += (*p >= u'a' && *p <= u'z') ? char16_t(*p - 32) : *p;
  if (key.size() > 1 && key[0] == u'#' && key.find_first_not_of(u"0123456789", 1) == std::u16string::npos) {
    std::string digits(key.begin() + 1, key.end());
    unsigned long value = std::strtoul(digits.c_str(), nullptr, 10);
    if (digits.size() <= 5 && value <= 0xFFFF) return Key(MAKEINTRESOURCEW(WORD(value)));
  }
  return key;
}

}  // namespace

HMODULE AfxGetResourceHandle() {
  std::lock_guard lock(g_resourcesLock);
  return g_resourceModule;
}

void AfxSetResourceHandle(HMODULE module) {
  std::lock_guard lock(g_resourcesLock);
  g_resourceModule = module;
}

void AddResource(HMODULE module, LPCWSTR type, LPCWSTR name, const BYTE* data, std::size_t size) {
  if (!type || !name || !data) return;
  SResourceEntry entry{module, Key(type), Key(name), data, size};
  std::lock_guard lock(g_resourcesLock);
  for (SResourceEntry& existing : g_entries) {
    if (existing.module == module && existing.type == entry.type && existing.name == entry.name) {
      existing = entry;
      return;
    }
  }
  g_entries.push_back(entry);
}

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  if (!type || !name) return nullptr;
  std::u16string typeKey = Key(type);
  std::u16string nameKey = Key(name);
  std::lock_guard lock(g_resourcesLock);
  for (const SResourceEntry& entry : g_entries)
    if (entry.module == module && entry.type == typeKey && entry.name == nameKey) return &entry;
  return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) { return resource ? resource->data : nullptr; }

const void* LockResource(HGLOBAL loaded) { return loaded; }

DWORD SizeofResource(HMODULE, HRSRC resource) { return resource ? DWORD(resource->size) : 0; }
