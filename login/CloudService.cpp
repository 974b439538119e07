#include "login/CloudService.h"

#include "platform/registry/RegistryStore.h"

namespace {

constexpr const char16_t* kDefaultCloudService = u"https://cloud.jovant.com";

}  // namespace

CString GetCloudServiceUrl() {
  CString url;
  if (!RegGetString(kServersKey, kCloudServiceValue, url) || url.IsEmpty()) url = kDefaultCloudService;
  return url;
}

CString GetCloudCertificates() {
  CString path;
  RegGetString(kServersKey, kCloudCertificatesValue, path);
  return path;
}

CString GetCloudServiceHost() {
  CString host = GetCloudServiceUrl();
  const int scheme = host.Find(u"://");
  if (scheme >= 0) host = host.Mid(scheme + 3);
  const int end = host.FindOneOf(u"/:");
  return end >= 0 ? host.Left(end) : host;
}
