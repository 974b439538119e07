#include "app/login/CloudEmailSetting.h"

#include "app/data/Registry.h"
#include "platform/registry/RegistryStore.h"

namespace {

CString ConnWizardKey() { return CString(kUpdaterSettingsKey) + u"\\ConnWizard"; }
constexpr const char16_t* kCloudEmailValue = u"Server Username";

}  // namespace

CString LoadCloudEmail() {
  CString email;
  RegGetString(ConnWizardKey(), kCloudEmailValue, email);
  return email;
}

bool SaveCloudEmail(const CString& email) { return RegSetString(ConnWizardKey(), kCloudEmailValue, email); }
