#include "tests/support/ui/UiLayerStateCheck.h"

void CUiLayerStateCheck::OnTestStart(const ::testing::TestInfo&) {
  m_system = SEmulatedSystem::Read();
  m_resources = AfxGetResourceHandle();
}

void CUiLayerStateCheck::OnTestEnd(const ::testing::TestInfo&) {
  const SEmulatedSystem now = SEmulatedSystem::Read();
  if (now.version.dwPlatformId != m_system.version.dwPlatformId ||
      now.version.dwMajorVersion != m_system.version.dwMajorVersion ||
      now.version.dwMinorVersion != m_system.version.dwMinorVersion) {
    ADD_FAILURE() << "the test left the emulated Windows version changed";
  }
  if (now.themeFile != m_system.themeFile) ADD_FAILURE() << "the test left the desktop theme changed";
  if (now.palette != m_system.palette) ADD_FAILURE() << "the test left the palette display changed";
  if (AfxGetResourceHandle() != m_resources) ADD_FAILURE() << "the test left another resource module current";
  m_system.Apply();
  AfxSetResourceHandle(m_resources);
}
