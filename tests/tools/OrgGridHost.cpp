#include "tests/tools/OrgGridHost.h"

#include <cstdio>

#include "grid/GridItemInfo.h"

// clang-format off
BEGIN_MESSAGE_MAP(COrgGridHost, CWnd)
  .OnMessage(WM_NEXTDLGCTL, &COrgGridHost::OnNextControl)
END_MESSAGE_MAP()
// clang-format on

BOOL COrgGridHost::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  const int code = header->code;
  *result = 0;
  if (code == GRIDN_GETDISPINFO) {
    auto* info = reinterpret_cast<GRIDDISPINFO*>(lParam);
    info->item.text.Format(u"d%d.%d", info->item.row, info->item.col);
    if (m_traceDisplayInfo) std::printf("notify=%d row=%d col=%d\n", code, info->item.row, info->item.col);
    return TRUE;
  }
  if (code == GRIDN_CACHEHINT) {
    const CCellBlock& range = reinterpret_cast<const SGridCacheHint*>(lParam)->range;
    std::printf("notify=%d range=%d,%d,%d,%d\n", code, range.minRow, range.minCol, range.maxRow, range.maxCol);
    return TRUE;
  }
  const auto* record = reinterpret_cast<const SGridCellNotify*>(lParam);
  std::printf("notify=%d row=%d col=%d\n", code, record->row, record->col);
  const auto reply = m_replies.find(code);
  if (reply != m_replies.end()) *result = reply->second;
  return TRUE;
}

BOOL COrgGridHost::OnCommand(WPARAM wParam, LPARAM) {
  std::printf("command=%u code=%u\n", unsigned(LOWORD(wParam)), unsigned(HIWORD(wParam)));
  return TRUE;
}

LRESULT COrgGridHost::OnNextControl(WPARAM, LPARAM) {
  std::printf("nextdlgctl=1\n");
  return 0;
}
