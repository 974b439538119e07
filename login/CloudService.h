#pragma once
// Where the cloud service is reached: our settings under "Software\Jovant\ZD-Zedo\Servers".
// "CloudService" is the service's base URL (scheme and host, no trailing path), and
// "CloudCertificates" a PEM file of certificates trusted besides the system's, for a service
// whose certificate the system does not know.

#include "platform/base/String.h"

inline constexpr const char16_t* kServersKey = u"Software\\Jovant\\ZD-Zedo\\Servers";
inline constexpr const char16_t* kCloudServiceValue = u"CloudService";
inline constexpr const char16_t* kCloudCertificatesValue = u"CloudCertificates";

// The base URL; the maker's service when the setting is missing or empty.
CString GetCloudServiceUrl();
// The extra certificate file; empty when none is set.
CString GetCloudCertificates();
// The host name of the base URL, as the texts that ask for the sign-in name it.
CString GetCloudServiceHost();
