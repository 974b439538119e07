#include "drivers/ProfileUpdateChecks.h"

#include <cctype>
#include <string>

#include "device/UpdateErrorCode.h"

namespace Device {
namespace {

constexpr int kRevisionNumberLimit = 256;

// "%c%d": a letter, then a decimal number (an optional sign and digits).
bool ReadRevision(const std::string& text, char& letter, long& number) {
  if (text.empty()) return false;
  letter = text[0];
  size_t at = 1;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  const size_t start = at;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) return false;
  number = std::stol(text.substr(start));
  return true;
}

}  // namespace

int CProfileUpdateChecks::CheckRevisionAndOs(const CString& revision, const CString& osVersion,
                                             const CPackageHeader& header, SRevisionRule rule) {
  if (revision.IsEmpty() || osVersion.IsEmpty()) return eUpdateNotAttached;
  if (const int result = CheckHardware(revision, header, rule)) return result;
  CString version = osVersion;
  version.Remove(u' ');
  return CheckOsVersion(CVersion(version), header);
}

int CProfileUpdateChecks::CheckHardware(const CString& revision, const CPackageHeader& header,
                                        SRevisionRule rule) {
  const WORD minimum = header.m_trailerWord1;
  const WORD maximum = header.m_trailerWord2;
  if (minimum == 0 && maximum == 0) return eUpdateOk;
  CString upper = revision;
  upper.MakeUpper();
  char letter = 0;
  long number = 0;
  // A negative number ("A-3") names no revision.
  if (!ReadRevision(upper.ToAnsi(), letter, number) || number < 0 || number >= kRevisionNumberLimit)
    return eUpdateHardware;
  if (letter < 'A' || letter > rule.lastLetter) return eUpdateHardware;
  const long value = (letter - 'A') * kRevisionNumberLimit + number;
  if (value < (minimum & rule.mask)) return eUpdateHardware;
  if (maximum != 0 && (maximum & rule.mask) < value) return eUpdateHardware;
  return eUpdateOk;
}

bool CProfileUpdateChecks::RequiresOsVersion(const CPackageHeader& header) {
  return header.m_trailerValue1 != 0;
}

CVersion CProfileUpdateChecks::RequiredOsVersion(const CPackageHeader& header) {
  const ULONGLONG major = header.m_trailerValue1 >> 16;
  const ULONGLONG minor = header.m_trailerValue1 & 0xFFFF;
  return CVersion((major << 48) | (minor << 32));
}

int CProfileUpdateChecks::CheckOsVersion(const CVersion& version, const CPackageHeader& header) {
  if (!RequiresOsVersion(header)) return eUpdateOk;
  const CVersion required = RequiredOsVersion(header);
  if (required > version || required.GetPart(0) != version.GetPart(0)) return eUpdateOsVersion;
  return eUpdateOk;
}

}  // namespace Device
