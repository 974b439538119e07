#include "tests/grid/org/OrgGridFixture.h"

// clang-format off
BEGIN_MESSAGE_MAP(COrgRecordingHost, CWnd)
  .OnMessage(WM_NEXTDLGCTL, &COrgRecordingHost::OnNextControl)
END_MESSAGE_MAP()
// clang-format on
