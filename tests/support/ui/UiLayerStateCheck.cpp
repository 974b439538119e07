#include "tests/support/ui/UiLayerStateCheck.h"

CUiLayerStateCheck::SState CUiLayerStateCheck::Read() {
  SState state;
  state.version.dwOSVersionInfoSize = sizeof state.version;
  GetVersionEx(&state.version);
  state.themeFile = GetCurrentThemeFile();
  state.palette = IsPaletteDisplay();
  state.resources = AfxGetResourceHandle();
  return state;
}

void CUiLayerStateCheck::Write(const SState& state) {
  SetEmulatedWindowsVersion(state.version.dwPlatformId, state.version.dwMajorVersion,
                            state.version.dwMinorVersion);
  SetCurrentThemeFile(state.themeFile);
  SetPaletteDisplay(state.palette);
  AfxSetResourceHandle(state.resources);
}

void CUiLayerStateCheck::OnTestStart(const ::testing::TestInfo&) { m_before = Read(); }

void CUiLayerStateCheck::OnTestEnd(const ::testing::TestInfo&) {
  const SState now = Read();
  if (now.version.dwPlatformId != m_before.version.dwPlatformId ||
      now.version.dwMajorVersion != m_before.version.dwMajorVersion ||
      now.version.dwMinorVersion != m_before.version.dwMinorVersion) {
    ADD_FAILURE() << "the test left the emulated Windows version changed";
  }
  if (now.themeFile != m_before.themeFile) ADD_FAILURE() << "the test left the desktop theme changed";
  if (now.palette != m_before.palette) ADD_FAILURE() << "the test left the palette display changed";
  if (now.resources != m_before.resources) ADD_FAILURE() << "the test left another resource module current";
  Write(m_before);
}
