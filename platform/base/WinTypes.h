#pragma once
// The Windows-style scalar types, limits and helpers that the rest of the code is written with.

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using ULONG_PTR = std::uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using BOOL = int;
using COLORREF = DWORD;
using TCHAR = char16_t;
using WCHAR = char16_t;
using LPCTSTR = const char16_t*;
using LPTSTR = char16_t*;
using LPCWSTR = const char16_t*;
using LPCSTR = const char*;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

// Wide literals of the code are UTF-16, as the platform's were.
#define _T(x) u##x

constexpr DWORD INFINITE = 0xFFFFFFFF;

constexpr DWORD MAKELONG(WORD low, WORD high) { return DWORD(low) | (DWORD(high) << 16); }
constexpr WORD LOWORD(DWORD v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(DWORD v) { return WORD(v >> 16); }
constexpr BYTE LOBYTE(WORD v) { return BYTE(v & 0xFF); }
constexpr BYTE HIBYTE(WORD v) { return BYTE(v >> 8); }
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) { return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16); }
constexpr BYTE GetRValue(COLORREF c) { return BYTE(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return BYTE((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return BYTE((c >> 16) & 0xFF); }
