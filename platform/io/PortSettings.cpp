#include "platform/io/PortSettings.h"

#include "platform/base/String.h"
#include "platform/registry/RegistryStore.h"

namespace {

const char16_t kKey[] = u"Software\\Jovant\\ZD-Zedo\\Ports";
const char16_t kHostVendor[] = u"UsbHostVendorId";
const char16_t kHostProduct[] = u"UsbHostProductId";
const char16_t kHidVendor[] = u"HidProbeVendorId";

// "JV", the maker's initials; another id is a setting.
constexpr WORD kDefaultVendorId = 0x4A56;

// The number of a value name "COM" + 1 to 256, else 0.
int ComNumber(const CString& name) {
  if (name.GetLength() < 4 || name.GetLength() > 6 || name.Left(3).CompareNoCase(u"COM") != 0) return 0;
  int number = 0;
  for (int i = 3; i < name.GetLength(); ++i) {
    if (name[i] < u'0' || name[i] > u'9') return 0;
    number = number * 10 + (name[i] - u'0');
  }
  return number >= 1 && number <= 256 ? number : 0;
}

CString ComName(int number) {
  CString name;
  name.Format(u"COM%d", number);
  return name;
}

WORD ReadId(const char16_t* name, WORD fallback) {
  DWORD value = 0;
  if (!RegGetDword(kKey, name, value) || value > 0xFFFF) return fallback;
  return WORD(value);
}

}  // namespace

std::map<int, std::string> GetComPortMappings() {
  std::map<int, std::string> map;
  for (const CString& name : RegEnumValueNames(kKey)) {
    int number = ComNumber(name);
    CString device;
    if (number != 0 && RegGetString(kKey, name, device) && !device.IsEmpty()) map[number] = device.ToUtf8();
  }
  return map;
}

bool SetComPortMapping(int number, const std::string& device) {
  if (number < 1 || number > 256 || device.empty()) return false;
  return RegSetString(kKey, ComName(number), CString::FromUtf8(device));
}

bool ClearComPortMappings() {
  for (const CString& name : RegEnumValueNames(kKey))
    if (ComNumber(name) != 0 && !RegDeleteValue(kKey, name)) return false;
  return true;
}

WORD GetUsbHostVendorId() { return ReadId(kHostVendor, kDefaultVendorId); }

WORD GetUsbHostProductId() { return ReadId(kHostProduct, 0); }

WORD GetHidProbeVendorId() { return ReadId(kHidVendor, kDefaultVendorId); }

bool SetUsbIds(WORD hostVendorId, WORD hostProductId, WORD hidVendorId) {
  return RegSetDword(kKey, kHostVendor, hostVendorId) && RegSetDword(kKey, kHostProduct, hostProductId) &&
         RegSetDword(kKey, kHidVendor, hidVendorId);
}
