#include "drivers/ProfileUpdateChecks.h"

#include <string>
#include <string_view>

#include "device/DecimalText.h"
#include "device/UpdateErrorCode.h"

namespace Device {
namespace {

constexpr int kRevisionNumberLimit = 256;

// "%c%d": a letter, then a decimal number.
bool ReadRevision(const std::string& text, char& letter, int& number) {
  if (text.empty()) return false;
  letter = text[0];
  return ReadDecimal(std::string_view(text).substr(1), number);
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
  int number = 0;
  // A negative number ("A-3") names no revision.
  if (!ReadRevision(upper.ToAnsi(), letter, number) || number < 0 || number >= kRevisionNumberLimit)
    return eUpdateHardware;
  if (letter < 'A' || letter > rule.lastLetter) return eUpdateHardware;
  const int value = (letter - 'A') * kRevisionNumberLimit + number;
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
