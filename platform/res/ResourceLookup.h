#pragma once
// Typed resources (menus, bitmaps, tool bars, ...) of a resource module, looked up by type and
// name with FindResourceW, LoadResource, LockResource and SizeofResource as the platform did.
// The program's own resources are compiled in and added to the program module (none) at
// start-up. Names and types are integers (MAKEINTRESOURCEW) or texts; "#123" names 123.

#include <cstddef>

#include "platform/base/WinTypes.h"
#include "platform/res/ResourceModule.h"

struct SResourceEntry;
using HRSRC = const SResourceEntry*;
using HGLOBAL = const void*;

inline LPCWSTR MAKEINTRESOURCEW(WORD id) { return reinterpret_cast<LPCWSTR>(static_cast<UINT_PTR>(id)); }
inline bool IS_INTRESOURCE(LPCWSTR name) { return (reinterpret_cast<UINT_PTR>(name) >> 16) == 0; }

inline const LPCWSTR RT_BITMAP = MAKEINTRESOURCEW(2);
inline const LPCWSTR RT_MENU = MAKEINTRESOURCEW(4);
inline const LPCWSTR RT_GROUP_ICON = MAKEINTRESOURCEW(14);
inline const LPCWSTR RT_TOOLBAR = MAKEINTRESOURCEW(241);

// The module that typed resources are looked up in first; none (the program) unless a
// language module was made current.
HMODULE AfxGetResourceHandle();
void AfxSetResourceHandle(HMODULE module);

// Adds a resource to a module; the bytes are borrowed and must outlive the lookups (compiled-in
// tables are static). A resource of the same type and name is replaced.
void AddResource(HMODULE module, LPCWSTR type, LPCWSTR name, const BYTE* data, std::size_t size);

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
const void* LockResource(HGLOBAL loaded);
DWORD SizeofResource(HMODULE module, HRSRC resource);
