#pragma once
// The version record of a module: its fixed file information and the strings of the
// translation that suits the user's language. Language modules, projects and updates are
// compared against the program's own product version.

#include "platform/base/String.h"
#include "platform/res/ResourceModule.h"
#include "platform/res/VersionResource.h"

class CFileVersionInfo {
 public:
  CFileVersionInfo() { Reset(); }
  virtual ~CFileVersionInfo() = default;

  // The record of the module (none: the program itself). True when it was read.
  bool CreateFromModule(HMODULE module);
  bool CreateFromFile(const CString& path);
  virtual void Reset();

  CString GetFileDescription() const { return m_strings[kFileDescription]; }
  CString GetFileVersion() const { return m_strings[kFileVersion]; }
  CString GetInternalName() const { return m_strings[kInternalName]; }
  CString GetLegalCopyright() const { return m_strings[kLegalCopyright]; }
  CString GetOriginalFileName() const { return m_strings[kOriginalFileName]; }
  CString GetProductName() const { return m_strings[kProductName]; }
  CString GetProductVersion() const { return m_strings[kProductVersion]; }
  CString GetComments() const { return m_strings[kComments]; }

  // One 16-bit part of the fixed versions: index 0 is the last part (d), 1 = c, 2 = b,
  // 3 = the major part (a); any other index gives 0. (The reverse of CVersion::GetPart.)
  WORD GetFileVersionPart(int index) const;
  WORD GetProductVersionPart(int index) const;

 private:
  enum EString {
    kCompanyName,
    kFileDescription,
    kFileVersion,
    kInternalName,
    kLegalCopyright,
    kOriginalFileName,
    kProductName,
    kProductVersion,
    kComments,
    kLegalTrademarks,
    kPrivateBuild,
    kSpecialBuild,
    kRequiredOSVersion,
    kStringCount
  };

  VS_FIXEDFILEINFO m_fixed{};
  CString m_strings[kStringCount];
};
