#include "device/FileVersionInfo.h"

#include <iterator>

#include "platform/res/UserLanguage.h"

namespace {

const char16_t* const kStringNames[] = {
    u"CompanyName",      u"FileDescription", u"FileVersion",       u"InternalName", u"LegalCopyright",
    u"OriginalFileName", u"ProductName",     u"ProductVersion",    u"Comments",     u"LegalTrademarks",
    u"PrivateBuild",     u"SpecialBuild",    u"RequiredOSVersion",
};

// The translation that suits the user: the user's own language, else one of the same low
// language byte, else a neutral one, else English, else the first.
const SVersionTranslation* ChooseTranslation(const SVersionResource& record, LANGID user) {
  const auto& list = record.translations;
  if (list.empty()) return nullptr;
  for (const auto& t : list)
    if (t.language == user) return &t;
  for (BYTE low : {LOBYTE(user), BYTE(LANG_NEUTRAL), BYTE(LANG_ENGLISH)})
    for (const auto& t : list)
      if (LOBYTE(t.language) == low) return &t;
  return &list.front();
}

WORD VersionPart(DWORD high, DWORD low, int index) {
  switch (index) {
    case 0:
      return LOWORD(low);
    case 1:
      return HIWORD(low);
    case 2:
      return LOWORD(high);
    case 3:
      return HIWORD(high);
    default:
      return 0;
  }
}

}  // namespace

static_assert(std::size(kStringNames) == 13);

bool CFileVersionInfo::CreateFromModule(HMODULE module) { return CreateFromFile(GetModuleFileName(module)); }

bool CFileVersionInfo::CreateFromFile(const CString& path) {
  Reset();
  SVersionResource record;
  if (!ReadVersionResource(path, record)) return false;
  if (record.hasFixedInfo) m_fixed = record.fixedInfo;
  if (const SVersionTranslation* translation = ChooseTranslation(record, GetUserDefaultLangID())) {
    for (int i = 0; i < kStringCount; ++i)
      if (const CString* value = translation->Find(kStringNames[i])) m_strings[i] = *value;
  }
  return true;
}

void CFileVersionInfo::Reset() {
  m_fixed = VS_FIXEDFILEINFO{};
  for (auto& text : m_strings) text.Empty();
}

WORD CFileVersionInfo::GetFileVersionPart(int index) const {
  return VersionPart(m_fixed.dwFileVersionMS, m_fixed.dwFileVersionLS, index);
}

WORD CFileVersionInfo::GetProductVersionPart(int index) const {
  return VersionPart(m_fixed.dwProductVersionMS, m_fixed.dwProductVersionLS, index);
}
