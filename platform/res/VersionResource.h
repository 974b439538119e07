#pragma once
// Version records of the program and of its language modules. The program's own record is
// compiled in (resources/program-version.txt.in); a language module carries the same record
// as the [version] section of its resource file:
//
//   [version]
//   file-version 1.8.3.0
//   product-version 1.8.3.0
//   file-flags-mask 0x3F          optional, as are file-flags, file-os, file-type, file-subtype
//   translation 0x0407 1200       language and code page of the strings that follow
//   CompanyName "Jovant SA"
//   InternalName "Deutsch"
//
// The section ends at the next "[...]" line or at the end of the file.

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/String.h"

// The fixed part of a version record, in the platform's 52-byte layout. Each version is held
// as two 32-bit halves with the major part in the top 16 bits of the high half.
struct VS_FIXEDFILEINFO {
  DWORD dwSignature;
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;
constexpr DWORD VS_FFI_STRUCVERSION = 0x00010000;

struct SVersionString {
  CString name;
  CString value;
};

// The strings of one language and code page.
struct SVersionTranslation {
  WORD language = 0;
  WORD codePage = 0;
  std::vector<SVersionString> strings;

  // The value of the named string, or nullptr when the translation has none.
  const CString* Find(const CString& name) const;
};

struct SVersionResource {
  bool hasFixedInfo = false;
  VS_FIXEDFILEINFO fixedInfo{};
  std::vector<SVersionTranslation> translations;
};

// Reads the [version] section of a resource file's text. False, with the reason in `error`,
// when the text has no such section or the section is malformed.
bool ParseVersionResource(std::string_view fileText, SVersionResource& out, std::string& error);

// The version record of a file: the compiled-in record for the running program's own file,
// else the [version] section of the resource file at `path`. False when there is none.
bool ReadVersionResource(const CString& path, SVersionResource& out);

// The running program's own record.
const SVersionResource& ProgramVersionResource();
